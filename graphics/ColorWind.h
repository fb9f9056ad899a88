#pragma once
// A colour swatch: a 20 by 10 box filled with the red, green and blue of a
// persistent colour; a left double-click lets the user pick a new colour,
// which is stored at once.

#include "DlgWind.h"

class NVColor;

class ColorWind : public DlgWind {
public:
    static constexpr int swatchWidth = 20;
    static constexpr int swatchHeight = 10;

    ColorWind() = default;
    ~ColorWind() override;

    // Creates the swatch as a child of parent and binds it to colour. The
    // last two arguments are not used.
    BOOL Create(
        CWnd* parent, UINT id, NVColor* colour, int unused = 0, unsigned* unusedFlags = nullptr);

    // Shows the colour's current value again and repaints.
    void Refresh();

    void LButtonDblClk(UINT flags, CPoint point) override;

    NVColor* GetColor() const { return color; }

private:
    NVColor* color = nullptr;
};
