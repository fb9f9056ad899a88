// A settings store that is damaged or cannot be written: the editor starts on
// sane values, and settings it does not understand are not thrown away.
#include "EditorFixture.h"

#include "AppFolders.h"
#include "CWinApp.h"
#include "ModelTables.h"
#include "ProbeRun.h"
#include "ProfileStore.h"
#include "SettingsStore.h"
#include "TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <cstdlib>
#include <unistd.h>

using namespace editortest;

namespace {

// What a crash while writing, a bad disk block or a careless hand edit leaves.
const char kCorrupt[] = "[main]\n"
                        "machine=7\n"
                        "local=7x\n"
                        "\x01\x02\xff\xfe binary junk \x7f\n"
                        "[Nerilune\n"
                        "Sizer=-5,abc,99999999999999,\n"
                        "Normal_node=#zz\n"
                        "[Zorvanta Drivers]\n"
                        "MIDI ID=5\n"
                        "CommName=1\n"
                        "[MIDI]\n"
                        "In=Somebody's Interface\n"
                        "truncated line without an equals sign";

class SettingsFaultTest : public EditorTest {
protected:
    void useStore(const QString& path)
    {
        SetProfileStore(nullptr);
        store = std::make_unique<QSettings>(path, QSettings::IniFormat);
        SetProfileStore(store.get());
    }
};

TEST_F(SettingsFaultTest, CorruptStoreStartsOnSaneValuesAndKeepsWhatItDoesNotTouch)
{
    const QString path = QString::fromStdString(dir + "/corrupt.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kCorrupt, sizeof kCorrupt - 1);
    }
    useStore(path);
    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    dlg->KillTimer(dlg->timerId);

    // A stored model that no row has falls back to the first model.
    ASSERT_EQ(tablenum, 0);
    EXPECT_EQ(nodeCount(), ioNodeCount(main_table[tablenum]));
    EXPECT_TRUE(title().startsWith(QString(main_table[tablenum].modelName) + " Routing - "));
    const QWidget* w = dlg->GetWidget();
    EXPECT_GE(w->width(), 200);
    EXPECT_GE(w->height(), 100);
    EXPECT_LT(w->width(), 20000);
    EXPECT_LT(w->height(), 20000);
    EXPECT_TRUE(connectSomething());

    close();
    store->sync();
    // Settings the editor never wrote are still there for whoever reads them.
    useStore(path);
    EXPECT_EQ(GetProfileInt("Zorvanta Drivers", "MIDI ID", 0), 5);
    EXPECT_STREQ(GetProfileString("MIDI", "In", ""), "Somebody's Interface");
}

// A stored window rectangle far larger than any screen and far off it: the
// window is made to fit the screen and placed on it, and so is what is stored.
TEST_F(SettingsFaultTest, HugeStoredWindowRectangleIsKeptOnTheScreen)
{
    WriteProfileString("Nerilune", "Sizer", "-99999,-99999,99999999,99999999");
    // The generated panel files, whose proportions are those of a real panel.
    for (const char* name : { main_table[0].bitmapFile, main_table[0].panelFile }) {
        QFile::remove(settingsPath().toQString() + "/" + name);
        QFile::copy(QStringLiteral(PANEL_DIR "/") + name, settingsPath().toQString() + "/" + name);
    }
    open(0);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QWidget* w = dlg->GetWidget();
    EXPECT_TRUE(screen.contains(w->frameGeometry())) << w->width() << "x" << w->height();
    EXPECT_EQ(nodeCount(), ioNodeCount(main_table[0]));
    // Every node of the page lies inside the window, where the user sees it.
    int outside = 0;
    for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
        const CRect r = dlg->nodes.Next(pos)->rect;
        outside += QRect(0, 0, w->width(), w->height()).contains(QPoint(r.left, r.top)) ? 0 : 1;
    }
    EXPECT_EQ(outside, 0);
    close();
    store->sync();
    const QStringList stored = GetProfileString("Nerilune", "Sizer", "").toQString().split(',');
    ASSERT_EQ(stored.size(), 4);
    EXPECT_TRUE(screen.contains(QRect(QPoint(stored[0].toInt(), stored[1].toInt()),
        QPoint(stored[2].toInt() - 1, stored[3].toInt() - 1))))
        << stored.join(',').toStdString();
}

