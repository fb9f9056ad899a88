// The rubber-band tracker: its nested loop ends on release (accepted), Escape
// (cancelled) or the window going away, and the rectangle follows the mouse.
#include "CRectTracker.h"
#include "CWnd.h"
#include "TestWndSupport.h"

TEST(WndTracker, ReleaseAcceptsEscapeCancelsAndAVanishingWindowEndsTheDrag)
{
    auto w = std::make_unique<CWnd>();
    ASSERT_TRUE(w->Create(nullptr, "track", 0x2, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(waitExposed(w->GetWidget()));
    QWidget* q = w->GetWidget();
    CRectTracker t;
    QTimer::singleShot(0, [&] {
        moveTo(q, QPoint(120, 90), Qt::LeftButton);
        moveTo(q, QPoint(40, 30), Qt::LeftButton);
        keyClick(q, Qt::Key_A); // eaten, does not end the drag
        release(q, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    });
    EXPECT_TRUE(t.Track(w.get(), CPoint(100, 80), TRUE));
    EXPECT_EQ(t.m_rect, CRect(40, 30, 100, 80)); // inverted and normalised
    EXPECT_FALSE(t.IsTracking());

    QTimer::singleShot(0, [&] {
        moveTo(q, QPoint(10, 15), Qt::LeftButton);
        keyClick(q, Qt::Key_Escape);
    });
    EXPECT_FALSE(t.Track(w.get(), CPoint(50, 60), FALSE));
    EXPECT_EQ(t.m_rect, CRect(50, 60, 10, 15)); // without invert: where the mouse was

    QTimer::singleShot(0, [&] { w.reset(); });
    EXPECT_FALSE(t.Track(w.get(), CPoint(5, 5), TRUE));
}
