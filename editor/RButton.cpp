#include "RButton.h"

RButton::~RButton() = default;

int RButton::Create(const char* text, UINT style, const CRect& rect, CWnd* parent, UINT id)
{
    createRect = rect;
    return CButton::Create(text, style, rect, parent, id);
}
