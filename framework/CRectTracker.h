#pragma once
#include "FrameworkTypes.h"
#include "Geometry.h"
#include <QPointer>

class CDC;
class CWnd;
class QRubberBand;

// Rubber-band area selection: Track runs a nested event loop while the user drags
// out a rectangle over a window.
class CRectTracker {
public:
    CRectTracker();
    ~CRectTracker();
    CRectTracker(const CRectTracker&) = delete;
    CRectTracker& operator=(const CRectTracker&) = delete;

    // Starts at `start`; mouse moves set the bottom-right corner. TRUE when the
    // drag ended with a button release, FALSE when cancelled with Escape (or when
    // the window went away). With allowInvert the rectangle ends normalised.
    BOOL Track(CWnd* window, CPoint start, BOOL allowInvert = FALSE, CWnd* clip = nullptr);
    // Draws the band's outline into a drawing context.
    void Draw(CDC* dc) const;
    // No resize handles: always -1.
    int HitTest(CPoint point) const;
    // TRUE while Track runs.
    BOOL IsTracking() const { return m_state != 0; }

    CRect m_rect;

private:
    class Filter;
    int m_state = 0; // 0 idle, 1 tracking
    QPointer<QRubberBand> m_band;
};
