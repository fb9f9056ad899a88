// The editor's command list, its commands, its message map, the typed-name
// check of the user presets and the help window.
#include "EditorFixture.h"

#include "CMenu.h"
#include "CommsHooks.h"
#include "HelpDialog.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "NQPopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

using namespace editortest;

namespace {

// Texts of a menu's items, "-" for a separator, "*" after a checked item.
std::vector<std::string> items(CMenu* menu)
{
    std::vector<std::string> out;
    for (QAction* a : menu->popup()->menu()->actions())
        out.push_back(
            a->isSeparator() ? "-" : a->text().toStdString() + (a->isChecked() ? "*" : ""));
    return out;
}

} // namespace

class MenusTest : public EditorTest { };

TEST_F(MenusTest, CommandListInOrderWithChecksFollowingModelAndDemoMode)
{
    open(1);
    CMenu* sys = dlg->GetSystemMenu(FALSE);
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(items(sys),
        std::vector<std::string>({ "-", "Q7300", "Q7300A*", "Q7300FW", "-", "Bigger", "Smaller",
            "-", "Colors", "Off-line Demo Mode*", "Comms Config", "-", "Undo", "Redo",
            "Export Patch Sheet...", "-" }));
    for (UINT id : { 105u, 106u, 107u, 108u, 109u, 110u, 111u, 112u })
        EXPECT_NE(sys->FindItem(id, 0), nullptr) << id;

    // A menu built afresh (the right-click menu) has the list alone.
    CMenu popup;
    popup.CreatePopupMenu();
    dlg->BuildMenu(&popup);
    const auto list = items(sys);
    EXPECT_EQ(items(&popup), std::vector<std::string>(list.begin() + 1, list.end() - 1));
    dlg->SetChecks(nullptr); // no menu: nothing happens

    // Choosing the base model reloads its page; with no Q7300 attached it is demo mode.
    dlg->local = 0;
    dlg->deviceModel = 1;
    EXPECT_EQ(dlg->UpdateMap(0, 0, msgCommand, scCommand, 105), 0);
    EXPECT_EQ(tablenum, 0);
    EXPECT_EQ(dlg->local, 1);
    EXPECT_EQ(items(sys)[1], "Q7300*");
    EXPECT_EQ(items(sys)[2], "Q7300A");
    EXPECT_NE(node(SPDIFcin, 0), nullptr) << "the base model's page is built";
}

TEST_F(MenusTest, CommandsReachTheirHandlersAndIdsOutsideTheRangeAreNotTaken)
{
    open(0);
    int sheets = 0;
    auto previous = commsHooks().runConfigSheet;
    commsHooks().runConfigSheet = [&sheets](ZorvantaMidiProcessor&) {
        ++sheets;
        return 0;
    };
    dlg->UpdateMap(0, 0, msgCommand, scCommand, 110);
    EXPECT_EQ(sheets, 1);
    EXPECT_TRUE(dlg->DoSysCommand(110));
    EXPECT_EQ(sheets, 2);
    commsHooks().runConfigSheet = previous;

    EXPECT_FALSE(dlg->DoSysCommand(102));
    EXPECT_FALSE(dlg->DoSysCommand(116));
    EXPECT_TRUE(dlg->DoSysCommand(103));
    EXPECT_TRUE(dlg->DoSysCommand(115));

    // An IDOK command never ends the editor.
    dlg->UpdateMap(0, 0, msgCommand, scClicked, IDOK);
    QApplication::processEvents();
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(MenusTest, HelpWindowShowsTheFileUpToAZeroByteOrSaysItIsMissing)
{
    auto shown = [](const char* name) {
        HelpDialog help(131, 1022, name, nullptr);
        help.Create(131, nullptr);
        CString title;
        help.GetWindowText(title);
        EXPECT_STREQ(title, "Routing Help");
        auto* text = qobject_cast<QPlainTextEdit*>(help.GetDlgItem(1022)->GetWidget());
        EXPECT_NE(help.GetDlgItem(IDOK), nullptr);
        return text ? text->toPlainText().toStdString() : std::string("<no text field>");
    };
    QDir::setCurrent(QString::fromStdString(dir));
    QFile::remove("read_me.txt");
    EXPECT_EQ(shown("read_me.txt"), "Can't find text file \"read_me.txt\"");
    QFile f("read_me.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("First line\nsecond\0hidden", 24));
    f.close();
    EXPECT_EQ(shown("read_me.txt"), "First line\nsecond");
}
