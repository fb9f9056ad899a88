#include "SettingsStore.h"
#include "AppFolders.h"
#include "CString.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <cstdio>

QString iniFilePath(const QString& app)
{
    // The Linux counterpart of "/Library/Application Support/<app>/<app>.ini".
    return supportDataFolder(app) + QLatin1Char('/') + app + QLatin1Char('/') + app
        + QStringLiteral(".ini");
}

bool iniFileWritable(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable())
            return false;
    } else {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QTemporaryFile beside(info.absolutePath() + QStringLiteral("/.settings-probe-XXXXXX"));
    return beside.open();
}

std::unique_ptr<QSettings> openSettingsStore(const QString& app)
{
    const QString ini = iniFilePath(app);
    if (iniFileWritable(ini))
        return std::make_unique<QSettings>(ini, QSettings::IniFormat);
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zorvanta"), app);
}

bool syncSettingsStore(QSettings& store)
{
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    std::fprintf(stderr, "%s: cannot write the settings to %s\n",
        qStringToText(QCoreApplication::applicationName()).constData(),
        qStringToText(store.fileName()).constData());
    return false;
}
