// Milliseconds since midnight with a controllable clock.
#include "TickCount.h"
#include <gtest/gtest.h>

namespace {
struct ClockGuard {
    ~ClockGuard() { setTickTimeSource({}); }
};
} // namespace

TEST(TickCount, CountsMillisecondsSinceMidnight)
{
    ClockGuard guard;
    QTime now(0, 0, 1, 500);
    setTickTimeSource([&] { return now; });
    EXPECT_EQ(GetTickCount(), 1500);
    now = QTime(23, 59, 59, 999);
    EXPECT_EQ(GetTickCount(), 86399999);
    now = QTime(12, 34, 56, 7);
    EXPECT_EQ(GetTickCount(), 12 * 3600000 + 34 * 60000 + 56 * 1000 + 7);
}

TEST(TickCount, IntervalAcrossMidnightIsNegative)
{
    ClockGuard guard;
    QTime now(23, 59, 59, 900);
    setTickTimeSource([&] { return now; });
    const int start = GetTickCount();
    now = QTime(0, 0, 0, 100);
    EXPECT_EQ(GetTickCount() - start, 100 - 86399900);
}

TEST(TickCount, FollowsTheRealClockWhenNoSourceIsSet)
{
    setTickTimeSource({});
    const int before = tickCountOf(QTime::currentTime());
    const int tick = GetTickCount();
    const int after = tickCountOf(QTime::currentTime());
    if (after < before)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_GE(tick, before);
    EXPECT_LE(tick, after);
}

TEST(TickCount, InvalidTimeCountsAsZero)
{
    EXPECT_EQ(tickCountOf(QTime()), 0);
}
