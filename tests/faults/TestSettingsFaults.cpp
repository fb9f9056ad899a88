// A settings store that is damaged or cannot be written: the editor starts on
// sane values, and settings it does not understand are not thrown away.
#include "FaultFixture.h"

#include "CWinApp.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

namespace faults {
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

class SettingsFaultTest : public FaultTest {
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

// The program's settings file inside the data folder cannot be a file (here a
// folder sits in its place): the native store takes over and keeps settings
// from one run to the next.
TEST_F(SettingsFaultTest, SettingsFileThatCannotBeWrittenFallsBackToTheNativeStore)
{
    const QString oldName = QCoreApplication::applicationName();
    const QString app = QStringLiteral("faults-app");
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + "/Zorvanta/" + app;
    ASSERT_TRUE(QDir().mkpath(folder + "/" + app + ".ini"));
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
    EXPECT_TRUE(QFileInfo(folder + "/" + app + ".ini").isDir())
        << "the blocking folder was touched";
    QCoreApplication::setApplicationName(oldName);
    SetProfileStore(store.get());
}

} // namespace
} // namespace faults
