// Program entry: builds the application object and the main frame, runs the
// main frame and tears both down in that order.
#include "CMainFrame.h"
#include "CWinApp.h"
#include "CommsWindows.h"
#include "MessageBoxQt.h"
#include "ShellRun.h"
#include <memory>

int main(int argc, char** argv)
{
    auto app = std::make_unique<CWinApp>(argc, argv);
    // Users see boxes and the comms windows as real windows; the protocol object
    // built with the main frame already reports through them.
    InstallQtMessageBox();
    InstallCommsWindows();
    auto frame = std::make_unique<CMainFrame>();
    const int status = RunMainFrame(*app, *frame);
    frame.reset();
    app.reset();
    return status;
}
