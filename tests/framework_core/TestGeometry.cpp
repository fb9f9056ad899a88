#include "Geometry.h"
#include <climits>
#include <gtest/gtest.h>

TEST(Geometry, PackedPointHalvesAreSigned)
{
    EXPECT_EQ(CPoint(static_cast<DWORD>(0xFFFE0005u)), CPoint(5, -2));
    EXPECT_EQ(CPoint(static_cast<DWORD>(0x0003FFFFu)), CPoint(-1, 3));
}

TEST(Geometry, RectanglesHaveExclusiveRightAndBottomEdges)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 25)));
    EXPECT_FALSE(r.PtInRect(CPoint(15, 40)));
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 6, 6).IsRectEmpty());
    CRect i;
    // An empty rectangle does not stretch a union.
    EXPECT_TRUE(i.UnionRect(CRect(100, 100, 100, 100), CRect(1, 2, 3, 4)));
    EXPECT_EQ(i, CRect(1, 2, 3, 4));
    EXPECT_TRUE(i.UnionRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 3)));
    EXPECT_EQ(i, CRect(0, -5, 20, 10));
    // Toolkit rectangles: the same pixels both ways.
    EXPECT_EQ(CRect(QRect(10, 20, 30, 40)), CRect(10, 20, 40, 60));
    EXPECT_EQ(CRect(10, 20, 40, 60).toQRect(), QRect(10, 20, 30, 40));
}

TEST(Geometry, CentreRoundsTowardZeroWithoutOverflowAndFlippedRectanglesNormalise)
{
    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2));
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 0).CenterPoint().x, INT_MAX - 1);
    CRect flipped(10, 20, 0, 5);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 5, 10, 20));
    flipped.InflateRect(2, 3);
    EXPECT_EQ(flipped, CRect(-2, 2, 12, 23));
}
