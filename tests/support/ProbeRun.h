#pragma once
// Runs a program of the build as a child process with private XDG folders, as
// the start-up and settings tests do.
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStringList>

#include <sys/types.h>

// Runs program with HOME and the XDG folders below root ("home", "config",
// "data", "sys"; made when missing), as the user uid (0: as it is). Gives its
// "key=value" output lines, its standard error under "stderr" and its exit
// status under "exit" (absent when it did not end in time).
inline QMap<QString, QString> runProbe(
    const QString& program, const QString& root, const QStringList& args, uid_t uid = 0)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const char* sub : { "home", "config", "data", "sys" })
        QDir().mkpath(root + "/" + sub);
    env.insert("HOME", root + "/home");
    env.insert("XDG_CONFIG_HOME", root + "/config");
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("XDG_DATA_DIRS", root + "/sys");
    env.insert("XDG_RUNTIME_DIR", root + "/home");
    QProcess p;
    p.setProcessEnvironment(env);
    QStringList all = args;
    QString run = program;
    if (uid != 0) {
        all = QStringList { "--reuid=" + QString::number(uid), "--regid=" + QString::number(uid),
            "--clear-groups", "--", program }
            + args;
        run = "setpriv";
    }
    p.start(run, all);
    QMap<QString, QString> values;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
    } else if (p.exitStatus() == QProcess::NormalExit) {
        values.insert("exit", QString::number(p.exitCode()));
    }
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1));
    }
    values.insert("stderr", QString::fromUtf8(p.readAllStandardError()));
    return values;
}