// The program's settings file inside the data folder cannot be a file (here a
// folder sits in its place): the native store takes over and keeps settings
// from one run to the next.
TEST_F(SettingsFaultTest, SettingsFileThatCannotBeWrittenFallsBackToTheNativeStore)
{
    const QString oldName = QCoreApplication::applicationName();
    const QString app = QStringLiteral("faults-app");
    // The application's data folder exists, and a folder stands where its ini file goes.
    ASSERT_TRUE(QDir().mkpath(qEnvironmentVariable("XDG_DATA_HOME") + "/Zorvanta/" + app));
    const QString ini = iniFilePath(app);
    ASSERT_TRUE(QDir().mkpath(ini));
    SetProfileStore(nullptr);
    char name[] = "faults-app";
    char* argv[] = { name, nullptr };
    int argc = 1;
    {
        CWinApp first(argc, argv);
        EXPECT_FALSE(first.usesIniFile());
        EXPECT_TRUE(WriteProfileString("main", "probe", "kept"));
        EXPECT_TRUE(WriteProfileInt("main", "machine", 2));
    }
    {
        CWinApp second(argc, argv);
        EXPECT_FALSE(second.usesIniFile());
        EXPECT_STREQ(GetProfileString("main", "probe", ""), "kept");
        EXPECT_EQ(GetProfileInt("main", "machine", 0), 2);
    }
    EXPECT_TRUE(QFileInfo(ini).isDir()) << "the blocking folder was touched";
    QCoreApplication::setApplicationName(oldName);
    SetProfileStore(store.get());
}

// The toolkit saves an ini file through a temporary file beside it, so a
// writable ini file in a folder that takes no new files cannot be saved: the
// native store is used. Permission bits stop only an unprivileged user, so the
// program runs as one.
TEST(SettingsStoreFaults, IniFileInAFolderThatTakesNoNewFilesLeavesSettingsInTheNativeStore)
{
    const uid_t nobody = 65534;
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the program as another user";
    char tmpl[] = "/tmp/q7300-store-XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    const QString root = tmpl;
    const QString ini = root + "/sys/q7300-appprobe/q7300-appprobe.ini";
    ASSERT_TRUE(QDir().mkpath(root + "/sys/q7300-appprobe"));
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Main]\nOld=1\n");
    }
    QFile::setPermissions(ini,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
            | QFileDevice::WriteOther);
    for (const char* sub : { "config", "home" }) {
        QDir().mkpath(root + "/" + sub);
        QFile::setPermissions(root + "/" + sub, QFileDevice::Permissions(0x7777));
    }
    QFile::setPermissions(root, QFileDevice::Permissions(0x7755));
    const auto written
        = runProbe(APPPROBE_PROGRAM, root, { "info", "set", "Main", "Probe", "kept" }, nobody);
    EXPECT_EQ(written["store"], "native");
    EXPECT_FALSE(written["stderr"].contains("cannot write")) << written["stderr"].toStdString();
    EXPECT_EQ(
        runProbe(APPPROBE_PROGRAM, root, { "get", "Main", "Probe" }, nobody)["get.Main.Probe"],
        "kept");
    EXPECT_EQ(fileBytes(ini), "[Main]\nOld=1\n");
    QDir(root).removeRecursively();
}

// A store that cannot be written at all (the native store's folder is a file)
// says so on standard error instead of losing the settings silently.
TEST(SettingsStoreFaults, StoreThatCannotBeWrittenSaysSoOnStandardError)
{
    const QString root = QString::fromStdString(TestEnv::freshDir("store"));
    for (const char* sub : { "home", "sys" })
        ASSERT_TRUE(QDir().mkpath(root + "/" + sub));
    QFile blocker(root + "/config");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto r = runProbe(APPPROBE_PROGRAM, root, { "info", "set", "Main", "Probe", "lost" });
    EXPECT_EQ(r["store"], "native");
    EXPECT_TRUE(r["stderr"].contains("cannot write the settings to " + root + "/config/"))
        << r["stderr"].toStdString();
}

} // namespace
