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

TEST(SimTiming, LatencyHoldsRepliesUntilDueInOrder)
{
    SimDevice d(1);
    d.SetLatency(40);
    d.Receive(request(59, "10010016"), 1000);
    d.Receive(request(49, "0 1"), 1010);
    ASSERT_TRUE(d.NextDue().has_value());
    EXPECT_EQ(*d.NextDue(), 1040u);
    EXPECT_TRUE(d.TakeDue(1039).empty());
    auto first = d.TakeDue(1040);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(replyOf(first[0]).text, "10010016 5");
    EXPECT_EQ(*d.NextDue(), 1050u);
    EXPECT_TRUE(d.TakeDue(1049).empty());
    // Taken late, everything due comes at once, oldest first.
    d.Receive(request(59, "10010016"), 1045);
    auto rest = d.TakeDue(5000);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(replyOf(rest[0]).command, 50);
    EXPECT_EQ(replyOf(rest[1]).command, 60);
    EXPECT_FALSE(d.NextDue().has_value());

    // Without latency a reply is due at once.
    SimDevice quick(1);
    quick.Receive(request(59, "10010016"), 7);
    EXPECT_EQ(quick.TakeDue(7).size(), 1u);
}

TEST(SimTiming, LatencyAcrossTheWrapOfTheMillisecondClock)
{
    SimDevice d(2);
    d.SetLatency(100);
    const std::uint32_t nearEnd = 0xFFFFFFC0u; // 64 ms before the clock wraps
    d.Receive(request(59, "10010016"), nearEnd);
    EXPECT_TRUE(d.TakeDue(nearEnd + 99).empty());
    EXPECT_TRUE(d.TakeDue(0xFFFFFFFFu).empty());
    EXPECT_EQ(d.TakeDue(nearEnd + 100).size(), 1u); // 36 after the wrap
}
