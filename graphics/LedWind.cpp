#include "LedWind.h"

#include "CDC.h"
#include "CPaintDC.h"
#include "ScopedSelectors.h"

Q_BEGIN_MESSAGE_MAP(LedWind, DlgWind)
Q_ON_PAINT(OnPaint)
Q_END_MESSAGE_MAP()

namespace {
constexpr COLORREF darkLamp = 0xFF404040;
}

LedWind::LedWind(COLORREF c)
    : litColor(c)
{
}

LedWind::~LedWind() = default;

void LedWind::SetLit(bool on)
{
    if (lit == on)
        return;
    lit = on;
    Invalidate();
}

void LedWind::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void LedWind::Paint(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    NPen pen(dc, 1, 1, 0xFF000000);
    NBrush brush(dc, lit ? litColor : darkLamp);
    dc->Ellipse(r);
}
