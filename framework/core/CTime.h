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
    // Seconds since 1970-01-01 UTC; 0 for an unset time.
    qint64 GetTime() const { return m_time.isValid() ? m_time.toSecsSinceEpoch() : 0; }
    int GetHour() const { return m_time.time().hour(); }
    int GetMinute() const { return m_time.time().minute(); }
    int GetSecond() const { return m_time.time().second(); }
    const QDateTime& toQDateTime() const { return m_time; }

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }

private:
    QDateTime m_time;
};
