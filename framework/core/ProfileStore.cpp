#include "ProfileStore.h"

#include <QPointer>
#include <QSettings>
#include <QStringList>

namespace {

// A guarded pointer: a store deleted without being unregistered reads as absent
// instead of dangling.
QPointer<QSettings>& storePointer()
{
    static QPointer<QSettings> store;
    return store;
}

// The value at (section, entry) as text, or a null QString when absent.
QString readText(const char* section, const char* entry)
{
    QSettings* store = GetProfileStore();
    if (!store || !entry)
        return QString();
    const QVariant v = store->value(ProfileKey(section, entry));
    if (!v.isValid())
        return QString();
    // A hand-edited ini value with bare commas (40,60,840,660) reads back from
    // the toolkit as a list of its pieces; join them so it means what it says.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    QString s = v.toString();
    if (s.isNull())
        s = QStringLiteral(""); // present but empty is not absent
    return s;
}

} // namespace

void SetProfileStore(QSettings* store)
{
    storePointer() = store;
}

QSettings* GetProfileStore()
{
    return storePointer().data();
}

QString ProfileKey(const char* section, const char* entry)
{
    return QStringLiteral("/%1/%2").arg(textToQString(section), textToQString(entry));
}

CString GetProfileString(const char* section, const char* entry, const char* def)
{
    const QString s = readText(section, entry);
    if (s.isNull())
        return CString(def);
    return CString(s);
}

BOOL WriteProfileString(const char* section, const char* entry, const char* value)
{
    QSettings* store = GetProfileStore();
    if (!store || !entry)
        return FALSE;
    if (!value)
        store->remove(ProfileKey(section, entry));
    else
        store->setValue(ProfileKey(section, entry), textToQString(value));
    return TRUE;
}

int GetProfileInt(const char* section, const char* entry, int def)
{
    const QString s = readText(section, entry);
    if (s.isNull())
        return def;
    bool ok = false;
    const int v = s.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

BOOL WriteProfileInt(const char* section, const char* entry, int value)
{
    QSettings* store = GetProfileStore();
    if (!store || !entry)
        return FALSE;
    store->setValue(ProfileKey(section, entry), value);
    return TRUE;
}
