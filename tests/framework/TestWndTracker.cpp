// The rubber-band tracker: its nested loop ends on release (accepted) or Escape
// (cancelled) and the rectangle follows the mouse.
#include "CDC.h"
#include "CRectTracker.h"
#include "CWnd.h"
#include "TestWndSupport.h"
#include <QImage>

namespace {
std::unique_ptr<CWnd> trackerWindow()
{
    auto w = std::make_unique<CWnd>();
    EXPECT_TRUE(w->Create(nullptr, "track", 0x2, CRect(0, 0, 300, 200), nullptr, 0));
    EXPECT_TRUE(waitExposed(w->GetWidget()));
    return w;
}
} // namespace

TEST(WndTracker, ReleaseAcceptsAndInvertedRectangleIsNormalised)
{
    auto w = trackerWindow();
    QWidget* q = w->GetWidget();
    CRectTracker t;
    bool bandShown = false;
    QTimer::singleShot(0, [&] {
        moveTo(q, QPoint(120, 90), Qt::LeftButton);
        moveTo(q, QPoint(40, 30), Qt::LeftButton);
        bandShown = t.IsTracking();
        keyClick(q, Qt::Key_A); // eaten, does not end the drag
        release(q, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    });
    EXPECT_TRUE(t.Track(w.get(), CPoint(100, 80), TRUE));
    EXPECT_TRUE(bandShown);
    EXPECT_EQ(t.m_rect, CRect(40, 30, 100, 80));
    EXPECT_FALSE(t.IsTracking());
    EXPECT_EQ(t.HitTest(CPoint(50, 50)), -1);
}

TEST(WndTracker, EscapeCancelsAndWithoutInvertTheCornerStaysWhereTheMouseWas)
{
    auto w = trackerWindow();
    QWidget* q = w->GetWidget();
    CRectTracker t;
    QTimer::singleShot(0, [&] {
        moveTo(q, QPoint(10, 15), Qt::LeftButton);
        keyClick(q, Qt::Key_Escape);
    });
    EXPECT_FALSE(t.Track(w.get(), CPoint(50, 60), FALSE));
    EXPECT_EQ(t.m_rect, CRect(50, 60, 10, 15));
}

TEST(WndTracker, WindowGoingAwayEndsTheDrag)
{
    auto w = trackerWindow();
    CRectTracker t;
    QTimer::singleShot(0, [&] { w.reset(); });
    EXPECT_FALSE(t.Track(w.get(), CPoint(5, 5), TRUE));
}

TEST(WndTracker, DrawOutlinesTheNormalisedBand)
{
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    CRectTracker t;
    t.m_rect = CRect(50, 40, 10, 10); // inverted on purpose
    {
        CDC dc(&img);
        t.Draw(&dc);
    }
    int dark = 0;
    for (int x = 10; x < 50; ++x)
        dark += qGray(img.pixel(x, 10)) < 128;
    EXPECT_GT(dark, 5); // a dotted top edge
    EXPECT_EQ(img.pixel(30, 25), qRgb(255, 255, 255)); // the inside stays unfilled
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 255));
}
