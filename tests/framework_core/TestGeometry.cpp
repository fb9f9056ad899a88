#include "Geometry.h"
#include <climits>
#include <gtest/gtest.h>

TEST(GeometryPoint, PackedValueHalvesAreSigned)
{
    const CPoint p(static_cast<DWORD>(0xFFFE0005u));
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, -2);
    const CPoint q(static_cast<DWORD>(0x0003FFFFu));
    EXPECT_EQ(q.x, -1);
    EXPECT_EQ(q.y, 3);
    EXPECT_EQ(CPoint(1, 2) + CPoint(3, 4), CPoint(4, 6));
    EXPECT_EQ(QPoint(CPoint(7, -8)), QPoint(7, -8));
}

TEST(GeometryRect, ExclusiveEdgesForContainmentAndSize)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 25))); // right edge
    EXPECT_FALSE(r.PtInRect(CPoint(15, 40))); // bottom edge
    EXPECT_FALSE(r.PtInRect(CPoint(9, 25)));
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 10, 4).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 6, 6).IsRectEmpty());
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(30, 40));
}

TEST(GeometryRect, CenterRoundsTowardZero)
{
    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2));
    EXPECT_EQ(CRect(-3, 1, 0, 2).CenterPoint(), CPoint(-1, 1));
    // Near the limits the sum must not overflow.
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 0).CenterPoint().x, INT_MAX - 1);
}

TEST(GeometryRect, MovingGrowingAndNormalising)
{
    CRect r(10, 10, 20, 20);
    r.OffsetRect(5, -5);
    EXPECT_EQ(r, CRect(15, 5, 25, 15));
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(13, 2, 27, 18));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(14, 4, 24, 14));
    r.DeflateRect(1, 1);
    EXPECT_EQ(r, CRect(15, 5, 23, 13));
    r.OffsetRect(CPoint(-15, -5));
    EXPECT_EQ(r, CRect(0, 0, 8, 8));

    CRect flipped(10, 20, 0, 5);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 5, 10, 20));
    flipped.SetRectEmpty();
    EXPECT_TRUE(flipped.IsRectNull());
}

TEST(GeometryRect, UnionAndIntersection)
{
    CRect u;
    EXPECT_TRUE(u.UnionRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 3)));
    EXPECT_EQ(u, CRect(0, -5, 20, 10));
    // An empty rectangle does not stretch the union.
    EXPECT_TRUE(u.UnionRect(CRect(100, 100, 100, 100), CRect(1, 2, 3, 4)));
    EXPECT_EQ(u, CRect(1, 2, 3, 4));
    EXPECT_FALSE(u.UnionRect(CRect(), CRect(5, 5, 5, 9)));
    EXPECT_TRUE(u.IsRectEmpty());

    CRect i;
    EXPECT_TRUE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(i, CRect(5, 5, 10, 10));
    // Touching edges share no pixel.
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(i.IsRectNull());
}

TEST(GeometryRect, ToolkitRectangleConstructionAndAssignmentDiffer)
{
    const QRect q(10, 20, 30, 40); // covers x 10..39, y 20..59
    const CRect built(q);
    EXPECT_EQ(built, CRect(10, 20, 40, 60));
    CRect assigned;
    assigned = q;
    EXPECT_EQ(assigned, CRect(10, 20, 39, 59));
    // Back to the toolkit: the same pixels.
    EXPECT_EQ(built.toQRect(), q);
    EXPECT_EQ(CRect(0, 0, 10, 10).toQRect(), QRect(0, 0, 10, 10));
    EXPECT_EQ(CRect(0, 0, 10, 10).toQRect().right(), 9);
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}
