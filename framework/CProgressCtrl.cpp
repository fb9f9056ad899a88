#include "CProgressCtrl.h"
#include <QProgressBar>

BOOL CProgressCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    if (bar())
        return TRUE;
    m_parent = parent;
    auto* b = new QProgressBar(parent ? parent->GetWidget() : nullptr);
    setWidget(b);
    b->setRange(0, 100);
    b->setValue(0);
    placeControl(style, rect, parent, id);
    return TRUE;
}

QProgressBar* CProgressCtrl::bar() const
{
    return qobject_cast<QProgressBar*>(GetWidget());
}

void CProgressCtrl::SetRange32(int lo, int hi)
{
    if (QProgressBar* b = bar()) {
        b->setRange(lo, hi);
        if (b->value() < lo)
            b->setValue(lo);
    }
}

void CProgressCtrl::GetRange(int& lo, int& hi) const
{
    QProgressBar* b = bar();
    lo = b ? b->minimum() : 0;
    hi = b ? b->maximum() : 0;
}

int CProgressCtrl::SetPos(int pos)
{
    QProgressBar* b = bar();
    if (!b)
        return 0;
    int old = b->value();
    b->setValue(pos);
    return old;
}

int CProgressCtrl::GetPos() const
{
    QProgressBar* b = bar();
    return b ? b->value() : 0;
}
