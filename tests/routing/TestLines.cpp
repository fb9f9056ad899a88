// Connection lines: distances, hit testing, drawing, repaint areas, selection,
// deletion and the move of line ends when a group is exchanged.
#include "CDC.h"
#include "IODescList.h"
#include "LineList.h"
#include "NPoint.h"
#include "RepaintHook.h"
#include "RoutingPage.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<CRect> repaints;
void recordRepaint(CWnd*, const CRect& r, bool)
{
    repaints.push_back(r);
}

struct RepaintRecorder {
    RepaintHandler previous = SetRepaintHandler(recordRepaint);
    RepaintRecorder() { repaints.clear(); }
    ~RepaintRecorder() { SetRepaintHandler(previous); }
};

CWnd* const someWindow = reinterpret_cast<CWnd*>(0x1000);

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

TEST(Lines, PointDistances)
{
    NPoint p(3, 4);
    EXPECT_DOUBLE_EQ(p.Distance(CPoint(0, 0)), 5.0);
    EXPECT_DOUBLE_EQ(NPoint(0, 0).Distance(CPoint(-3, -4)), 5.0);

    // Vertical and horizontal lines.
    EXPECT_DOUBLE_EQ(NPoint(7, 100).DistanceToLine(CPoint(2, 0), CPoint(2, 10)), 5.0);
    EXPECT_DOUBLE_EQ(NPoint(100, -3).DistanceToLine(CPoint(0, 2), CPoint(10, 2)), 5.0);
    // Slanted line: the angle form, also straight above or below a.
    const double diag = std::sqrt(50.0);
    EXPECT_NEAR(NPoint(0, 10).DistanceToLine(CPoint(0, 0), CPoint(10, 10)), diag, 1e-9);
    EXPECT_NEAR(NPoint(0, -10).DistanceToLine(CPoint(0, 0), CPoint(10, 10)), diag, 1e-9);
    EXPECT_NEAR(NPoint(10, 0).DistanceToLine(CPoint(0, 0), CPoint(10, 10)), diag, 1e-9);
    EXPECT_NEAR(NPoint(30, 30).DistanceToLine(CPoint(0, 0), CPoint(10, 10)), 0.0, 1e-9);
    // The point a itself lies on the line (the angle form would be 0/0).
    EXPECT_EQ(NPoint(4, 4).DistanceToLine(CPoint(4, 4), CPoint(10, 7)), 0.0);

    // Segment: beyond an end the distance is to that end, not to the line.
    CPoint a(0, 0), b(10, 0);
    EXPECT_DOUBLE_EQ(NPoint(13, 4).DistanceToBoundedLine(a, b), 5.0);
    EXPECT_DOUBLE_EQ(NPoint(-3, -4).DistanceToBoundedLine(a, b), 5.0);
    EXPECT_DOUBLE_EQ(NPoint(5, 4).DistanceToBoundedLine(a, b), 4.0);
    EXPECT_DOUBLE_EQ(NPoint(10, 7).DistanceToBoundedLine(a, b), 7.0);
    EXPECT_NEAR(
        NPoint(20, 20).DistanceToBoundedLine(CPoint(0, 0), CPoint(10, 10)), std::sqrt(200.0), 1e-9);
    // A zero-length segment gives the distance to its point.
    EXPECT_DOUBLE_EQ(NPoint(3, 4).DistanceToBoundedLine(CPoint(0, 0), CPoint(0, 0)), 5.0);
    EXPECT_FALSE(std::isnan(NPoint(0, 0).DistanceToBoundedLine(CPoint(0, 0), CPoint(5, 9))));
}

