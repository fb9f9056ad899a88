// The program's start-up sequence, run in-process the way main runs it.
#include "CMainFrame.h"
#include "CWinApp.h"
#include "ShellRun.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class RefusingFrame : public CMainFrame {
protected:
    LRESULT OnRefuse(WPARAM, LPARAM) { return 1; }
    Q_DECLARE_MESSAGE_MAP(RefusingFrame)
};

Q_BEGIN_MESSAGE_MAP(RefusingFrame, CMainFrame)
Q_ON_CREATE(OnRefuse)
Q_END_MESSAGE_MAP()

// Closes the editor's window as a user would, once no box that start-up raised
// is open over it; records whether the window was ever on the screen.
void closeWindowLater(CDialog& frame, bool& shown, int ms = 300)
{
    QTimer::singleShot(ms, [&frame, &shown] {
        bool boxOpen = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != frame.GetWidget() && w->isModal() && w->isVisible()) {
                w->close();
                boxOpen = true;
            }
        if (boxOpen) {
            closeWindowLater(frame, shown, 50);
            return;
        }
        QWidget* window = frame.GetWidget();
        shown = shown || (window && window->isVisible());
        if (window)
            window->close();
    });
}

struct Args {
    std::string prog = "q7300-routing", a = "extra", b = "arguments";
    char* argv[3] = { prog.data(), a.data(), b.data() };
};

} // namespace

TEST(Shell, ClosingTheWindowEndsARunWithExtraArgumentsWithStatusZero)
{
    Args args;
    CWinApp app(3, args.argv);
    CMainFrame frame;
    bool shown = false;
    closeWindowLater(frame, shown);
    EXPECT_EQ(RunMainFrame(app, frame), 0);
    EXPECT_TRUE(shown);
}

TEST(Shell, RefusedCreationEndsWithStatusOneWithoutShowingTheWindow)
{
    Args args;
    CWinApp app(1, args.argv);
    RefusingFrame frame;
    bool shown = false;
    closeWindowLater(frame, shown);
    EXPECT_EQ(RunMainFrame(app, frame), 1);
    QApplication::processEvents();
    EXPECT_FALSE(shown);
}
