#include "CClientDC.h"
#include "CWnd.h"
#include <QWidget>

CClientDC::CClientDC(CWnd* window)
    : m_wnd(window)
{
    if (!window)
        return;
    SetWindow(window);
    if (QWidget* w = window->GetWidget())
        SetWindowFont(w->font());
    if (QPainter* p = window->beginContextPaint()) {
        m_open = true;
        Attach(p);
    }
}

CClientDC::~CClientDC()
{
    End();
    if (m_open && m_wnd)
        m_wnd->endContextPaint();
}
