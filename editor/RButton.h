// An option button on the panel picture; keeps the rectangle it was created
// with, from which every rescaling starts.
#pragma once

#include <QWidget>

#include "CButton.h"
#include "Geometry.h"

class RButton : public CButton {
public:
    RButton() = default;
    ~RButton() override;
    RButton(const RButton&) = delete;
    RButton& operator=(const RButton&) = delete;

    // Creates the button and remembers rect as its creation rectangle.
    int Create(const char* text, UINT style, const CRect& rect, CWnd* parent, UINT id);

    CRect createRect;
};
