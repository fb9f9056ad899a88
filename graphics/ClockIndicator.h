#pragma once
// The activity clock: a round face whose hands step on at every Click(),
// shown while a long multi-part exchange is received.

// CWnd.h reads its widget pointer inline, which needs the complete widget type.
#include <QWidget>

#include "CString.h"
#include "CWnd.h"
#include "MessageMap.h"

class CDC;

class ClockIndicator : public CWnd {
    Q_DECLARE_MESSAGE_MAP(ClockIndicator)
public:
    // With a parent, creates the clock window at (100, 100, 200, 200) of it.
    ClockIndicator(
        CWnd* parent, const char* caption, COLORREF faceColor, int penWidth, COLORREF handColor);
    ~ClockIndicator() override;

    // Advances the hands by one tick and repaints.
    void Click();

    CPoint GetCentre() const { return CPoint(faceRect.Width() / 2, faceRect.Height() / 2); }
    CPoint LongHandEnd() const;
    CPoint ShortHandEnd() const;

    // Draws the clock into dc (the paint handler's work).
    void Paint(CDC* dc);

protected:
    void OnPaint();

private:
    COLORREF faceColor;
    int penWidth;
    COLORREF handColor;
    CRect faceRect;
    int counter = 0;
    CString caption;
    bool created = false;
    CPoint tips[12];
};
