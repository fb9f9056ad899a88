// The program's start-up sequence, run in-process the way main runs it.
#include "CMainFrame.h"
#include "CWinApp.h"
#include "ShellRun.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

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

// A run with extra arguments ends with status 0 when the user closes the
// window; a refused creation ends with status 1 without showing it.
TEST(Shell, RunEndsWithZeroWhenClosedAndOneWhenCreationIsRefused)
{
    for (bool refuse : { false, true }) {
        Args args;
        CWinApp app(refuse ? 1 : 3, args.argv);
        std::unique_ptr<CMainFrame> frame(refuse ? new RefusingFrame : new CMainFrame);
        bool shown = false;
        closeWindowLater(*frame, shown);
        EXPECT_EQ(RunMainFrame(app, *frame), refuse ? 1 : 0);
        QApplication::processEvents();
        EXPECT_EQ(shown, !refuse);
    }
}
