// The picture of one connection, from a source node to the destination whose
// source it is. The connection itself lives in the destination node.
#pragma once

#include "CObject.h"
#include "Geometry.h"

class CDC;
class CWnd;
class IODesc;

class Line : public CObject {
public:
    Line(IODesc* source, IODesc* dest);
    ~Line() override;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    bool Connects(const IODesc* n) const { return n && (n == dest || n == source); }
    // Draws the polyline with its arrow head in a solid pen of colour and width.
    void Draw(CDC* dc, unsigned colour, int width) const;
    // Whole-pixel distance from p to the line's hit shape.
    double FromPoint(CPoint p) const;
    // Marks the line's area of wnd for repainting; nothing for a null window.
    void Invalidate(CWnd* wnd) const;
    // The area Invalidate repaints.
    CRect Bounds() const;

    IODesc* dest; // arrow end, not owned
    IODesc* source; // plain end, not owned
};
