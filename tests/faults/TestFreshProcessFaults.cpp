// The user's preferences folder cannot exist because a file sits where it
// should be: every save says "Cannot save file", the file is left alone and
// the editor closes normally. Run in a fresh process (see FreshProcess.h).
#include "FreshProcess.h"

#include "CRoutingDlg.h"
#include "FaultFixture.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

#include <cstdio>

namespace faults {

int childConfigFolderBlocked()
{
    const QString work = qEnvironmentVariable("Q7300_FAULTS_DIR");
    if (work.isEmpty())
        return 3;
    QSettings settings(work + "/settings.ini", QSettings::IniFormat);
    SetProfileStore(&settings);
    WriteProfileInt("main", "machine", 0);
    WriteProfileInt("main", "local", 1);
    MessageBoxScript boxes;
    installPanelFiles();
    QDir::setCurrent(work);
    int rc = 0;
    {
        CRoutingDlg dlg(nullptr);
        dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
        dlg.KillTimer(dlg.timerId);
        if (dlg.nodes.GetCount() != ioNodeCount(main_table[0])) {
            std::printf("page: %d nodes\n", dlg.nodes.GetCount());
            rc = 1;
        }
        dlg.Save("Mine");
        dlg.OnOkExit();
        dlg.DestroyWindow();
    }
    for (const auto& b : boxes.boxes())
        std::printf("box: %s | %s\n", qPrintable(b.caption), qPrintable(b.text));
    std::fflush(stdout);
    SetProfileStore(nullptr);
    return rc;
}

namespace {

TEST(FreshProcessFaults, PreferencesFolderBlockedByAFileMakesEverySaveSaySo)
{
    const QString root = QString::fromStdString(TestEnv::freshDir("fresh"));
    for (const char* sub : { "data", "home", "datadirs", "work" })
        ASSERT_TRUE(QDir().mkpath(root + "/" + sub));
    const QString blocker = root + "/config";
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the user's file\n");
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", blocker);
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("XDG_DATA_DIRS", root + "/datadirs");
    env.insert("HOME", root + "/home");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("Q7300_FAULTS_DIR", root + "/work");
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), { kChildConfigBlocked });
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(child.readAll());
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << out.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();

    const QString folder = blocker + "/Zorvanta/" + QCoreApplication::applicationName() + "/Q7300";
    EXPECT_TRUE(out.contains("box: Cannot save file | " + folder + "/Mine.rut"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("box: Cannot save file | " + folder + "/-Previous.rut"))
        << out.toStdString();
    EXPECT_EQ(out.count("box: "), 2) << out.toStdString();
    EXPECT_EQ(fileBytes(blocker), "the user's file\n");
}

} // namespace
} // namespace faults