TEST(Lines, HitTestingAtFourAndFivePixels)
{
    // Source centre (10,10); destination centre (210,110), half width 10.
    TwoNodes n(CRect(0, 0, 20, 20), CRect(200, 100, 220, 120));
    Line line(&n.src, &n.dst);
    EXPECT_TRUE(line.Connects(&n.src));
    EXPECT_TRUE(line.Connects(&n.dst));
    EXPECT_FALSE(line.Connects(nullptr));

    // Stub from (20,10) to (35,10).
    EXPECT_EQ(line.FromPoint(CPoint(27, 10)), 0.0);
    EXPECT_EQ(line.FromPoint(CPoint(27, 14)), 4.0);
    EXPECT_EQ(line.FromPoint(CPoint(27, 15)), 5.0);
    // Whole pixels: 4.9 counts as 4.
    EXPECT_EQ(line.FromPoint(CPoint(18, 13)), 3.0); // sqrt(13) from the stub's start
    // The hit shape ends at (190,110), a half width short of the drawn end, without the arrow.
    EXPECT_EQ(line.FromPoint(CPoint(190, 110)), 0.0);
    EXPECT_EQ(line.FromPoint(CPoint(198, 110)), 8.0);

    LineList list;
    list.AddTail(&line);
    EXPECT_EQ(list.GetClosest(CPoint(27, 14), 5.0), &line);
    EXPECT_EQ(list.GetClosest(CPoint(27, 15), 5.0), nullptr);
    EXPECT_EQ(list.GetClosest(CPoint(27, 5), 5.0), nullptr);
    EXPECT_EQ(list.GetClosest(CPoint(27, 6), 5.0), &line);
    // Along the slanted part (35,10)-(175,110).
    EXPECT_EQ(list.GetClosest(CPoint(105, 60), 5.0), &line);
    EXPECT_EQ(list.GetClosest(CPoint(105, 70), 5.0), nullptr);
    list.RemoveAll();
    EXPECT_EQ(list.GetClosest(CPoint(27, 10), 5.0), nullptr);
}

TEST(Lines, MirroredAndEquallyNearLines)
{
    // The destination left of the source: everything mirrors.
    TwoNodes m(CRect(200, 100, 220, 120), CRect(0, 0, 20, 20));
    Line back(&m.src, &m.dst);
    EXPECT_EQ(back.FromPoint(CPoint(192, 110)), 0.0); // stub leaves the source to the left
    EXPECT_EQ(back.FromPoint(CPoint(215, 110)), 15.0);
    EXPECT_EQ(back.FromPoint(CPoint(30, 10)), 0.0); // hit shape ends at (30,10)
    EXPECT_EQ(back.FromPoint(CPoint(22, 10)), 8.0);

    // Two parallel lines 10 pixels apart: a click midway is equally near both.
    TwoNodes upper(CRect(0, 0, 20, 20), CRect(200, 0, 220, 20));
    TwoNodes lower(CRect(0, 10, 20, 30), CRect(200, 10, 220, 30));
    Line l1(&upper.src, &upper.dst), l2(&lower.src, &lower.dst);
    CPoint mid(100, 15);
    ASSERT_EQ(l1.FromPoint(mid), l2.FromPoint(mid));
    LineList list;
    list.AddTail(&l1);
    list.AddTail(&l2);
    EXPECT_EQ(list.GetClosest(mid, 6.0), &l1);
    list.RemoveAll();
    list.AddTail(&l2);
    list.AddTail(&l1);
    EXPECT_EQ(list.GetClosest(mid, 6.0), &l2);
    EXPECT_EQ(list.GetClosest(CPoint(100, 16), 6.0), &l2); // nearer wins regardless of order
    list.RemoveAll();
}

TEST(Lines, DrawingAndMirroredArrow)
{
    QImage image(240, 140, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0);
    auto lit = [&](int x, int y) { return image.pixel(x, y) == red; };

    image.fill(white);
    TwoNodes n(CRect(0, 0, 20, 20), CRect(200, 100, 220, 120));
    {
        CDC dc(&image);
        Line(&n.src, &n.dst).Draw(&dc, 0xFFFF0000, 1);
    }
    EXPECT_TRUE(lit(27, 10)); // stub from the source's right edge
    EXPECT_FALSE(lit(15, 10)); // nothing inside the source
    EXPECT_TRUE(lit(190, 110)); // stub into the destination's left edge
    EXPECT_TRUE(lit(195, 107)); // arrow base at x = 195, from y 105 to 115
    EXPECT_FALSE(lit(205, 110));
    Line(&n.src, &n.dst).Draw(nullptr, 0xFFFF0000, 1); // no context: nothing, no crash

    image.fill(white);
    TwoNodes m(CRect(200, 100, 220, 120), CRect(0, 0, 20, 20));
    {
        CDC dc(&image);
        Line(&m.src, &m.dst).Draw(&dc, 0xFFFF0000, 1);
    }
    EXPECT_TRUE(lit(192, 110)); // stub leaves the source to the left
    EXPECT_FALSE(lit(205, 110));
    EXPECT_TRUE(lit(25, 7)); // arrow base at x = 25: it points left, tip at x = 20
    EXPECT_FALSE(lit(15, 10));
    EXPECT_TRUE(lit(21, 10));
}

