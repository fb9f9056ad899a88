#include "DoScroll.h"
#include "CScrollBar.h"
#include <algorithm>

double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, int posMin, int posMax)
{
    switch (code) {
    case SB_LINEUP:
        value -= line;
        break;
    case SB_LINEDOWN:
        value += line;
        break;
    case SB_PAGEUP:
        value -= page;
        break;
    case SB_PAGEDOWN:
        value += page;
        break;
    case SB_TOP:
        value = 0;
        break;
    case SB_POSITION:
        // An empty position range has no linear map: the value stays.
        if (posMax != posMin)
            value = min
                + (max - min) * static_cast<double>(position - posMin)
                    / static_cast<double>(posMax - posMin);
        break;
    default:
        break;
    }
    if (min <= max)
        value = std::clamp(value, min, max);
    return value;
}

double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, const CScrollBar* bar)
{
    int lo = 0, hi = 100;
    if (bar)
        bar->GetScrollRange(&lo, &hi);
    return DoScroll(code, position, value, min, max, page, line, lo, hi);
}

double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, const CWnd* window, int whichBar)
{
    return DoScroll(code, position, value, min, max, page, line,
        window ? window->GetScrollBarCtrl(whichBar) : nullptr);
}
