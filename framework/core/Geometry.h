#pragma once
// Integer geometry: points, sizes and rectangles with exclusive right and bottom edges.
#include "FrameworkTypes.h"
#include <QPoint>
#include <QRect>
#include <QSize>
#include <ostream>

class CPoint {
public:
    CPoint() = default;
    CPoint(int x_, int y_)
        : x(x_)
        , y(y_)
    {
    }
    // From a packed value: x is the low 16 bits, y the high 16 bits, each signed.
    explicit CPoint(DWORD packed);
    CPoint(const QPoint& p)
        : x(p.x())
        , y(p.y())
    {
    }
    operator QPoint() const { return QPoint(x, y); }

    void Offset(int dx, int dy) { x += dx, y += dy; }
    CPoint& operator+=(const CPoint& p)
    {
        x += p.x, y += p.y;
        return *this;
    }
    CPoint& operator-=(const CPoint& p)
    {
        x -= p.x, y -= p.y;
        return *this;
    }
    friend CPoint operator+(CPoint a, const CPoint& b) { return a += b; }
    friend CPoint operator-(CPoint a, const CPoint& b) { return a -= b; }
    friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const CPoint& a, const CPoint& b) { return !(a == b); }

    LONG x = 0;
    LONG y = 0;
};

class CSize {
public:
    CSize() = default;
    CSize(int cx_, int cy_)
        : cx(cx_)
        , cy(cy_)
    {
    }
    CSize(const QSize& s)
        : cx(s.width())
        , cy(s.height())
    {
    }
    operator QSize() const { return QSize(cx, cy); }

    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    friend bool operator!=(const CSize& a, const CSize& b) { return !(a == b); }

    LONG cx = 0;
    LONG cy = 0;
};

class CRect {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b)
        : left(l)
        , top(t)
        , right(r)
        , bottom(b)
    {
    }
    CRect(const CPoint& topLeft, const CSize& size);
    CRect(const CPoint& topLeft, const CPoint& bottomRight);
    // Constructed from a toolkit rectangle: exclusive edges (x + width, y + height).
    CRect(const QRect& r);
    // Assigned from a toolkit rectangle: keeps its inclusive right and bottom
    // (x + width - 1, y + height - 1), unlike the constructor.
    CRect& operator=(const QRect& r);
    CRect(const CRect&) = default;
    CRect& operator=(const CRect&) = default;

    // The toolkit rectangle covering the same pixels (right - 1, bottom - 1 inclusive).
    QRect toQRect() const;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    // Middle point, each coordinate rounded toward zero.
    CPoint CenterPoint() const;

    void SetRect(int l, int t, int r, int b);
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy);
    void OffsetRect(const CPoint& p) { OffsetRect(p.x, p.y); }
    void OffsetRect(const CSize& s) { OffsetRect(s.cx, s.cy); }
    void InflateRect(int dx, int dy); // grows every side
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b);
    void NormalizeRect();

    BOOL PtInRect(const CPoint& p) const; // left <= x < right and top <= y < bottom
    BOOL IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    // Smallest rectangle holding both; empty ones are ignored. FALSE when the result is empty.
    BOOL UnionRect(const CRect& a, const CRect& b);
    // The common part; an empty rectangle and FALSE when there is none.
    BOOL IntersectRect(const CRect& a, const CRect& b);

    friend bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const CRect& a, const CRect& b) { return !(a == b); }

    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

// Readable values in test failures and diagnostics.
std::ostream& operator<<(std::ostream& os, const CPoint& p);
std::ostream& operator<<(std::ostream& os, const CSize& s);
std::ostream& operator<<(std::ostream& os, const CRect& r);
