#include "AppFolders.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace {

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

// An XDG variable's folder when it is set to an absolute path, else the fallback.
QString xdgFolder(const char* variable, const QString& fallback)
{
    const QString v = qEnvironmentVariable(variable);
    if (!v.isEmpty() && QDir::isAbsolutePath(v))
        return QDir::cleanPath(v);
    return fallback;
}

QStringList systemDataFolders()
{
    QStringList dirs;
    for (const QString& d : qEnvironmentVariable("XDG_DATA_DIRS").split(':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            dirs << QDir::cleanPath(d);
    if (dirs.isEmpty())
        dirs << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    return dirs;
}

QString toolkitAppName()
{
    return QCoreApplication::applicationName();
}

} // namespace

QStringList xdgDataFolders()
{
    QStringList all;
    all << xdgFolder("XDG_DATA_HOME", homeFolder() + QStringLiteral("/.local/share"));
    all << systemDataFolders();
    return all;
}

QString supportDataFolder(const QString& app)
{
    for (const QString& d : xdgDataFolders())
        if (QFileInfo(d + QStringLiteral("/Zorvanta/") + app).isDir())
            return d;
    return systemDataFolders().front();
}

QString preferencesFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", homeFolder() + QStringLiteral("/.config"));
}

CString settingsPath()
{
    const QString app = toolkitAppName();
    return CString(QStringLiteral("%1/%2/%3").arg(supportDataFolder(app), "Zorvanta", app));
}

CString configPath()
{
    static std::once_flag once;
    static QString cached;
    std::call_once(once, [] {
        cached = QStringLiteral("%1/%2/%3").arg(preferencesFolder(), "Zorvanta", toolkitAppName());
        // A failure shows later, when files in the folder cannot be written.
        QDir().mkpath(cached);
    });
    return CString(cached);
}

BOOL MakeDir(const char* path)
{
    if (!path || !*path)
        return FALSE;
    const QString p = textToQString(path);
    QDir().mkpath(p);
    return QFileInfo(p).isDir() ? TRUE : FALSE;
}

QString appNameFromProgramPath(const QString& programPath)
{
    QString name = QFileInfo(programPath).fileName();
    const int dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}
