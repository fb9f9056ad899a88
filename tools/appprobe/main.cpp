// Application probe: builds a CWinApp from its own argv, then carries out the
// commands in its arguments, one per argument group, printing "key=value" lines:
//   info              name, support folder, ini path, store kind, settingsPath,
//                     configPath, style (the toolkit style's name)
//   set S E V         WriteProfileString(S, E, V)
//   del S E           WriteProfileString(S, E, null)
//   setint S E N      WriteProfileInt(S, E, N)
//   get S E           GetProfileString(S, E, "<absent>") as get.S.E=...
//   getint S E        GetProfileInt(S, E, -999) as getint.S.E=...
//   init              InitInstance() as init=...
#include "AppFolders.h"
#include "CWinApp.h"
#include <QApplication>
#include <QStyle>
#include <cstdio>
#include <cstring>

namespace {

void print(const char* key, const QString& value)
{
    std::printf("%s=%s\n", key, qStringToText(value).constData());
}

QByteArray entryKey(const char* what, const char* section, const char* entry)
{
    return QByteArray(what) + '.' + section + '.' + entry;
}

} // namespace

int main(int argc, char** argv)
{
    CWinApp app(argc, argv);
    int i = 1;
    auto need = [&](int n) { return i + n < argc; };
    while (i < argc) {
        const char* cmd = argv[i];
        if (!std::strcmp(cmd, "info")) {
            print("name", app.appName().toQString());
            print("support", app.supportFolder().toQString());
            print("ini", app.iniPath().toQString());
            print("store", app.usesIniFile() ? "ini" : "native");
            print("settingsPath", settingsPath().toQString());
            print("configPath", configPath().toQString());
            print("style", QApplication::style()->name());
            i += 1;
        } else if (!std::strcmp(cmd, "set") && need(3)) {
            app.WriteProfileString(argv[i + 1], argv[i + 2], argv[i + 3]);
            i += 4;
        } else if (!std::strcmp(cmd, "del") && need(2)) {
            app.WriteProfileString(argv[i + 1], argv[i + 2], nullptr);
            i += 3;
        } else if (!std::strcmp(cmd, "setint") && need(3)) {
            app.WriteProfileInt(argv[i + 1], argv[i + 2], std::atoi(argv[i + 3]));
            i += 4;
        } else if (!std::strcmp(cmd, "get") && need(2)) {
            print(entryKey("get", argv[i + 1], argv[i + 2]).constData(),
                app.GetProfileString(argv[i + 1], argv[i + 2], "<absent>").toQString());
            i += 3;
        } else if (!std::strcmp(cmd, "getint") && need(2)) {
            print(entryKey("getint", argv[i + 1], argv[i + 2]).constData(),
                QString::number(app.GetProfileInt(argv[i + 1], argv[i + 2], -999)));
            i += 3;
        } else if (!std::strcmp(cmd, "init")) {
            print("init", QString::number(app.InitInstance()));
            i += 1;
        } else {
            std::fprintf(stderr, "unknown command %s\n", cmd);
            return 2;
        }
    }
    return 0;
}
