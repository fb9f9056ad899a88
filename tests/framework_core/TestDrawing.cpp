// Pixel checks of the drawing context drawing into an image.
#include "CDC.h"
#include "ScopedSelectors.h"
#include "SysColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr QRgb white = 0xFFFFFFFFu;
constexpr QRgb black = 0xFF000000u;
constexpr QRgb red = 0xFFFF0000u;
constexpr QRgb green = 0xFF00FF00u;
constexpr QRgb blue = 0xFF0000FFu;

QImage canvas(int w = 40, int h = 40)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(white);
    return img;
}

// Bounding box (exclusive right and bottom) of the pixels that are not white.
CRect inkBox(const QImage& img)
{
    CRect box(img.width(), img.height(), 0, 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != white) {
                box.left = std::min<int>(box.left, x);
                box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1);
                box.bottom = std::max<int>(box.bottom, y + 1);
            }
    return box;
}

bool rowHas(const QImage& img, int y, QRgb colour)
{
    for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == colour)
            return true;
    return false;
}

// A crisp font of a known pixel size.
QFont testFont(int pixels)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(pixels);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

} // namespace

TEST(DrawingShapes, RectanglesAndEllipsesStopBeforeTheRightAndBottomEdges)
{
    QImage img = canvas();
    {
        CDC dc(&img);
        ASSERT_TRUE(dc.IsActive());
        EXPECT_TRUE(dc.Rectangle(0, 0, 10, 10));
    }
    EXPECT_EQ(inkBox(img), CRect(0, 0, 10, 10));
    EXPECT_EQ(img.pixel(9, 9), black);
    EXPECT_EQ(img.pixel(5, 5), white); // no brush selected: not filled

    img = canvas();
    {
        CDC dc(&img);
        NBrush fill(&dc, red);
        dc.Rectangle(CRect(2, 3, 12, 13));
    }
    EXPECT_EQ(inkBox(img), CRect(2, 3, 12, 13));
    EXPECT_EQ(img.pixel(6, 7), red);
    EXPECT_EQ(img.pixel(11, 12), black);

    img = canvas();
    {
        CDC dc(&img);
        NPen none(&dc, 0, 1, black);
        NBrush fill(&dc, blue);
        dc.Ellipse(0, 0, 20, 10);
    }
    // A filled ellipse without outline: within its rectangle, touching both sides.
    const CRect fillBox = inkBox(img);
    EXPECT_EQ(fillBox.left, 0);
    EXPECT_EQ(fillBox.right, 20);
    EXPECT_LE(fillBox.top, 1);
    EXPECT_EQ(fillBox.bottom, 10);
    EXPECT_EQ(img.pixel(10, 5), blue);

    // With antialiasing too, outlines stay inside their rectangles.
    for (BOOL aa : { FALSE, TRUE }) {
        img = canvas();
        {
            CDC dc(&img);
            dc.SetAntialiasing(aa);
            dc.Ellipse(CRect(5, 5, 25, 15));
        }
        EXPECT_EQ(inkBox(img), CRect(5, 5, 25, 15)) << "antialiasing " << aa;
        img = canvas();
        {
            CDC dc(&img);
            dc.SetAntialiasing(aa);
            dc.Rectangle(3, 4, 13, 24);
        }
        EXPECT_EQ(inkBox(img), CRect(3, 4, 13, 24)) << "antialiasing " << aa;
    }
}

TEST(DrawingShapes, FillsCoverExactlyTheRectangle)
{
    QImage img = canvas();
    {
        CDC dc(&img);
        const CBrush brush(green);
        dc.FillRect(CRect(2, 2, 6, 6), &brush);
        dc.FillRect(CRect(20, 20, 30, 30), nullptr); // no brush: nothing
    }
    EXPECT_EQ(inkBox(img), CRect(2, 2, 6, 6));
    EXPECT_EQ(img.pixel(5, 5), green);

    // A rounded rectangle with no rounding covers its size from the corner.
    img = canvas();
    {
        CDC dc(&img);
        dc.RoundRect(0, 0, 10, 10, 0, 0);
        dc.Arc(0, 0, 30, 30, 0, 0, 30, 30); // not drawn
    }
    EXPECT_EQ(inkBox(img), CRect(0, 0, 11, 11));
}

TEST(DrawingLines, TextColourMakesFollowingLinesPlainOnePixel)
{
    QImage img = canvas();
    {
        CDC dc(&img);
        const CPen wide(1, 5, blue);
        dc.SelectObject(&wide);
        EXPECT_EQ(dc.SetTextColor(red), blue);
        EXPECT_EQ(dc.MoveTo(0, 20), CPoint(0, 0));
        dc.LineTo(39, 20);
        EXPECT_EQ(dc.GetCurrentPosition(), CPoint(39, 20));
    }
    EXPECT_EQ(img.pixel(20, 20), red);
    EXPECT_EQ(img.pixel(20, 19), white);
    EXPECT_EQ(img.pixel(20, 21), white);
    EXPECT_FALSE(rowHas(img, 18, blue));
}

