// A point that measures distances to other points, lines and segments.
#pragma once

#include "Geometry.h"

class NPoint : public CPoint {
public:
    NPoint() = default;
    NPoint(int x_, int y_)
        : CPoint(x_, y_)
    {
    }
    NPoint(const CPoint& p)
        : CPoint(p)
    {
    }
    virtual ~NPoint() = default;

    double Distance(CPoint q) const;
    // Distance to the infinite line through a and b.
    double DistanceToLine(CPoint a, CPoint b) const;
    // Distance to the segment from a to b.
    double DistanceToBoundedLine(CPoint a, CPoint b) const;
};
