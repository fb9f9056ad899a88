// Program entry: builds the application object and the main frame, dispatches
// msgCreate, runs the main frame modally and tears both down in order.
//
// Test hook: when Q7300_TEST_CLOSE_AFTER_MS holds a number, the main frame is ended
// with IDOK that many milliseconds after its modal loop starts, so tests can run the
// real program headless and check its exit status.
#include "CMainFrame.h"
#include "CWinApp.h"
#include "CommsWindows.h"
#include "MessageBoxQt.h"
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace {

void closeWhenNoBoxIsOpen(CMainFrame* frame, int ms)
{
    QTimer::singleShot(ms, [frame, ms] {
        // Boxes the start-up raised (no MIDI service, for one) run nested loops
        // on top of the main frame's: close them and try again once the main
        // frame's own loop runs.
        bool closed = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != frame->GetWidget() && w->isModal() && w->isVisible()) {
                w->close();
                closed = true;
            }
        if (closed)
            closeWhenNoBoxIsOpen(frame, 50);
        else
            frame->EndDialog(IDOK);
    });
}

void armTestClose(CMainFrame* frame)
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("Q7300_TEST_CLOSE_AFTER_MS", &ok);
    if (!ok || ms < 0)
        return;
    closeWhenNoBoxIsOpen(frame, ms);
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    auto app = std::make_unique<CWinApp>(argc, argv);
    // Users see boxes and the comms windows as real windows; the protocol object
    // built with the main frame already reports through them.
    InstallQtMessageBox();
    InstallCommsWindows();
    auto frame = std::make_unique<CMainFrame>();
    app->m_pMainWnd = frame.get();

    // -1 (no handler) and 0 continue; a positive answer refuses start-up.
    if (frame->UpdateMap(0, 0, msgCreate) > 0) {
        status = 1;
    } else if (!app->InitInstance()) {
        status = 1;
    } else {
        armTestClose(frame.get());
        frame->DoModal(); // its result does not change the exit status
    }

    frame.reset();
    app->m_pMainWnd = nullptr;
    app.reset();
    return status;
}
