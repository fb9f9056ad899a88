// The editor's panel description: node squares, button rectangles, the
// outline handshake with the host and ownership of the region lists.

#include "LedDescriptor.h"
#include "PanelHost.h"
#include "RecordingDesc.h"
#include "RoutingEmfDesc.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class FakeHost : public PanelHost {
public:
    CPoint origin;
    double factor = 1.0;
    std::vector<CRect> outlines;
    CPoint PictureOrigin() const override { return origin; }
    double EmfOutline(const CRect* r) override
    {
        outlines.push_back(r ? *r : CRect(-1, -1, -1, -1));
        return factor;
    }
};

CRect ledRect(const RoutingEmfDesc& d, int n)
{
    LedDescriptor* l = d.GetLed(n);
    return l ? l->rect : CRect(-99, -99, -99, -99);
}

CRect buttonRect(const RoutingEmfDesc& d, int n)
{
    LedDescriptor* l = d.GetButton(n);
    return l ? l->rect : CRect(-99, -99, -99, -99);
}

TEST(RoutingEmfDesc, NodeSquaresAreCentredOnTheRegionRoundedTowardZeroAndMovedByTheOrigin)
{
    FakeHost host;
    host.origin = CPoint(100, 7);
    RoutingEmfDesc d;
    // 10 by 14: size 15, half 7, centre (5, 7); odd edges; a negative region.
    std::string path = writeTempFile("sq.txt", "LED 0,0,10,14\nLED 1,1,4,2\nLED -9,-9,-3,-5\n");
    ASSERT_TRUE(d.Load(path.c_str(), static_cast<PanelHost*>(&host)));
    EXPECT_EQ(ledRect(d, 0), CRect(98, 7, 112, 21));
    EXPECT_EQ(ledRect(d, 1), CRect(100, 6, 104, 10)); // size 4, half 2, centre (2, 1)
    EXPECT_EQ(ledRect(d, 2), CRect(91, -3, 97, 3)); // size 7, half 3, centre (-6, -7)
    EXPECT_EQ(d.GetLed(0)->node, nullptr);
    EXPECT_EQ(d.GetLed(3), nullptr);
    EXPECT_TRUE(host.outlines.empty());
}

TEST(RoutingEmfDesc, OutlineAsksTheHostAndScalesWhatFollows)
{
    FakeHost host;
    host.origin = CPoint(10, 60);
    host.factor = 0.5;
    RoutingEmfDesc d;
    std::string path = writeTempFile("outline.txt",
        "BUTTON 11,21,31,41\nOUTLINE 0,0,801,401\nBUTTON 11,21,31,41\nLED 10,10,20,20\n");
    ASSERT_TRUE(d.Load(path.c_str(), static_cast<PanelHost*>(&host)));
    ASSERT_EQ(host.outlines.size(), 1u);
    EXPECT_EQ(host.outlines[0], CRect(0, 0, 801, 401)); // the host sees the record as read
    EXPECT_EQ(d.GetOutline(), CRect(0, 0, 400, 200)); // then it is scaled
    EXPECT_EQ(d.GetScale(), 0.5);
    EXPECT_EQ(buttonRect(d, 0), CRect(21, 81, 41, 101));
    EXPECT_EQ(buttonRect(d, 1), CRect(15, 70, 25, 80)); // (5, 10, 15, 20) moved
    EXPECT_EQ(ledRect(d, 0), CRect(14, 64, 20, 70)); // (5,5,10,10): size 6, half 3, centre (7,7)
    EXPECT_EQ(d.GetButtonCount(), 2);
}

TEST(RoutingEmfDesc, UnusableOutlineFactorLeavesRecordsUnscaled)
{
    FakeHost host;
    host.factor = std::numeric_limits<double>::infinity();
    RoutingEmfDesc d;
    std::string path = writeTempFile("inf.txt", "OUTLINE 0,0,0,0\nLED 10,10,20,20\n");
    ASSERT_TRUE(d.Load(path.c_str(), static_cast<PanelHost*>(&host)));
    EXPECT_EQ(d.GetScale(), 0.0);
    EXPECT_EQ(ledRect(d, 0), CRect(10, 10, 20, 20));
}

} // namespace