TEST(DrawingText, BaselineSitsFourFifthsOfTheLineHeightBelowY)
{
    for (int pixels : { 12, 20, 31 }) {
        QImage img = canvas(120, 80);
        int offset = 0;
        {
            CDC dc(&img);
            const CFont font(testFont(pixels));
            dc.SelectObject(&font);
            offset = QFontMetrics(font.qfont(), &img).height() * 4 / 5;
            EXPECT_EQ(dc.BaselineOffset(), offset);
            dc.TextOut(2, 10, "HHH");
        }
        // Capital H stands on the baseline: its last row is just above it.
        const CRect ink = inkBox(img);
        EXPECT_EQ(ink.bottom, 10 + offset) << pixels << " px";
        EXPECT_GT(ink.top, 10) << pixels << " px";
    }
}

TEST(DrawingText, SelectingAFontRecomputesTheBaselineAndExtent)
{
    QImage img = canvas();
    CDC dc(&img);
    const CFont small(testFont(10));
    const CFont large(testFont(30));
    dc.SelectObject(&small);
    const int smallOffset = dc.BaselineOffset();
    const CSize smallExtent = dc.GetTextExtent(CString("Wide text"));
    CFont* previous = dc.SelectObject(&large);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->qfont().pixelSize(), 10);
    EXPECT_GT(dc.BaselineOffset(), smallOffset);
    const CSize largeExtent = dc.GetTextExtent(CString("Wide text"));
    EXPECT_GT(largeExtent.cx, smallExtent.cx);
    EXPECT_EQ(largeExtent.cy, QFontMetrics(large.qfont(), &img).height());
    EXPECT_EQ(dc.GetTextExtent("Wide text", 4).cx, dc.GetTextExtent(CString("Wide")).cx);
}

TEST(DrawingText, MeasuresWithTheWindowFontWhenNotPainting)
{
    CDC dc;
    EXPECT_FALSE(dc.IsActive());
    dc.SetWindowFont(testFont(25));
    const CSize extent = dc.GetTextExtent(CString("abc"));
    const QFontMetrics metrics(testFont(25));
    EXPECT_EQ(extent, CSize(metrics.horizontalAdvance("abc"), metrics.height()));
    // Drawing without a painter does nothing and says so.
    EXPECT_FALSE(dc.Rectangle(0, 0, 5, 5));
    EXPECT_FALSE(dc.TextOut(0, 0, "x"));
}

TEST(DrawingText, OpaqueBackgroundFillsBehindTheText)
{
    QImage img = canvas(100, 40);
    {
        CDC dc(&img);
        const CFont font(testFont(16));
        dc.SelectObject(&font);
        NBackColor back(&dc, blue);
        {
            NBackMode opaque(&dc, OPAQUE);
            dc.TextOut(2, 2, "ii");
        }
        EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
        dc.TextOut(50, 2, "ii");
    }
    bool blueLeft = false, blueRight = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (img.pixel(x, y) == blue)
                (x < 50 ? blueLeft : blueRight) = true;
    EXPECT_TRUE(blueLeft);
    EXPECT_FALSE(blueRight);
}

TEST(DrawingSelectors, ScopesRestoreWhatTheyChangedEvenWhenNested)
{
    QImage img = canvas();
    CDC dc(&img);
    const QPen original = dc.GetCurrentPen().qpen();
    {
        NPen outer(&dc, 1, 1, red);
        {
            NPen inner(&dc, 1, 3, green);
            EXPECT_EQ(dc.GetTextColor(), green);
            EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 3);
        }
        EXPECT_EQ(dc.GetTextColor(), red);
        EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 1);
        dc.MoveTo(0, 5);
        dc.LineTo(39, 5);
    }
    EXPECT_EQ(dc.GetCurrentPen().qpen(), original);
    EXPECT_EQ(img.pixel(10, 5), red);

    {
        NBrush a(&dc, red);
        {
            NBrush b(&dc, green);
            EXPECT_EQ(dc.GetCurrentBrush().qbrush().color().rgb(), green);
        }
        EXPECT_EQ(dc.GetCurrentBrush().qbrush().color().rgb(), red);
    }
    EXPECT_EQ(dc.GetCurrentBrush().qbrush().style(), Qt::NoBrush);

    const COLORREF bk = dc.GetBkColor();
    {
        NBackColor a(&dc, red);
        NBackColor b(&dc, green);
        EXPECT_EQ(dc.GetBkColor(), green);
    }
    EXPECT_EQ(dc.GetBkColor(), bk);
    // Null contexts are allowed and change nothing.
    NPen p(nullptr, 1, 1, red);
    NBrush b(nullptr, red);
    NTextColor t(nullptr, red);
    NBackColor c(nullptr, red);
    NBackMode m(nullptr, OPAQUE);
}

