#include "DlgWind.h"

#include "CDC.h"
#include "ColorPicker.h"
#include "NQPopupMenu.h"

#include <QMenu>
#include <QWidget>

Q_BEGIN_ROOT_MESSAGE_MAP(DlgWind)
Q_ON_LBUTTONDBLCLK(OnLButtonDblClk)
Q_ON_VSCROLL(OnVScroll)
Q_ON_COMMAND(1029, OnChangeColor)
Q_ON_COMMAND(1031, OnChangeFrontColor)
Q_END_MESSAGE_MAP()

DlgWind::DlgWind() = default;

DlgWind::~DlgWind() = default;

void DlgWind::LButtonDblClk(UINT, CPoint) { }

NQPopupMenu* DlgWind::GetRightButtonMenu()
{
    return menu.get();
}

void DlgWind::ColorChanged(int) { }

const char* DlgWind::Section()
{
    return "DlgWind";
}

void DlgWind::PostCreate() { }

int DlgWind::MaxY()
{
    return 9999;
}

BOOL DlgWind::OnEraseBkgnd(CDC* dc)
{
    if (!hasBackground || !fill || !dc)
        return TRUE;
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(r, background);
    return TRUE;
}

void DlgWind::OnRButtonDown(UINT, CPoint point)
{
    NQPopupMenu* m = GetRightButtonMenu();
    if (!m || !m->menu() || m->menu()->actions().isEmpty())
        return;
    m->aboutToShow();
    QWidget* w = GetWidget();
    m->menu()->exec(w ? w->mapToGlobal(QPoint(point)) : QPoint(point));
}

void DlgWind::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    CWnd::OnVScroll(code, pos, bar);
}

void DlgWind::SetBackgroundColor(COLORREF c)
{
    hasBackground = true;
    background = c;
}

void DlgWind::OnLButtonDblClk(UINT flags, CPoint point)
{
    LButtonDblClk(flags, point);
}

void DlgWind::OnChangeColor()
{
    COLORREF chosen = 0;
    if (!pickColor(GetWidget(), background, chosen))
        return;
    SetBackgroundColor(chosen);
    Invalidate();
    ColorChanged(0);
}

void DlgWind::OnChangeFrontColor()
{
    ColorChanged(1);
}
