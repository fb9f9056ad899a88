// The process-wide message box seam: default answers, scripted answers, nesting.
#include "MessageBoxHook.h"
#include "MessageBoxScript.h"
#include <gtest/gtest.h>

TEST(MessageBoxHook, WithoutAScriptTheBoxIsPrintedAndTheFirstButtonAnswers)
{
    const std::pair<UINT, int> cases[] = {
        { MB_OKCANCEL | MB_ICONQUESTION, IDBOX_OK }, { MB_YESNO, IDYES },
        { MB_RETRYCANCEL, IDRETRY }, { MB_ABORTRETRYIGNORE | MB_ICONCRITICAL, IDABORT },
        { 0x30, IDBOX_OK }, // not a listed button set
    };
    for (const auto& [flags, answer] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(FrameworkMessageBox(nullptr, "second line", "Main text", flags), answer);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("Main text"), std::string::npos);
        EXPECT_NE(err.find("second line"), std::string::npos);
    }
}

TEST(MessageBoxHook, ScriptsAnswerInTurnRecordTheBoxAndNest)
{
    MessageBoxScript outer;
    outer.answer(IDBOX_CANCEL);
    {
        MessageBoxScript inner;
        inner.answer(IDNO);
        EXPECT_EQ(
            FrameworkMessageBox(nullptr, "details", "Question?", MB_YESNO | MB_ICONWARNING), IDNO);
        EXPECT_EQ(FrameworkMessageBox(nullptr, "", "", MB_RETRYCANCEL), IDRETRY); // exhausted
        ASSERT_EQ(inner.boxes().size(), 2u);
        EXPECT_EQ(inner.boxes()[0].caption, QString("Question?"));
        EXPECT_EQ(inner.boxes()[0].text, QString("details"));
        EXPECT_EQ(inner.boxes()[0].icon, 2);
        EXPECT_EQ(inner.boxes()[0].buttons, (std::vector<int> { IDYES, IDNO }));
    }
    EXPECT_EQ(FrameworkMessageBox(nullptr, "", "outer", MB_OKCANCEL), IDBOX_CANCEL);
    EXPECT_EQ(outer.boxes().size(), 1u);
}
