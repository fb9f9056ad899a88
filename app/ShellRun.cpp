#include "ShellRun.h"

#include "CDialog.h"
#include "CWinApp.h"

int RunMainFrame(CWinApp& app, CDialog& frame)
{
    app.m_pMainWnd = &frame;
    int status = 0;
    // -1 (no handler) and 0 continue; a positive answer refuses start-up.
    if (frame.UpdateMap(0, 0, msgCreate) > 0)
        status = 1;
    else if (!app.InitInstance())
        status = 1;
    else
        frame.DoModal(); // its result does not change the exit status
    app.m_pMainWnd = nullptr;
    return status;
}
