// The application probe run as separate processes: the program name taken from
// the file name, and settings that survive a restart in the ini file and in the native store.
#include "TestEnv.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString builtProgram(const QString& relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../" + relative);
}

// A private set of XDG folders for one family of child processes.
struct ChildEnv {
    ChildEnv()
    {
        root = QString::fromStdString(TestEnv::freshDir("child"));
        for (const char* sub : { "config", "data", "sys", "home" })
            QDir().mkpath(root + "/" + sub);
    }
    QProcessEnvironment env(const QMap<QString, QString>& extra = {}) const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("HOME", root + "/home");
        e.insert("XDG_CONFIG_HOME", root + "/config");
        e.insert("XDG_DATA_HOME", root + "/data");
        e.insert("XDG_DATA_DIRS", root + "/sys");
        for (auto it = extra.begin(); it != extra.end(); ++it)
            e.insert(it.key(), it.value());
        return e;
    }
    QString root;
};

struct RunResult {
    bool finished = false;
    int exitCode = -1;
    QMap<QString, QString> values; // key=value lines of standard output
};

RunResult run(const QString& program, const QStringList& args, const QProcessEnvironment& env,
    int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args);
    RunResult r;
    if (!p.waitForStarted(timeoutMs))
        return r;
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    for (const QString& line : QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            r.values.insert(line.left(eq), line.mid(eq + 1));
    }
    return r;
}

class AppProcess : public testing::Test {
protected:
    void SetUp() override
    {
        probe = builtProgram("tools/appprobe/q7300-appprobe");
        ASSERT_TRUE(QFileInfo(probe).isExecutable()) << "build q7300-appprobe first";
    }
    QString probe;
};

} // namespace

TEST_F(AppProcess, NameAndIniFileFollowTheProgramFileName)
{
    ChildEnv dirs;
    const QString link = dirs.root + "/Route.app.bin";
    ASSERT_TRUE(QFile::link(probe, link));
    QDir().mkpath(dirs.root + "/sys/Route");
    const RunResult r = run(link, { "info", "setint", "Main", "Demo", "1" }, dirs.env());
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.values["name"], QString("Route"));
    EXPECT_EQ(r.values["ini"], dirs.root + "/sys/Route/Route.ini");
    EXPECT_EQ(r.values["store"], QString("ini"));
    EXPECT_EQ(r.values["settingsPath"], dirs.root + "/sys/Zorvanta/Route");
    EXPECT_EQ(r.values["configPath"], dirs.root + "/config/Zorvanta/Route");
    EXPECT_TRUE(QFileInfo(dirs.root + "/config/Zorvanta/Route").isDir());
    EXPECT_TRUE(QFileInfo(dirs.root + "/sys/Route/Route.ini").isFile());
}

TEST_F(AppProcess, SettingsSurviveARestartInTheIniFile)
{
    ChildEnv dirs;
    QDir().mkpath(dirs.root + "/sys/q7300-appprobe");
    const RunResult w = run(probe,
        { "set", "Nerilune", "Sizer", "40,60,840,660", "setint", "Main", "Style", "2", "set",
            "Main", "Drop", "x", "del", "Main", "Drop" },
        dirs.env());
    ASSERT_TRUE(w.finished);
    const RunResult r = run(probe,
        { "info", "get", "Nerilune", "Sizer", "getint", "Main", "Style", "get", "Main", "Drop" },
        dirs.env());
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.values["store"], QString("ini"));
    EXPECT_EQ(r.values["get.Nerilune.Sizer"], QString("40,60,840,660"));
    EXPECT_EQ(r.values["getint.Main.Style"], QString("2"));
    EXPECT_EQ(r.values["get.Main.Drop"], QString("<absent>"));
    EXPECT_EQ(r.values["style"].toLower(), QString("windows")); // style 2 applied at start-up
    QFile ini(dirs.root + "/sys/q7300-appprobe/q7300-appprobe.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(ini.readAll());
    EXPECT_TRUE(text.contains("[Nerilune]"));
    EXPECT_TRUE(text.contains("[Main]"));
    EXPECT_FALSE(text.contains("Drop"));
}

TEST_F(AppProcess, WithoutASupportFolderSettingsSurviveInTheNativeStore)
{
    ChildEnv dirs;
    const RunResult w
        = run(probe, { "info", "set", "Comms", "MidiPort", "USB Port 2" }, dirs.env());
    ASSERT_TRUE(w.finished);
    EXPECT_EQ(w.values["store"], QString("native"));
    const RunResult r = run(probe, { "get", "Comms", "MidiPort" }, dirs.env());
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.values["get.Comms.MidiPort"], QString("USB Port 2"));
    // Nothing was created in the system data folder.
    EXPECT_FALSE(QFileInfo::exists(dirs.root + "/sys/q7300-appprobe"));
    // A different user preferences folder is a different native store.
    ChildEnv other;
    const RunResult o = run(probe, { "get", "Comms", "MidiPort" }, other.env());
    EXPECT_EQ(o.values["get.Comms.MidiPort"], QString("<absent>"));
}
