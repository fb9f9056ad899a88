#include "CMainFrame.h"
#include <QtGlobal>

Q_BEGIN_MESSAGE_MAP(CMainFrame, CRoutingDlg)
Q_ON_CREATE(OnCreate)
Q_END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : CRoutingDlg(nullptr)
{
}

CMainFrame::~CMainFrame() = default;

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM)
{
    const int refuse = qEnvironmentVariableIntValue("Q7300_TEST_REFUSE_CREATE");
    return refuse > 0 ? refuse : 0;
}
