// The options that exercise the editor's retries and time-outs: requests left
// unanswered and replies held back, measured on the test's own clock.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

TEST(SimTiming, IgnoresTheFirstRequestsButNeverASet)
{
    SimDevice d(2);
    d.SetIgnoreRequests(3);
    EXPECT_TRUE(ask(d, SimBytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }).empty());
    EXPECT_TRUE(ask(d, request(49, "0 1")).empty());
    // Sets do not count and are taken.
    EXPECT_TRUE(ask(d, request(60, "10010016 2")).empty());
    EXPECT_EQ(*d.Value(SimModel::kModeKey), 2);
    EXPECT_TRUE(ask(d, request(59, "10010016")).empty());
    EXPECT_EQ(d.RequestsIgnored(), 3);
    // The fourth request, a retry as the editor sends it, is answered.
    const Reply r = askOne(d, 49, "0 1");
    EXPECT_EQ(r.command, 50);
    EXPECT_EQ(r.text, "COL 1 0 0 'Q7300FW");
    EXPECT_EQ(askOne(d, 59, "10010016").text, "10010016 2");
    EXPECT_EQ(d.RequestsIgnored(), 3);
}

TEST(SimTiming, LatencyHoldsRepliesUntilDueInOrderAcrossTheClocksWrap)
{
    SimDevice d(1);
    d.SetLatency(40);
    d.Receive(request(59, "10010016"), 1000);
    d.Receive(request(49, "0 1"), 1010);
    EXPECT_EQ(d.NextDue().value_or(0), 1040u);
    EXPECT_TRUE(d.TakeDue(1039).empty());
    ASSERT_EQ(d.TakeDue(1040).size(), 1u);
    d.Receive(request(59, "10010016"), 1045);
    // Taken late, everything due comes at once, oldest first.
    auto rest = d.TakeDue(5000);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(replyOf(rest[0]).command, 50);
    EXPECT_EQ(replyOf(rest[1]).command, 60);
    EXPECT_FALSE(d.NextDue().has_value());

    d.SetLatency(100);
    const std::uint32_t nearEnd = 0xFFFFFFC0u; // 64 ms before the clock wraps
    d.Receive(request(59, "10010016"), nearEnd);
    EXPECT_TRUE(d.TakeDue(0xFFFFFFFFu).empty());
    EXPECT_EQ(d.TakeDue(nearEnd + 100).size(), 1u); // 36 after the wrap
}
