#include "ClockIndicator.h"

#include "CDC.h"
#include "CPaintDC.h"
#include "ScopedSelectors.h"

#include <QFont>
#include <QWidget>
#include <cmath>

Q_BEGIN_ROOT_MESSAGE_MAP(ClockIndicator)
Q_ON_PAINT(OnPaint)
Q_END_MESSAGE_MAP()

ClockIndicator::ClockIndicator(
    CWnd* parent, const char* text, COLORREF face, int width, COLORREF hand)
    : faceColor(face)
    , penWidth(width)
    , handColor(hand)
    , caption(text)
{
    if (parent) {
        created = CWnd::Create("ClockIndicator", "ClockIndicator", WS_VISIBLE_BIT,
                      CRect(100, 100, 200, 200), parent, 0)
            != FALSE;
        if (QWidget* w = GetWidget()) {
            QFont f("Times", 10);
            f.setBold(true);
            w->setFont(f);
        }
    }
    GetClientRect(&faceRect);
    faceRect.DeflateRect(penWidth / 2, penWidth / 2);
    int rx = faceRect.Width() / 2 - 2;
    int ry = faceRect.Height() / 2 - 2;
    // The device's clock steps in twelfths of this (slightly short) turn.
    for (int i = 0; i < 12; ++i) {
        double a = ((i + 9) % 12) * 6.28312 / 12;
        tips[i] = CPoint(int(std::cos(a) * rx), int(std::sin(a) * ry));
    }
}

ClockIndicator::~ClockIndicator() = default;

void ClockIndicator::Click()
{
    ++counter;
    Invalidate();
}

CPoint ClockIndicator::LongHandEnd() const
{
    return GetCentre() + tips[counter % 12];
}

CPoint ClockIndicator::ShortHandEnd() const
{
    CPoint t = tips[(counter / 12) % 12];
    return GetCentre() + CPoint(t.x / 3, t.y / 3);
}

void ClockIndicator::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void ClockIndicator::Paint(CDC* dc)
{
    NPen pen(dc, 1, penWidth, handColor);
    NBrush brush(dc, faceColor);
    NBackColor back(dc, faceColor);
    dc->Ellipse(faceRect);
    if (!caption.IsEmpty()) {
        CRect top(
            faceRect.left, faceRect.top + 10, faceRect.right, (faceRect.top + faceRect.bottom) / 2);
        dc->DrawText(caption, top, Qt::AlignHCenter);
    }
    dc->MoveTo(GetCentre());
    dc->LineTo(LongHandEnd());
    dc->MoveTo(GetCentre());
    dc->LineTo(ShortHandEnd());
}
