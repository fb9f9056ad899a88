#pragma once
// Truncation of scaled coordinates to int that never overflows: the panel
// description is user data, so a product may lie far outside int.

#include <cmath>
#include <cstdint>
#include <limits>

// trunc(v) toward zero, clamped to the int range; NaN gives 0.
inline int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

inline int clampToInt(std::int64_t v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
