// Painting: paint handlers and client contexts draw into the window's backing
// image; what they draw must reach the screen, with exclusive right and bottom
// edges, and client drawing must not make the paint handler run.
#include "CClientDC.h"
#include "CPaintDC.h"
#include "CWnd.h"
#include "ScopedSelectors.h"
#include "TestWndSupport.h"
#include <QPixmap>
#include <QScreen>

namespace {

constexpr COLORREF kBlue = 0xFF0000FF;
constexpr COLORREF kRed = 0xFFFF0000;
constexpr COLORREF kGreen = 0xFF00FF00;

class PaintWnd : public CWnd {
    Q_DECLARE_MESSAGE_MAP(PaintWnd)
public:
    int paints = 0;
    int erases = 0;
    int erasesAtLastPaint = -1;
    COLORREF fill = kBlue;
    bool eraseHadPainter = false;

    BOOL OnEraseBkgnd(CDC* dc) override
    {
        ++erases;
        eraseHadPainter = dc && dc->IsActive();
        return TRUE;
    }
    void OnPaint()
    {
        ++paints;
        erasesAtLastPaint = erases;
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        NPen pen(&dc, 1, 1, fill);
        NBrush brush(&dc, fill);
        dc.Rectangle(r);
    }
};

Q_BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
Q_ON_PAINT(OnPaint)
Q_END_MESSAGE_MAP()

// What the screen shows of the window (its top-level's backing store), in window pixels.
QImage screenImage(CWnd* w)
{
    QWidget* q = w->GetWidget();
    QWidget* top = q->window();
    QPoint o = q->mapTo(top, QPoint(0, 0));
    return q->screen()->grabWindow(top->winId(), o.x(), o.y(), q->width(), q->height()).toImage();
}

QRgb pixel(CWnd* w, int x, int y)
{
    return screenImage(w).pixel(x, y) | 0xFF000000u;
}

std::unique_ptr<PaintWnd> paintedWindow()
{
    auto w = std::make_unique<PaintWnd>();
    EXPECT_TRUE(w->Create(nullptr, "paint", 0x2, CRect(40, 40, 140, 120), nullptr, 0));
    EXPECT_TRUE(waitExposed(w->GetWidget()));
    EXPECT_TRUE(waitUntil([&] { return w->paints > 0 && pixel(w.get(), 50, 40) == kBlue; }));
    return w;
}

} // namespace

TEST(PaintHandler, EraseThenPaintReachTheScreen)
{
    auto w = paintedWindow();
    EXPECT_EQ(pixel(w.get(), 0, 0), kBlue);
    EXPECT_EQ(pixel(w.get(), 99, 79), kBlue);
    EXPECT_GE(w->erasesAtLastPaint, 1); // the erase step came before the paint
    EXPECT_TRUE(w->eraseHadPainter);
}

TEST(PaintClientDC, DrawingOutsidePaintReachesTheScreenWithoutRepaint)
{
    auto w = paintedWindow();
    const int paintsBefore = w->paints;
    {
        CClientDC dc(w.get());
        ASSERT_TRUE(dc.IsActive());
        NPen pen(&dc, 1, 1, kRed);
        NBrush brush(&dc, kRed);
        dc.Rectangle(20, 20, 30, 30);
    }
    ASSERT_TRUE(waitUntil([&] { return pixel(w.get(), 25, 25) == kRed; }));
    EXPECT_EQ(pixel(w.get(), 20, 20), kRed);
    EXPECT_EQ(pixel(w.get(), 29, 29), kRed);
    EXPECT_EQ(pixel(w.get(), 30, 30), kBlue); // right and bottom edges are exclusive
    EXPECT_EQ(pixel(w.get(), 19, 25), kBlue);
    runFor(30);
    EXPECT_EQ(w->paints, paintsBefore); // shown, not repainted by the application
    EXPECT_EQ(pixel(w.get(), 25, 25), kRed);

    // An invalidation asks the application again, which paints over it.
    w->Invalidate();
    ASSERT_TRUE(waitUntil([&] { return w->paints > paintsBefore; }));
    ASSERT_TRUE(waitUntil([&] { return pixel(w.get(), 25, 25) == kBlue; }));
}

TEST(PaintClientDC, NestedContextsShareOneSurface)
{
    auto w = paintedWindow();
    {
        CClientDC outer(w.get());
        NPen pen(&outer, 1, 1, kGreen);
        {
            CClientDC inner(w.get());
            ASSERT_TRUE(inner.IsActive());
            NPen redPen(&inner, 1, 1, kRed);
            inner.MoveTo(0, 5);
            inner.LineTo(50, 5);
        }
        outer.MoveTo(0, 10);
        outer.LineTo(50, 10); // the inner context's pen is gone again
    }
    ASSERT_TRUE(waitUntil([&] { return pixel(w.get(), 10, 10) == kGreen; }));
    EXPECT_EQ(pixel(w.get(), 10, 5), kRed);
}

TEST(PaintInvalidate, OnlyTheInvalidAreaIsRepainted)
{
    auto w = paintedWindow();
    {
        CClientDC dc(w.get());
        NPen pen(&dc, 1, 1, kRed);
        NBrush brush(&dc, kRed);
        dc.Rectangle(0, 0, 100, 80);
    }
    ASSERT_TRUE(waitUntil([&] { return pixel(w.get(), 70, 70) == kRed; }));
    w->fill = kGreen;
    const int before = w->paints;
    w->InvalidateRect(CRect(0, 0, 10, 10));
    w->UpdateWindow(); // processes the repaint now
    EXPECT_EQ(w->paints, before + 1);
    ASSERT_TRUE(waitUntil([&] { return pixel(w.get(), 5, 5) == kGreen; }));
    EXPECT_EQ(pixel(w.get(), 9, 9), kGreen);
    EXPECT_EQ(pixel(w.get(), 10, 10), kRed);
    EXPECT_EQ(pixel(w.get(), 70, 70), kRed);
}

TEST(PaintErase, EraseColourFillsAWindowWithoutPaintHandler)
{
    CWnd w;
    ASSERT_TRUE(w.Create(nullptr, "plain", 0x2, CRect(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(waitExposed(w.GetWidget()));
    w.setEraseColor(kGreen);
    ASSERT_TRUE(waitUntil([&] { return pixel(&w, 30, 20) == kGreen; }));
    {
        CClientDC dc(&w);
        dc.SetTextColor(kRed); // also colours the lines that follow
        dc.MoveTo(0, 3);
        dc.LineTo(60, 3);
    }
    ASSERT_TRUE(waitUntil([&] { return pixel(&w, 30, 3) == kRed; }));
    EXPECT_EQ(pixel(&w, 30, 4), kGreen);
    EXPECT_EQ(pixel(&w, 30, 2), kGreen);
}

TEST(PaintClientDC, WindowWithoutWidgetGivesAnInactiveContext)
{
    CWnd w;
    CClientDC dc(&w);
    EXPECT_FALSE(dc.IsActive());
    dc.Rectangle(0, 0, 10, 10); // draws nothing, must not crash
    CClientDC none(nullptr);
    EXPECT_FALSE(none.IsActive());
}
