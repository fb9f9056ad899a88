#include "SysColors.h"

namespace {

struct SysColorEntry {
    int index;
    unsigned colour;
};

// Indices not listed are white.
constexpr SysColorEntry sysColorTable[] = {
    { 8, 0x00000000u }, // window text
    { 15, 0xFFE0E0E0u }, // button face
    { 17, 0xFF808080u }, // grey text
    { 21, 0xFF808080u }, // 3-D dark shadow
    { 23, 0x00000000u }, // tooltip text
    { 24, 0xFFFFFF80u }, // tooltip background
};

constexpr unsigned defaultSysColor = 0xFFFFFFFFu;
constexpr int scrollBarThickness = 15;
constexpr int scrollMetricVertical = 57;
constexpr int scrollMetricHorizontal = 58;

} // namespace

unsigned GetSysColor(int index)
{
    for (const SysColorEntry& e : sysColorTable) {
        if (e.index == index)
            return e.colour;
    }
    return defaultSysColor;
}

int GetSystemMetrics(int index)
{
    if (index == scrollMetricVertical || index == scrollMetricHorizontal)
        return scrollBarThickness;
    return 0;
}