TEST(DrawingSelectors, TextColourScopeKeepsOrRestoresTheWholePen)
{
    QImage img = canvas();
    CDC dc(&img);
    NPen wide(&dc, 1, 5, blue);
    {
        NTextColor same(&dc, NoColorChange);
        EXPECT_EQ(dc.GetTextColor(), blue);
        EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 5);
    }
    {
        NTextColor text(&dc, red);
        EXPECT_EQ(dc.GetTextColor(), red);
        EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 1);
    }
    EXPECT_EQ(dc.GetTextColor(), blue);
    EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 5);
    dc.MoveTo(0, 20);
    dc.LineTo(39, 20);
    dc.End();
    EXPECT_EQ(img.pixel(20, 18), blue);
    EXPECT_EQ(img.pixel(20, 22), blue);
}

TEST(DrawingContext, BorrowedPainterIsMappedClippedAndGivenBack)
{
    QImage img = canvas();
    QPainter painter(&img);
    painter.translate(5, 7);
    const QPen before(Qt::darkCyan, 2);
    painter.setPen(before);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(&painter));
        CPoint p(1, 1);
        dc.LPtoDP(&p);
        EXPECT_EQ(p, CPoint(6, 8));
        dc.DPtoLP(&p);
        EXPECT_EQ(p, CPoint(1, 1));
        CRect r(0, 0, 10, 10);
        dc.LPtoDP(&r);
        EXPECT_EQ(r, CRect(5, 7, 15, 17));
        CSize s(3, 4);
        dc.LPtoDP(&s);
        EXPECT_EQ(s, CSize(3, 4));

        CRect clip;
        EXPECT_TRUE(dc.GetClipBox(&clip));
        EXPECT_EQ(clip, CRect(-5, -7, 35, 33));
        painter.setClipRect(QRect(0, 0, 4, 6));
        EXPECT_TRUE(dc.GetClipBox(&clip));
        EXPECT_EQ(clip, CRect(0, 0, 4, 6));

        dc.SetTextColor(red);
        EXPECT_EQ(dc.GetDeviceCaps(0), 16);
        EXPECT_EQ(dc.GetDeviceCaps(8), 0);
        EXPECT_FALSE(dc.IsPrinting());
    }
    EXPECT_TRUE(painter.isActive());
    EXPECT_EQ(painter.pen(), before);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
}

TEST(DrawingObjects, LogicalFontsRoundTripAndLongNamesStayBounded)
{
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    EXPECT_EQ(font.qfont().pixelSize(), 14);
    EXPECT_TRUE(font.qfont().bold());
    LOGFONT back;
    ASSERT_TRUE(font.GetLogFont(&back));
    EXPECT_EQ(back.lfHeight, -14);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_STREQ(back.lfFaceName, "DejaVu Sans");

    LOGFONT longName;
    std::memset(longName.lfFaceName, 'A', LF_FACESIZE); // no terminator
    ASSERT_TRUE(font.CreateFontIndirect(&longName));
    EXPECT_EQ(font.qfont().family().size(), LF_FACESIZE);
    ASSERT_TRUE(font.GetLogFont(&back));
    EXPECT_EQ(std::strlen(back.lfFaceName), size_t(LF_FACESIZE - 1));
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
    EXPECT_FALSE(font.GetLogFont(nullptr));

    // Alpha is ignored: every colour draws opaque.
    EXPECT_EQ(CPen(1, 1, 0x00123456u).GetColor(), 0xFF123456u);
}

TEST(DrawingObjects, SystemColoursAndMetrics)
{
    EXPECT_EQ(GetSysColor(8), 0u);
    EXPECT_EQ(GetSysColor(23), 0u);
    EXPECT_EQ(GetSysColor(15), 0xFFE0E0E0u);
    EXPECT_EQ(GetSysColor(17), 0xFF808080u);
    EXPECT_EQ(GetSysColor(21), 0xFF808080u);
    EXPECT_EQ(GetSysColor(24), 0xFFFFFF80u);
    EXPECT_EQ(GetSysColor(0), 0xFFFFFFFFu);
    EXPECT_EQ(GetSysColor(22), 0xFFFFFFFFu);
    EXPECT_EQ(GetSystemMetrics(57), 15);
    EXPECT_EQ(GetSystemMetrics(58), 15);
    EXPECT_EQ(GetSystemMetrics(2), 0);
}
