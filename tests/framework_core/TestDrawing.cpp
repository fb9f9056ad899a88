// Pixel checks of the drawing context drawing into an image.
#include "CDC.h"
#include "ScopedSelectors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
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

} // namespace

TEST(Drawing, ShapesStopBeforeTheRightAndBottomEdgesWithOrWithoutAntialiasing)
{
    for (BOOL aa : { FALSE, TRUE })
        for (bool ellipse : { false, true }) {
            QImage img = canvas();
            {
                CDC dc(&img);
                dc.SetAntialiasing(aa);
                ellipse ? dc.Ellipse(CRect(5, 5, 25, 15)) : dc.Rectangle(5, 5, 25, 15);
            }
            EXPECT_EQ(inkBox(img), CRect(5, 5, 25, 15)) << "aa " << aa << " ellipse " << ellipse;
            EXPECT_EQ(img.pixel(15, 10), white); // no brush selected: not filled
        }
    QImage img = canvas();
    {
        CDC dc(&img);
        NBrush fill(&dc, red);
        dc.Rectangle(CRect(2, 3, 12, 13));
    }
    EXPECT_EQ(img.pixel(6, 7), red);
    EXPECT_EQ(img.pixel(11, 12), black);
}

TEST(Drawing, ScopedSelectorsNestAndTextColourMakesLinesPlainOnePixel)
{
    QImage img = canvas();
    {
        CDC dc(&img);
        NPen wide(&dc, 1, 5, blue);
        {
            NPen inner(&dc, 1, 3, green);
            NTextColor text(&dc, red); // lines after it: red and one pixel wide
            dc.MoveTo(0, 20);
            dc.LineTo(39, 20);
        }
        EXPECT_EQ(dc.GetTextColor(), blue);
        EXPECT_EQ(dc.GetCurrentPen().qpen().width(), 5);
        {
            NBrush a(&dc, red);
            NBrush b(&dc, green);
        }
        EXPECT_EQ(dc.GetCurrentBrush().qbrush().style(), Qt::NoBrush);
        dc.MoveTo(0, 5);
        dc.LineTo(39, 5);
    }
    EXPECT_EQ(img.pixel(20, 20), red);
    EXPECT_EQ(img.pixel(20, 19), white);
    EXPECT_EQ(img.pixel(20, 21), white);
    EXPECT_EQ(img.pixel(20, 3), blue);
    EXPECT_EQ(img.pixel(20, 7), blue);
}

TEST(Drawing, TextBaselineIsFourFifthsOfTheLineHeightBelowY)
{
    for (int pixels : { 12, 31 }) {
        QImage img = canvas(120, 80);
        QFont f("DejaVu Sans");
        f.setPixelSize(pixels);
        f.setStyleStrategy(QFont::NoAntialias);
        const CFont font(f);
        int offset = 0;
        {
            CDC dc(&img);
            dc.SelectObject(&font);
            offset = QFontMetrics(font.qfont(), &img).height() * 4 / 5;
            dc.TextOut(2, 10, "HHH");
        }
        // Capital H stands on the baseline: its last row is just above it.
        EXPECT_EQ(inkBox(img).bottom, 10 + offset) << pixels << " px";
    }
}

TEST(Drawing, BorrowedPainterIsGivenBackAsItWas)
{
    QImage img = canvas();
    QPainter painter(&img);
    painter.translate(5, 7);
    const QPen before(Qt::darkCyan, 2);
    painter.setPen(before);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(&painter));
        NPen pen(&dc, 1, 1, red);
        dc.MoveTo(0, 0);
        dc.LineTo(10, 0);
    }
    EXPECT_EQ(painter.pen(), before);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    EXPECT_EQ(img.pixel(10, 7), red); // drawn through the painter's translation
    EXPECT_EQ(img.pixel(10, 0), white);
}
