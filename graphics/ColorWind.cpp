#include "ColorWind.h"

#include "ColorPicker.h"
#include "NVColor.h"

#include <QWidget>

ColorWind::~ColorWind() = default;

BOOL ColorWind::Create(CWnd* parent, UINT id, NVColor* c, int, unsigned*)
{
    color = c;
    BOOL ok = CWnd::Create("ColorWind", color ? (const char*)color->GetEntry() : "ColorWind",
        WS_VISIBLE_BIT, CRect(0, 0, swatchWidth, swatchHeight), parent, id);
    if (QWidget* w = GetWidget())
        w->setFixedSize(swatchWidth, swatchHeight);
    Refresh();
    return ok;
}

void ColorWind::Refresh()
{
    // Drawing ignores the alpha byte: a colour stored with alpha 0 still
    // shows in its red, green and blue.
    if (color)
        SetBackgroundColor(0xFF000000 | (color->Get() & 0xFFFFFF));
    Invalidate();
}

void ColorWind::LButtonDblClk(UINT, CPoint)
{
    if (!color)
        return;
    COLORREF chosen = 0;
    if (!pickColor(GetWidget(), 0xFF000000 | (color->Get() & 0xFFFFFF), chosen))
        return;
    *color = 0xFF000000 | (chosen & 0xFFFFFF);
    Refresh();
}
