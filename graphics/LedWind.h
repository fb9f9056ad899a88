#pragma once
// A round indicator lamp drawn on its window's background: lit in its
// colour, dark otherwise.

#include "DlgWind.h"

class LedWind : public DlgWind {
    Q_DECLARE_MESSAGE_MAP(LedWind)
public:
    explicit LedWind(COLORREF litColor = 0xFF00FF00);
    ~LedWind() override;

    void SetLit(bool on);

    // Draws the lamp into dc (the paint handler's work).
    void Paint(CDC* dc);

protected:
    void OnPaint();

private:
    COLORREF litColor;
    bool lit = false;
};
