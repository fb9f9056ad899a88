#pragma once
#include <QTime>
#include <functional>

// Milliseconds since local midnight of the current time of day. Starts again at 0
// at midnight, so an interval measured across midnight comes out negative.
int GetTickCount();

// Milliseconds since midnight of a given time of day (0 for an invalid time).
int tickCountOf(const QTime& t);

// Replaces the time-of-day source (tests); an empty function restores the clock.
void setTickTimeSource(std::function<QTime()> source);
