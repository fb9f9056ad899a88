#include "NPoint.h"

#include <cmath>
#include <cstdint>

namespace {
std::int64_t squared(CPoint p, CPoint q)
{
    std::int64_t dx = static_cast<std::int64_t>(q.x) - p.x;
    std::int64_t dy = static_cast<std::int64_t>(q.y) - p.y;
    return dx * dx + dy * dy;
}
} // namespace

double NPoint::Distance(CPoint q) const
{
    double dx = static_cast<double>(static_cast<std::int64_t>(q.x) - x);
    double dy = static_cast<double>(static_cast<std::int64_t>(q.y) - y);
    return std::sqrt(dx * dx + dy * dy);
}

double NPoint::DistanceToLine(CPoint a, CPoint b) const
{
    if (a.x == b.x)
        return std::fabs(static_cast<double>(x) - a.x);
    if (a.y == b.y)
        return std::fabs(static_cast<double>(y) - a.y);
    // The angle form below is 0/0 for the point a itself, which lies on the line.
    if (x == a.x && y == a.y)
        return 0.0;
    // A point straight above or below a gives an infinite quotient: atan makes it +-pi/2.
    double alpha = std::atan((static_cast<double>(y) - a.y) / (static_cast<double>(x) - a.x));
    double beta = std::atan((static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x));
    return std::fabs(Distance(a) * std::sin(beta - alpha));
}

double NPoint::DistanceToBoundedLine(CPoint a, CPoint b) const
{
    // Squares are compared exactly in integers, so a point on the perpendicular
    // through an end point is classified the same way every time.
    std::int64_t d1 = squared(*this, a), d2 = squared(*this, b), d3 = squared(a, b);
    if (d2 >= d3 + d1)
        return Distance(a); // the foot of the perpendicular lies beyond a
    if (d1 >= d3 + d2)
        return Distance(b); // beyond b
    return DistanceToLine(a, b);
}
