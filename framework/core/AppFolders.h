#pragma once
#include "CString.h"
#include "FrameworkTypes.h"
#include <QString>

// The program's folders on a system with XDG base directories. Every location
// follows the XDG environment variables, so tests and users can relocate them.

// The data folders in search order: XDG_DATA_HOME (default ~/.local/share), then
// each absolute folder of XDG_DATA_DIRS (default /usr/local/share:/usr/share).
QStringList xdgDataFolders();
// The system-wide application-support folder for `app`: the first data folder that
// holds "Zorvanta/<app>", or, when none does, the first folder of XDG_DATA_DIRS.
QString supportDataFolder(const QString& app);
// The user's preferences folder: XDG_CONFIG_HOME when absolute, else ~/.config.
QString preferencesFolder();

// "<support data folder>/Zorvanta/<app>" for the toolkit application name, computed
// on every call; the folder is not created.
CString settingsPath();
// "<preferences folder>/Zorvanta/<app>", computed once per process, when the folder
// and its missing parents are also created; later calls return the same text.
CString configPath();
// Creates `path` with every missing parent; TRUE when the folder exists afterwards.
BOOL MakeDir(const char* path);

// The application name a program path gives: the file name without its folder and
// without everything from its first '.'.
QString appNameFromProgramPath(const QString& programPath);
