// The process-wide message box seam: default answers, scripted answers, nesting.
#include "MessageBoxHook.h"
#include "MessageBoxScript.h"
#include <QObject>
#include <gtest/gtest.h>

TEST(MessageBoxHook, DefaultPrintsAndAnswersTheFirstButton)
{
    struct Case {
        UINT flags;
        int answer;
    } cases[] = {
        { MB_OK, IDBOX_OK },
        { MB_OKCANCEL | MB_ICONQUESTION, IDBOX_OK },
        { MB_YESNO, IDYES },
        { 0x80, IDYES },
        { MB_RETRYCANCEL, IDRETRY },
        { MB_ABORTRETRYIGNORE | MB_ICONCRITICAL, IDABORT },
        { 0x30, IDBOX_OK }, // not a listed button set
        { 0x400, IDBOX_OK },
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        const int r = FrameworkMessageBox(nullptr, "second line", "Main text", c.flags);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(r, c.answer) << "flags " << c.flags;
        EXPECT_NE(err.find("Main text"), std::string::npos);
        EXPECT_NE(err.find("second line"), std::string::npos);
    }
}

TEST(MessageBoxHook, ButtonSetsAndIcons)
{
    EXPECT_EQ(messageBoxButtons(MB_OKCANCEL), (std::vector<int> { 1024, 0x400000 }));
    EXPECT_EQ(messageBoxButtons(MB_YESNO), (std::vector<int> { 0x4000, 0x10000 }));
    EXPECT_EQ(messageBoxButtons(MB_RETRYCANCEL), (std::vector<int> { 0x80000, 0x400000 }));
    EXPECT_EQ(
        messageBoxButtons(MB_ABORTRETRYIGNORE), (std::vector<int> { 0x40000, 0x80000, 0x100000 }));
    // Icon bits do not change the buttons, button bits do not change the icon.
    EXPECT_EQ(messageBoxButtons(MB_YESNO | MB_ICONWARNING), messageBoxButtons(MB_YESNO));
    EXPECT_EQ(messageBoxIcon(MB_YESNO | MB_ICONWARNING), 2);
    EXPECT_EQ(messageBoxIcon(MB_ICONQUESTION), 4);
    EXPECT_EQ(messageBoxIcon(5), 0);
    EXPECT_EQ(messageBoxIcon(7), 0);
}

TEST(MessageBoxHook, ScriptRecordsBoxesAndAnswersInTurn)
{
    MessageBoxScript script;
    script.answer(IDNO);
    EXPECT_EQ(
        FrameworkMessageBox(nullptr, "details", "Question?", MB_YESNO | MB_ICONQUESTION), IDNO);
    // Script exhausted: the first button.
    EXPECT_EQ(FrameworkMessageBox(nullptr, "t", "c", MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].caption, QString("Question?"));
    EXPECT_EQ(script.boxes()[0].text, QString("details"));
    EXPECT_EQ(script.boxes()[0].icon, 4);
    EXPECT_EQ(script.boxes()[0].buttons, (std::vector<int> { IDYES, IDNO }));
    EXPECT_EQ(script.boxes()[1].icon, 2);
}

TEST(MessageBoxHook, NestedScriptsRestoreTheOuterOne)
{
    MessageBoxScript outer;
    outer.answer(IDBOX_CANCEL);
    {
        MessageBoxScript inner;
        inner.answer(IDIGNORE);
        EXPECT_EQ(FrameworkMessageBox(nullptr, "", "inner", MB_ABORTRETRYIGNORE), IDIGNORE);
        EXPECT_EQ(inner.boxes().size(), 1u);
    }
    EXPECT_EQ(FrameworkMessageBox(nullptr, "", "outer", MB_OKCANCEL), IDBOX_CANCEL);
    EXPECT_EQ(outer.boxes().size(), 1u);
}

TEST(MessageBoxHook, InstalledHandlerReceivesParentAndFlags)
{
    QObject* seenParent = nullptr;
    UINT seenFlags = 0;
    QObject parent;
    MessageBoxHandler previous
        = setMessageBoxHandler([&](QObject* p, const QString&, const QString&, UINT flags) {
              seenParent = p;
              seenFlags = flags;
              return 77;
          });
    EXPECT_EQ(FrameworkMessageBox(&parent, "a", "b", 0x212), 77);
    setMessageBoxHandler(std::move(previous));
    EXPECT_EQ(seenParent, &parent);
    EXPECT_EQ(seenFlags, 0x212u);
}
