// The application probe run as separate processes: the program name taken from
// the file name, and settings that survive a restart in the ini file and in the native store.
#include "ProbeRun.h"
#include "TestEnv.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class AppProcess : public testing::Test {
protected:
    void SetUp() override
    {
        probe = QDir::cleanPath(
            QCoreApplication::applicationDirPath() + "/../tools/appprobe/q7300-appprobe");
        ASSERT_TRUE(QFileInfo(probe).isExecutable()) << "build q7300-appprobe first";
    }
    QString probe;
    QString root = QString::fromStdString(TestEnv::freshDir("child"));
};

} // namespace

TEST_F(AppProcess, NameAndIniFileFollowTheProgramFileName)
{
    const QString link = root + "/Route.app.bin";
    ASSERT_TRUE(QFile::link(probe, link));
    QDir().mkpath(root + "/sys/Route");
    auto r = runProbe(link, root, { "info", "setint", "Main", "Demo", "1" });
    EXPECT_EQ(r["exit"], "0");
    EXPECT_EQ(r["name"], "Route");
    EXPECT_EQ(r["ini"], root + "/sys/Route/Route.ini");
    EXPECT_EQ(r["store"], "ini");
    EXPECT_EQ(r["settingsPath"], root + "/sys/Zorvanta/Route");
    EXPECT_EQ(r["configPath"], root + "/config/Zorvanta/Route");
    EXPECT_TRUE(QFileInfo(root + "/config/Zorvanta/Route").isDir());
    EXPECT_TRUE(QFileInfo(root + "/sys/Route/Route.ini").isFile());
}

TEST_F(AppProcess, SettingsSurviveARestartInTheIniFile)
{
    QDir().mkpath(root + "/sys/q7300-appprobe");
    EXPECT_EQ(runProbe(probe, root,
                  { "set", "Nerilune", "Sizer", "40,60,840,660", "setint", "Main", "Style", "2",
                      "set", "Main", "Drop", "x", "del", "Main", "Drop" })["exit"],
        "0");
    auto r = runProbe(probe, root,
        { "info", "get", "Nerilune", "Sizer", "getint", "Main", "Style", "get", "Main", "Drop" });
    EXPECT_EQ(r["store"], "ini");
    EXPECT_EQ(r["get.Nerilune.Sizer"], "40,60,840,660");
    EXPECT_EQ(r["getint.Main.Style"], "2");
    EXPECT_EQ(r["get.Main.Drop"], "<absent>");
    EXPECT_EQ(r["style"].toLower(), "windows"); // style 2 applied at start-up
    QFile ini(root + "/sys/q7300-appprobe/q7300-appprobe.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(ini.readAll());
    EXPECT_TRUE(text.contains("[Nerilune]"));
    EXPECT_TRUE(text.contains("[Main]"));
    EXPECT_FALSE(text.contains("Drop"));
}

TEST_F(AppProcess, WithoutASupportFolderSettingsSurviveInTheNativeStore)
{
    EXPECT_EQ(runProbe(probe, root, { "info", "set", "Comms", "MidiPort", "USB Port 2" })["store"],
        "native");
    EXPECT_EQ(
        runProbe(probe, root, { "get", "Comms", "MidiPort" })["get.Comms.MidiPort"], "USB Port 2");
    // Nothing was created in the system data folder.
    EXPECT_FALSE(QFileInfo::exists(root + "/sys/q7300-appprobe"));
    // A different user preferences folder is a different native store.
    const QString other = QString::fromStdString(TestEnv::freshDir("child"));
    EXPECT_EQ(
        runProbe(probe, other, { "get", "Comms", "MidiPort" })["get.Comms.MidiPort"], "<absent>");
}
