// Connection lines: distances, hit testing, drawing and deletion.
#include "CDC.h"
#include "LineList.h"
#include "NPoint.h"
#include "RoutingPage.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

int destroyed = 0;
struct CountedLine : Line {
    using Line::Line;
    ~CountedLine() override { ++destroyed; }
};

// A source and a destination node 20 pixels wide, placed freely.
struct TwoNodes {
    IODesc src;
    IODesc dst;
    TwoNodes(CRect s, CRect d)
        : src(0, &io_table72[3], s, nullptr, 1) // ADATin
        , dst(0, &io_table72[4], d, nullptr, 1) // MAINinL
    {
    }
};

} // namespace

TEST(Lines, PointDistancesToSegments)
{
    const double diag = std::sqrt(50.0);
    const struct {
        CPoint p, a, b;
        double distance;
    } cases[] = {
        { { 7, 100 }, { 2, 0 }, { 2, 10 }, std::sqrt(25.0 + 90 * 90) }, // vertical, beyond b
        { { 7, 5 }, { 2, 0 }, { 2, 10 }, 5.0 },
        { { 0, 10 }, { 0, 0 }, { 10, 10 }, diag }, // slanted, straight above a
        { { 10, 0 }, { 0, 0 }, { 10, 10 }, diag },
        { { 20, 20 }, { 0, 0 }, { 10, 10 }, std::sqrt(200.0) }, // beyond b: to b
        { { 4, 4 }, { 4, 4 }, { 10, 7 }, 0.0 }, // a itself (the angle form is 0/0)
        { { 3, 4 }, { 0, 0 }, { 0, 0 }, 5.0 }, // a zero-length segment: to its point
    };
    for (const auto& c : cases)
        EXPECT_NEAR(NPoint(c.p.x, c.p.y).DistanceToBoundedLine(c.a, c.b), c.distance, 1e-9)
            << c.p.x << "," << c.p.y;
}

TEST(Lines, HitTestingInWholePixels)
{
    // Source centre (10,10), destination centre (210,110), half width 10: a stub
    // (20,10)-(35,10), the slant, and a hit shape ending at (190,110), a half
    // width short of the drawn end, without the arrow. Mirrored when the
    // destination lies left of the source.
    TwoNodes n(CRect(0, 0, 20, 20), CRect(200, 100, 220, 120));
    TwoNodes m(CRect(200, 100, 220, 120), CRect(0, 0, 20, 20));
    Line line(&n.src, &n.dst), back(&m.src, &m.dst);
    const struct {
        const Line* l;
        CPoint p;
        double d;
    } cases[] = {
        { &line, { 27, 10 }, 0 },
        { &line, { 27, 14 }, 4 },
        { &line, { 27, 15 }, 5 },
        { &line, { 18, 13 }, 3 }, // sqrt(13): whole pixels
        { &line, { 190, 110 }, 0 },
        { &line, { 198, 110 }, 8 },
        { &back, { 192, 110 }, 0 },
        { &back, { 215, 110 }, 15 },
        { &back, { 30, 10 }, 0 },
        { &back, { 22, 10 }, 8 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.l->FromPoint(c.p), c.d) << c.p.x << "," << c.p.y;

    LineList list;
    list.AddTail(&line);
    EXPECT_EQ(list.GetClosest(CPoint(27, 14), 5.0), &line);
    EXPECT_EQ(list.GetClosest(CPoint(27, 15), 5.0), nullptr);
    EXPECT_EQ(list.GetClosest(CPoint(105, 60), 5.0), &line);
    EXPECT_EQ(list.GetClosest(CPoint(105, 70), 5.0), nullptr);
    list.RemoveAll();

    // Two parallel lines 10 pixels apart: midway the first in the list wins,
    // otherwise the nearer.
    TwoNodes upper(CRect(0, 0, 20, 20), CRect(200, 0, 220, 20));
    TwoNodes lower(CRect(0, 10, 20, 30), CRect(200, 10, 220, 30));
    Line l1(&upper.src, &upper.dst), l2(&lower.src, &lower.dst);
    list.AddTail(&l2);
    list.AddTail(&l1);
    EXPECT_EQ(list.GetClosest(CPoint(100, 15), 6.0), &l2);
    EXPECT_EQ(list.GetClosest(CPoint(100, 14), 6.0), &l1);
    list.RemoveAll();
}

TEST(Lines, DrawingAndMirroredArrow)
{
    // Pixels lit and unlit: stubs at the nodes' facing edges, nothing inside
    // the source, the arrow's base 5 pixels before the destination's edge.
    const struct {
        CRect src, dst;
        std::vector<CPoint> lit, dark;
    } cases[] = {
        { { 0, 0, 20, 20 }, { 200, 100, 220, 120 }, { { 27, 10 }, { 190, 110 }, { 195, 107 } },
            { { 15, 10 }, { 205, 110 } } },
        { { 200, 100, 220, 120 }, { 0, 0, 20, 20 }, { { 192, 110 }, { 25, 7 }, { 21, 10 } },
            { { 205, 110 }, { 15, 10 } } },
    };
    for (const auto& c : cases) {
        QImage image(240, 140, QImage::Format_RGB32);
        image.fill(Qt::white);
        TwoNodes n(c.src, c.dst);
        {
            CDC dc(&image);
            Line(&n.src, &n.dst).Draw(&dc, 0xFFFF0000, 1);
        }
        for (CPoint p : c.lit)
            EXPECT_EQ(image.pixel(p.x, p.y), qRgb(255, 0, 0)) << p.x << "," << p.y;
        for (CPoint p : c.dark)
            EXPECT_EQ(image.pixel(p.x, p.y), qRgb(255, 255, 255)) << p.x << "," << p.y;
    }
}

TEST(Lines, DeletionSkipsDuplicatesAndStrangers)
{
    TwoNodes a(CRect(0, 0, 20, 20), CRect(200, 0, 220, 20));
    TwoNodes b(CRect(0, 40, 20, 60), CRect(200, 40, 220, 60));
    destroyed = 0;
    LineList all;
    Line* l1 = new CountedLine(&a.src, &a.dst);
    Line* l2 = new CountedLine(&b.src, &b.dst);
    Line* l3 = new CountedLine(&a.src, &b.dst);
    all.AddTail(l1);
    all.AddTail(l2);
    all.AddTail(l3);
    CountedLine stranger(&b.src, &a.dst);
    LineList set;
    set.AddTail(l1);
    set.AddTail(l1);
    set.AddTail(&stranger);
    set.AddTail(l2);
    all.DeleteLines(set, nullptr);
    all.DeleteLines(set, nullptr); // nothing of the set is left to delete
    set.RemoveAll();
    EXPECT_EQ(destroyed, 2);
    ASSERT_EQ(all.GetCount(), 1);
    EXPECT_EQ(all[0], l3);
    all.DeleteLine(nullptr, &b.dst, &b.src); // not in the list
    all.DeleteLine(nullptr, &b.dst, &a.src);
    EXPECT_EQ(all.GetCount(), 0);
    // A list handed itself as the set empties cleanly.
    all.AddTail(new CountedLine(&a.src, &a.dst));
    all.AddTail(new CountedLine(&b.src, &b.dst));
    all.DeleteLines(all, nullptr);
    EXPECT_EQ(all.GetCount(), 0);
    EXPECT_EQ(destroyed, 5);
}
