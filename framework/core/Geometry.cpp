#include "Geometry.h"
#include <algorithm>

CPoint::CPoint(DWORD packed)
    : x(static_cast<std::int16_t>(packed & 0xffff))
    , y(static_cast<std::int16_t>((packed >> 16) & 0xffff))
{
}

CRect::CRect(const CPoint& topLeft, const CSize& size)
    : left(topLeft.x)
    , top(topLeft.y)
    , right(topLeft.x + size.cx)
    , bottom(topLeft.y + size.cy)
{
}

CRect::CRect(const CPoint& topLeft, const CPoint& bottomRight)
    : left(topLeft.x)
    , top(topLeft.y)
    , right(bottomRight.x)
    , bottom(bottomRight.y)
{
}

CRect::CRect(const QRect& r)
    : left(r.x())
    , top(r.y())
    , right(r.x() + r.width())
    , bottom(r.y() + r.height())
{
}

CRect& CRect::operator=(const QRect& r)
{
    SetRect(r.x(), r.y(), r.x() + r.width() - 1, r.y() + r.height() - 1);
    return *this;
}

QRect CRect::toQRect() const
{
    return QRect(left, top, right - left, bottom - top);
}

CPoint CRect::CenterPoint() const
{
    // Summed in 64 bits so rectangles near the 32-bit limits do not overflow;
    // integer division rounds toward zero.
    const std::int64_t cx = (static_cast<std::int64_t>(left) + right) / 2;
    const std::int64_t cy = (static_cast<std::int64_t>(top) + bottom) / 2;
    return CPoint(static_cast<int>(cx), static_cast<int>(cy));
}

void CRect::SetRect(int l, int t, int r, int b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

void CRect::OffsetRect(int dx, int dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CRect::InflateRect(int dx, int dy)
{
    InflateRect(dx, dy, dx, dy);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(int l, int t, int r, int b)
{
    left += l;
    top += t;
    right -= r;
    bottom -= b;
}

void CRect::NormalizeRect()
{
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
}

BOOL CRect::PtInRect(const CPoint& p) const
{
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
}

BOOL CRect::UnionRect(const CRect& a, const CRect& b)
{
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (a.IsRectEmpty()) {
        *this = b;
    } else if (b.IsRectEmpty()) {
        *this = a;
    } else {
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom));
    }
    return TRUE;
}

BOOL CRect::IntersectRect(const CRect& a, const CRect& b)
{
    const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = r;
    return TRUE;
}

std::ostream& operator<<(std::ostream& os, const CPoint& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

std::ostream& operator<<(std::ostream& os, const CSize& s)
{
    return os << "[" << s.cx << " x " << s.cy << "]";
}

std::ostream& operator<<(std::ostream& os, const CRect& r)
{
    return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
