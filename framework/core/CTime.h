#pragma once
#include "CString.h"
#include <QDateTime>

// A point in time, read and formatted as a time of day.
class CTime {
public:
    CTime() = default;
    explicit CTime(const QDateTime& t)
        : m_time(t)
    {
    }

    static CTime GetCurrentTime();
    // Formats the time of day with the toolkit's time letters (h, hh, m, mm, s, ss, z, AP, ...);
    // other characters are copied.
    CString Format(const char* fmt) const;

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }

private:
    QDateTime m_time;
};