TEST(Lines, RepaintAreas)
{
    RepaintRecorder rec;
    TwoNodes n(CRect(0, 0, 20, 20), CRect(200, 100, 220, 120));
    Line line(&n.src, &n.dst);
    // Stub, slant and end stub from (20,10) to (200,110), grown by the half width 10.
    EXPECT_EQ(line.Bounds(), CRect(10, 0, 211, 121));
    line.Invalidate(someWindow);
    ASSERT_EQ(repaints.size(), 1u);
    EXPECT_EQ(repaints[0], CRect(10, 0, 211, 121));
    line.Invalidate(nullptr);
    EXPECT_EQ(repaints.size(), 1u);

    TwoNodes m(CRect(200, 100, 220, 120), CRect(0, 0, 20, 20));
    Line back(&m.src, &m.dst);
    // Covers the mirrored shape from (20,10) to (200,110) with the arrow head.
    CRect r = back.Bounds();
    EXPECT_EQ(r, CRect(11, 0, 210, 121));
    EXPECT_TRUE(r.PtInRect(CPoint(20, 5)));
    EXPECT_TRUE(r.PtInRect(CPoint(200, 110)));
}

TEST(Lines, SelectionByNodeRowAndRectangle)
{
    RoutingPage page(0);
    IODesc* adat2 = page.node(ADATin, 2);
    IODesc* adat0 = page.node(ADATin, 0);
    IODesc* mainL5 = page.node(MAINinL, 5);
    IODesc* mainL1 = page.node(MAINinL, 1);
    IODesc* mainL7 = page.node(MAINinL, 7);
    IODesc* ana1 = page.node(ANAin, 1);
    page.connect(mainL5, adat2);
    page.connect(mainL1, adat0);
    page.connect(mainL7, ana1);
    page.connect(page.node(ADATout, 3), adat2);
    Line* l25 = page.lines.GetLine(mainL5, adat2);
    Line* l01 = page.lines.GetLine(mainL1, adat0);
    Line* la7 = page.lines.GetLine(mainL7, ana1);
    ASSERT_TRUE(l25 && l01 && la7);
    EXPECT_EQ(page.lines.GetLine(adat2, mainL5), nullptr); // ends are not interchangeable

    LineList out;
    EXPECT_EQ(page.lines.SelectLines(adat2, out), 2);
    EXPECT_EQ(page.lines.SelectLines(mainL1, out), 1);
    EXPECT_EQ(out.GetCount(), 3);
    out.RemoveAll();

    IODescList both;
    both.AddTail(adat2);
    both.AddTail(mainL5);
    EXPECT_EQ(page.lines.SelectLines(both, out), 3); // the line between them comes twice
    out.RemoveAll();

    // By row: destinations of MAINinL from connection number 5 on.
    EXPECT_EQ(page.lines.SelectLines(&io_table72[4], out, 5), 2);
    EXPECT_EQ(out[0], l25);
    EXPECT_EQ(out[1], la7);
    out.RemoveAll();
    // Sources of ADATin from 1 on: both lines of ADATin 2, not that of ADATin 0.
    EXPECT_EQ(page.lines.SelectLines(&io_table72[3], out, 1), 2);
    out.RemoveAll();
    // ANAin 1's connection number is 7 (index 1 plus offset 6).
    EXPECT_EQ(page.lines.SelectLines(&io_table72[1], out, 7), 1);
    EXPECT_EQ(page.lines.SelectLines(&io_table72[1], out, 8), 0);
    out.RemoveAll();

    // By rectangle: both node centres inside.
    CObList inRect;
    CRect r(adat0->rect.left, adat0->rect.top, mainL1->rect.right, mainL1->rect.bottom);
    EXPECT_EQ(page.lines.SelectLines(r, inRect), 1);
    EXPECT_EQ(inRect.GetHead(), l01);
    inRect.RemoveAll();
    CRect half(
        adat0->rect.left, adat0->rect.top, mainL1->rect.CenterPoint().x, mainL1->rect.bottom);
    EXPECT_EQ(page.lines.SelectLines(half, inRect), 0); // the destination centre is on the edge
}

