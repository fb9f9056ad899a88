// Folders and preset names with letters outside ASCII, in a fresh process
// (see FreshProcess.h).
#include "FreshProcess.h"

#include "CRoutingDlg.h"
#include "CWinApp.h"
#include "EditorFixture.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "ProbeRun.h"
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <cstdio>

namespace faults {

using namespace editortest;

int childNonAsciiFolders(int argc, char** argv)
{
    CWinApp app(argc, argv);
    std::printf("store=%s\n", app.usesIniFile() ? "ini" : "native");
    std::printf(
        "sizer.stored=%s\n", GetProfileString("Nerilune", "Sizer", "").operator const char*());
    WriteProfileInt("main", "machine", 0);
    WriteProfileInt("main", "local", 1);
    MessageBoxScript boxes;
    for (int m = 0; m < modelCount; ++m)
        writePanelFiles(m);
    QDir::setCurrent(qEnvironmentVariable("HOME"));
    const char* name = "Live \xc3\x84 \xe2\x82\xac";
    int rc = 0;
    {
        CRoutingDlg dlg(nullptr);
        dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
        dlg.KillTimer(dlg.timerId);
        std::printf("nodes=%d\n", dlg.nodes.GetCount());
        rc = dlg.nodes.GetCount() == ioNodeCount(main_table[0]) ? 0 : 1;
        // The user types the name and presses "Save", empties the page, then
        // picks the preset from the list.
        auto* field = qobject_cast<QComboBox*>(dlg.userPresets.GetWidget());
        auto* save = qobject_cast<QPushButton*>(dlg.saveButton->GetWidget());
        if (!field || !save)
            return 2;
        connectSomething(dlg);
        const int saved = dlg.lines.GetCount();
        field->setEditText(QString::fromUtf8(name));
        save->click();
        dlg.DeleteAllLines();
        const int listed = field->findText(QString::fromUtf8(name));
        std::printf("listed=%d\n", listed >= 0 ? 1 : 0);
        if (listed >= 0) {
            field->setCurrentIndex(listed);
            emit field->activated(listed);
        }
        std::printf("loaded=%d\n", saved > 0 && dlg.lines.GetCount() == saved ? 1 : 0);
        dlg.OnOkExit();
        dlg.DestroyWindow();
    }
    std::printf(
        "sizer.written=%s\n", GetProfileString("Nerilune", "Sizer", "").operator const char*());
    for (const auto& b : boxes.boxes())
        std::printf("box=%s | %s\n", qStringToText(b.caption).constData(),
            qStringToText(b.text).constData());
    std::fflush(stdout);
    return rc;
}

// Install prefix, HOME and the XDG folders below "J\u00fcrgen \u03a9": the page
// loads, a preset named with letters outside ASCII saves, lists and loads,
// "-Previous" lands in the user's folder and the settings come back next time.
TEST(FreshProcessFaults, FoldersAndPresetNamesWithLettersOutsideAsciiWork)
{
    const QString root = QString::fromStdString(TestEnv::freshDir("fresh"))
        + QString::fromUtf8("/J\xc3\xbcrgen \xce\xa9");
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    for (const QString& sub : QStringList { "data/" + app, "data/Zorvanta/" + app })
        ASSERT_TRUE(QDir().mkpath(root + "/" + sub));
    QMap<QString, QString> runs[2];
    for (auto& values : runs) {
        values = runProbe(QCoreApplication::applicationFilePath(), root, { kChildNonAsciiFolders });
        EXPECT_EQ(values["exit"], "0") << values["stderr"].toStdString();
        EXPECT_EQ(values["store"], "ini");
        EXPECT_EQ(values["listed"], "1");
        EXPECT_EQ(values["loaded"], "1");
        EXPECT_FALSE(values.contains("box")) << values["box"].toStdString();
    }
    EXPECT_FALSE(runs[0]["sizer.written"].isEmpty());
    EXPECT_EQ(runs[1]["sizer.stored"], runs[0]["sizer.written"]);
    const QString presets = root + "/config/Zorvanta/" + app + "/Q7300/";
    EXPECT_TRUE(QFileInfo(presets + QString::fromUtf8("Live \xc3\x84 \xe2\x82\xac.rut")).isFile());
    EXPECT_TRUE(QFileInfo(presets + "-Previous.rut").isFile());
    EXPECT_TRUE(QFileInfo(root + "/data/" + app + "/" + app + ".ini").isFile());
}

} // namespace faults
