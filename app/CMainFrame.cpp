#include "CMainFrame.h"

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
    return 0;
}
