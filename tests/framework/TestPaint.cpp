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
    EXPECT_TRUE(pumpUntil([&] { return w->paints > 0 && pixel(w.get(), 50, 40) == kBlue; }));
    return w;
}

} // namespace

TEST(PaintClientDC, DrawingOutsidePaintReachesTheScreenWithoutRepaint)
{
    auto w = paintedWindow();
    EXPECT_GE(w->erasesAtLastPaint, 1); // the erase step came before the paint
    EXPECT_TRUE(w->eraseHadPainter);
    const int paintsBefore = w->paints;
    {
        CClientDC dc(w.get());
        ASSERT_TRUE(dc.IsActive());
        NPen pen(&dc, 1, 1, kRed);
        NBrush brush(&dc, kRed);
        dc.Rectangle(20, 20, 30, 30);
    }
    ASSERT_TRUE(pumpUntil([&] { return pixel(w.get(), 25, 25) == kRed; }));
    EXPECT_EQ(pixel(w.get(), 20, 20), kRed);
    EXPECT_EQ(pixel(w.get(), 29, 29), kRed);
    EXPECT_EQ(pixel(w.get(), 30, 30), kBlue); // right and bottom edges are exclusive
    EXPECT_EQ(pixel(w.get(), 19, 25), kBlue);
    runFor(30);
    EXPECT_EQ(w->paints, paintsBefore); // shown, not repainted by the application
    EXPECT_EQ(pixel(w.get(), 25, 25), kRed);

    // An invalidation asks the application again, which paints over it.
    w->Invalidate();
    ASSERT_TRUE(pumpUntil([&] { return w->paints > paintsBefore; }));
    ASSERT_TRUE(pumpUntil([&] { return pixel(w.get(), 25, 25) == kBlue; }));
}