TEST(Lines, DeletionSkipsDuplicatesAndStrangers)
{
    RepaintRecorder rec;
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
    all.DeleteLines(set, someWindow);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(repaints.size(), 2u);
    ASSERT_EQ(all.GetCount(), 1);
    EXPECT_EQ(all[0], l3);
    // Running the same set again finds nothing left to delete.
    all.DeleteLines(set, someWindow);
    EXPECT_EQ(destroyed, 2);
    set.RemoveAll();

    // DeleteLine: repaints and deletes the named line only.
    all.DeleteLine(someWindow, &b.dst, &b.src);
    EXPECT_EQ(all.GetCount(), 1);
    all.DeleteLine(someWindow, &b.dst, &a.src);
    EXPECT_EQ(all.GetCount(), 0);
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(repaints.size(), 3u);

    // A list handed itself as the set empties cleanly.
    all.AddTail(new CountedLine(&a.src, &a.dst));
    all.AddTail(new CountedLine(&b.src, &b.dst));
    all.DeleteLines(all, nullptr);
    EXPECT_EQ(all.GetCount(), 0);
    EXPECT_EQ(destroyed, 5);
}

TEST(Lines, ExchangeMovesLineEndsAndSources)
{
    RoutingPage page(0);
    RepaintRecorder rec;
    IODesc* aes0 = page.node(AESin, 0);
    IODesc* aes1 = page.node(AESin, 1);
    IODesc* sp0 = page.node(SPDIFcin, 0);
    IODesc* sp1 = page.node(SPDIFcin, 1);
    IODesc* mainL0 = page.node(MAINinL, 0);
    IODesc* mainL1 = page.node(MAINinL, 1);
    IODesc* mainL2 = page.node(MAINinL, 2);
    page.connect(mainL0, aes0);
    page.connect(mainL1, aes1);
    page.connect(mainL2, page.node(ADATin, 4));
    int value0 = mainL0->value, value1 = mainL1->value;

    IODescList outgoing, incoming;
    outgoing.AddTail(aes0);
    outgoing.AddTail(aes1);
    incoming.AddTail(sp0);
    incoming.AddTail(sp1);
    page.lines.ExchangeListItems(outgoing, incoming, someWindow);

    EXPECT_NE(page.lines.GetLine(mainL0, sp0), nullptr);
    EXPECT_NE(page.lines.GetLine(mainL1, sp1), nullptr);
    EXPECT_EQ(page.lines.GetLine(mainL0, aes0), nullptr);
    EXPECT_EQ(mainL0->source, sp0);
    EXPECT_EQ(mainL1->source, sp1);
    EXPECT_EQ(mainL0->value, value0); // values are left as they were
    EXPECT_EQ(mainL1->value, value1);
    EXPECT_EQ(mainL2->source, page.node(ADATin, 4));
    EXPECT_EQ(repaints.size(), 4u); // before and after the move of each of the two lines

    // A destination whose source was cleared keeps it cleared while its line moves.
    mainL0->source = nullptr;
    IODescList back, forth;
    back.AddTail(sp0);
    forth.AddTail(aes0);
    page.lines.ExchangeListItems(back, forth, nullptr);
    EXPECT_NE(page.lines.GetLine(mainL0, aes0), nullptr);
    EXPECT_EQ(mainL0->source, nullptr);

    // The destination end of a line moves too.
    IODescList dOut, dIn;
    dOut.AddTail(mainL2);
    dIn.AddTail(page.node(MAINinL, 3));
    page.lines.ExchangeListItems(dOut, dIn, nullptr);
    EXPECT_NE(page.lines.GetLine(page.node(MAINinL, 3), page.node(ADATin, 4)), nullptr);
    EXPECT_EQ(page.lines.GetCount(), 3);
}
