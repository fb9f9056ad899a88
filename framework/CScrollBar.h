#pragma once
#include "CWnd.h"

class QScrollBar;

// A scroll bar control; also serves as a window's own bars.
class CScrollBar : public CWnd {
public:
    // Width of a vertical bar and height of a horizontal one.
    static constexpr int kThickness = 15;

    CScrollBar() = default;
    // A bar in the parent's widget at rect; vertical when style has bit 0x1.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // A window's own bar, laid out by the window.
    BOOL CreateOwn(CWnd* window, bool vertical);

    void GetScrollRange(int* minPos, int* maxPos) const;
    // Returns the previous position.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void Show(BOOL show = TRUE);

    QScrollBar* scrollBar() const;

private:
    BOOL build(CWnd* parent, bool vertical);
};
