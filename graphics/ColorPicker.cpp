#include "ColorPicker.h"

#include "GdiObjects.h"

#include <QColorDialog>

namespace {

ColorPickerHandler& handler()
{
    static ColorPickerHandler h;
    return h;
}

} // namespace

ColorPickerHandler setColorPickerHandler(ColorPickerHandler h)
{
    ColorPickerHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

bool pickColor(QWidget* parent, COLORREF initial, COLORREF& chosen)
{
    if (handler())
        return handler()(parent, initial, chosen);
    QColor c = QColorDialog::getColor(ColorFromArgb(initial), parent);
    if (!c.isValid())
        return false;
    chosen = ArgbFromColor(c);
    return true;
}
