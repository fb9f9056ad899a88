// Nodes: connections and the change reports that decide what is sent, gain
// rounding and group members by mask.
#include "RoutingPage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(Nodes, ConnectionsAndTheChangesTheyReport)
{
    RoutingPage page(0);
    IODesc* d = page.node(MAINinL, 0);
    IODesc* adat0 = page.node(ADATin, 0);
    IODesc* adat4 = page.node(ADATin, 4);
    int v = -1;
    // Never connected: 99 against the initial 101 is a first report, not a change.
    EXPECT_FALSE(d->InputChanged(v));
    EXPECT_EQ(v, 99);
    EXPECT_EQ(d->MakeConnection(adat0), nullptr);
    EXPECT_TRUE(d->InputChanged(v));
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(d->InputChanged(v)) << "a change is reported once";
    // Back and forth between reports is no change.
    EXPECT_EQ(d->MakeConnection(adat4), adat0);
    d->MakeConnection(adat0);
    EXPECT_FALSE(d->InputChanged(v));
    // Removing another node's line leaves the source; removing its own clears it.
    d->RemoveSource(adat4);
    EXPECT_EQ(d->source, adat0);
    d->RemoveSource(adat0);
    EXPECT_EQ(d->value, 99);
    EXPECT_TRUE(d->InputChanged(v));
    // Resetting the inputs forgets the sources but keeps the values.
    d->MakeConnection(adat4);
    page.active.ResetInputs();
    EXPECT_EQ(d->source, nullptr);
    EXPECT_EQ(d->value, 5);
}

TEST(Nodes, SetGainLimitsAndRoundsToTheStep)
{
    IODesc n(0, &io_table72[1], CRect(), nullptr, 1);
    const struct {
        double step, min, max, in, out;
        int adjustments;
    } cases[] = {
        { 0.1, -100, 0, 0.5, 0.0, 1 },
        { 0.1, -100, 0, -150.0, -100.0, 2 }, // limited, then the binary remainder of -100
        { 0.1, -100, 0, -12.34, -12.3, 1 },
        { 0.1, -100, 0, -0.07, -0.1, 1 },
        { 0.1, -100, 0, -0.05, 0.0, 1 }, // an exact half goes toward zero
        { 0.1, -100, 0, -3.2, -3.2, 0 },
        { 0.1, -100, 0, -3.5, -3.5, 1 }, // exact in binary, but not its remainder by 0.1
        { 0.1, -100, 0, 1e9, 0.0, 1 },
        { 0.1, -100, 0, std::nan(""), 0.0, 1 },
        { 0.5, -10, 10, -1.25, -1.0, 1 },
        { 0.5, -10, 10, 1.25, 1.0, 1 },
        { 0.5, -10, 10, -1.3, -1.5, 1 },
        { 0.5, -9.8, 10, -20.0, -9.8, 2 }, // a limit off the step stays the limit
        { 0.0, -100, 0, -3.33, -3.33, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        n.gainStep = c.step;
        n.gainMin = c.min;
        n.gainMax = c.max;
        EXPECT_EQ(n.SetGain(c.in), c.adjustments);
        EXPECT_NEAR(n.gain, c.out, 1e-9);
    }
}

TEST(Nodes, GroupMembersChosenByMaskAndExchangesOfUnequalCounts)
{
    RoutingPage page(0);
    auto chosen = [&](groupID g, int mask) {
        CObList out;
        page.active.GetGroupMembers(g, out, mask);
        std::vector<int> idx;
        for (POSITION pos = out.GetHeadPosition(); pos;)
            idx.push_back(static_cast<IODesc*>(out.GetNext(pos))->index);
        return idx;
    };
    EXPECT_EQ(chosen(AESin, 3 << 6), (std::vector<int> { 6, 7 }));
    EXPECT_EQ(chosen(AESin, 0b101), (std::vector<int> { 0, 2 }));
    EXPECT_EQ(chosen(ANAout, 0xff), (std::vector<int> { 0, 1 }));
    EXPECT_TRUE(chosen(SPDIFcin, -1).empty()) << "off the page";
    // Two side nodes cannot take the place of one or three.
    EXPECT_FALSE(page.active.ExchangeListItems(AESin, 1, page.sides[0]));
    EXPECT_FALSE(page.active.ExchangeListItems(AESin, 7, page.sides[0]));
    EXPECT_EQ(chosen(AESin, -1).size(), 8u);
}
