#pragma once
#include "FrameworkTypes.h"

class CScrollBar;
class CWnd;

// Scroll notification codes DoScroll understands.
constexpr int SB_LINEUP = 2;
constexpr int SB_LINEDOWN = 3;
constexpr int SB_PAGEUP = 4;
constexpr int SB_PAGEDOWN = 5;
constexpr int SB_TOP = 6;
constexpr int SB_POSITION = 8; // the position maps linearly onto min..max

// Turns a scroll notification into a new value, clamped to [min, max]: codes 2/3
// step by `line`, 4/5 by `page`, 6 gives 0, 8 maps position from posMin..posMax
// onto min..max; other codes keep the value.
double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, int posMin, int posMax);
// The same with the position range taken from a scroll bar.
double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, const CScrollBar* bar);
// The same with the position range of a window's own bar (SB_HORZ or SB_VERT).
double DoScroll(int code, int position, double value, double min, double max, double page,
    double line, const CWnd* window, int whichBar);
