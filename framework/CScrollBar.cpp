#include "CScrollBar.h"
#include <QScrollBar>

BOOL CScrollBar::build(CWnd* parent, bool vertical)
{
    if (!parent || !parent->GetWidget())
        return FALSE;
    m_parent = parent;
    auto* bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, parent->GetWidget());
    bar->setRange(0, 100);
    setWidget(bar);
    return TRUE;
}

BOOL CScrollBar::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (!build(parent, (style & 0x1) != 0))
        return FALSE;
    SetDlgCtrlID(id);
    GetWidget()->setGeometry(rect.toQRect());
    GetWidget()->setVisible((style & WS_VISIBLE_BIT) != 0);
    return TRUE;
}

BOOL CScrollBar::CreateOwn(CWnd* window, bool vertical)
{
    // An own bar is not a dialog control: keep it out of any control list.
    if (!build(window, vertical))
        return FALSE;
    m_parent = nullptr;
    return TRUE;
}

QScrollBar* CScrollBar::scrollBar() const
{
    return qobject_cast<QScrollBar*>(GetWidget());
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const
{
    QScrollBar* b = scrollBar();
    if (minPos)
        *minPos = b ? b->minimum() : 0;
    if (maxPos)
        *maxPos = b ? b->maximum() : 0;
}

int CScrollBar::SetScrollPos(int pos, BOOL)
{
    QScrollBar* b = scrollBar();
    if (!b)
        return 0;
    int old = b->value();
    b->setValue(pos);
    return old;
}

void CScrollBar::Show(BOOL show)
{
    if (QWidget* w = GetWidget())
        w->setVisible(show != FALSE);
}
