#include "Line.h"

#include "CDC.h"
#include "IODesc.h"
#include "NPoint.h"
#include "RepaintHook.h"
#include "ScopedSelectors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int solidPen = 1;

// Shared measures of a line: A and B are the centres of the source and the
// destination; h is half the destination's width, negative when the
// destination lies to the left so that the whole shape mirrors.
struct Shape {
    CPoint a, b;
    double h;
    int h1, h15, hh, h2;

    explicit Shape(const Line& line)
        : a(line.source->rect.CenterPoint())
        , b(line.dest->rect.CenterPoint())
    {
        h = (line.dest->rect.right - line.dest->rect.left) / 2;
        if (b.x < a.x)
            h = -h;
        h1 = static_cast<int>(h);
        h15 = static_cast<int>(h * 1.5);
        hh = static_cast<int>(h * 0.5);
        h2 = static_cast<int>(2 * h);
    }
};

CRect normalised(int l, int t, int r, int b)
{
    CRect rc(l, t, r, b);
    rc.NormalizeRect();
    return rc;
}

} // namespace

Line::Line(IODesc* source_, IODesc* dest_)
    : dest(dest_)
    , source(source_)
{
}

Line::~Line() = default;

void Line::Draw(CDC* dc, unsigned colour, int width) const
{
    if (!dc)
        return;
    Shape s(*this);
    NPen pen(dc, solidPen, width, colour);
    dc->MoveTo(s.a.x + s.h1, s.a.y); // the source's edge facing the destination
    dc->LineTo(s.a.x + s.h1 + s.h15, s.a.y);
    dc->LineTo(s.b.x - s.h1 - s.h15, s.b.y);
    dc->LineTo(s.b.x - s.h1, s.b.y); // the destination's edge
    dc->LineTo(s.b.x - s.h1 - s.hh, s.b.y + s.hh);
    dc->LineTo(s.b.x - s.h1 - s.hh, s.b.y - s.hh);
    dc->LineTo(s.b.x - s.h1, s.b.y);
}

double Line::FromPoint(CPoint p) const
{
    Shape s(*this);
    NPoint np(p);
    // The hit shape ends one half width short of the drawn line's end and
    // leaves out the arrow head, so a press on the destination node itself
    // selects the node rather than the line.
    CPoint p1(s.a.x + s.h1, s.a.y);
    CPoint p2(s.a.x + s.h1 + s.h15, s.a.y);
    CPoint p3(s.b.x - s.h2 - s.h15, s.b.y);
    CPoint p4(s.b.x - s.h2, s.b.y);
    int d1 = static_cast<int>(np.DistanceToBoundedLine(p1, p2));
    int d2 = static_cast<int>(np.DistanceToBoundedLine(p2, p3));
    int d3 = static_cast<int>(np.DistanceToBoundedLine(p3, p4));
    return std::min({ d1, d2, d3 });
}

CRect Line::Bounds() const
{
    Shape s(*this);
    CRect r = normalised(s.a.x + s.h1, s.a.y, s.a.x + s.h1 + s.h15 + 1, s.a.y + 1);
    r.UnionRect(r, normalised(s.a.x + s.h1 + s.h15, s.a.y, s.b.x - s.h1 - s.h15 + 1, s.b.y + 1));
    r.UnionRect(r, normalised(s.b.x - s.h1 - s.h15, s.b.y, s.b.x - s.h1 + 1, s.b.y + 1));
    int grow = std::abs(s.h1);
    r.InflateRect(grow, grow);
    return r;
}

void Line::Invalidate(CWnd* wnd) const
{
    if (!wnd)
        return;
    RepaintRect(wnd, Bounds(), true);
}
