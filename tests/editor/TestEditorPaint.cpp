// What the page draws: lines in their selected and normal colours, the
// selected node's ring, the cross on nodes that are off the page, and colours
// read afresh at every paint.
#include "EditorFixture.h"

#include "CDC.h"
#include "RoleColors.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>

using namespace editortest;

namespace {

bool near(QRgb c, int r, int g, int b)
{
    return std::abs(qRed(c) - r) < 60 && std::abs(qGreen(c) - g) < 60
        && std::abs(qBlue(c) - b) < 60;
}

// Sums the area of a widget's paint events.
struct PaintedArea : QObject {
    qint64 pixels = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                pixels += qint64(r.width()) * r.height();
        return false;
    }
};

} // namespace

class EditorPaintTest : public EditorTest {
protected:
    QImage paint(QImage::Format format = QImage::Format_RGB32, QColor under = Qt::white)
    {
        QImage img(dlg->GetWidget()->size(), format);
        img.fill(under);
        CDC dc(&img);
        dlg->OnDraw(&dc);
        dc.End();
        return img.convertToFormat(QImage::Format_RGB32);
    }
    // The ring drawn around a node: its rect grown by 2 and moved left 1.
    static CRect ring(const IODesc* n)
    {
        CRect r = n->rect;
        r.InflateRect(2, 2);
        r.OffsetRect(-1, 0);
        return r;
    }
    // A point on the source's horizontal stub of a line.
    QPoint stub(const Line* l) const
    {
        const CPoint a = l->source->rect.CenterPoint();
        const int h = l->dest->rect.Width() / 2;
        const int dir = l->dest->rect.CenterPoint().x < a.x ? -1 : 1;
        return QPoint(a.x + dir * (h + h / 2), a.y);
    }
};

TEST_F(EditorPaintTest, SelectedAndNormalLinesDifferInColour)
{
    open(0);
    drag(node(ADATin, 1), node(MAINinL, 1));
    drag(node(ADATin, 2), node(MAINinL, 2)); // the selected line
    const Line* normal = dlg->lines.GetLine(node(MAINinL, 1), node(ADATin, 1));
    const Line* selected = dlg->lines.GetLine(node(MAINinL, 2), node(ADATin, 2));
    ASSERT_TRUE(dlg->selectedLines.Find(selected));
    const QImage img = paint();
    // Lines blended onto the page by hand give the pixels the toolkit gives.
    const QColor grey(90, 140, 200);
    EXPECT_TRUE(paint(QImage::Format_ARGB32, grey) == paint(QImage::Format_RGB32, grey));
    EXPECT_TRUE(near(img.pixel(stub(normal)), 0, 255, 0)) << std::hex << img.pixel(stub(normal));
    EXPECT_TRUE(near(img.pixel(stub(selected)), 255, 0, 0))
        << std::hex << img.pixel(stub(selected));
    // A colour changed in the settings shows at the next paint.
    lineNormalColor = 0xFF0000FF;
    const QImage again = paint();
    EXPECT_TRUE(near(again.pixel(stub(normal)), 0, 0, 255));
    lineNormalColor = lineNormalColor.GetDefault();
}

TEST_F(EditorPaintTest, OffPageNodesAreCrossedAndPageNodesRingedOnly)
{
    open(0);
    IODesc* on = node(MAINinL, 3);
    press(centre(on));
    release(centre(on));
    QImage img = paint();
    const CPoint c = on->rect.CenterPoint();
    const CRect r = ring(on); // in the selection colour
    EXPECT_TRUE(near(img.pixel(r.CenterPoint().x, r.top), 255, 0, 0));
    EXPECT_TRUE(near(img.pixel(c.x - 1, c.y), 255, 255, 255)); // hollow inside

    IODesc* off = node(SPDIFcin, 0);
    press(centre(off));
    release(centre(off));
    img = paint();
    const CRect o = ring(off);
    const CPoint oc = o.CenterPoint();
    // Drawn in the disabled grey, with a cross through the middle.
    EXPECT_TRUE(near(img.pixel(oc.x, oc.y), 0xDC, 0xDC, 0xDC)) << std::hex << img.pixel(oc.x, oc.y);
    EXPECT_TRUE(near(img.pixel(oc.x, o.top), 0xDC, 0xDC, 0xDC));
}

TEST_F(EditorPaintTest, PartnersShowWhileTheButtonIsHeldAndTheDropTargetInItsColour)
{
    open(0);
    IODesc* m4 = node(MAINinL, 4);
    press(centre(m4));
    runFor(50); // the press's repaints come in more than one turn of the loop
    PaintedArea area;
    dlg->GetWidget()->installEventFilter(&area);
    move(centre(node(ADATin, 6)), Qt::LeftButton);
    runFor(50);
    dlg->GetWidget()->removeEventFilter(&area);
    // The move repaints the new target, not every partner or the window.
    const CRect& n = node(ADATin, 6)->rect;
    EXPECT_GT(area.pixels, 0);
    EXPECT_LE(area.pixels, qint64(n.Width() + 16) * (n.Height() + 16));
    QImage img = paint();
    // AESin 4 is a partner (normal colour), ADATin 6 the drop target (blue).
    const CRect p = ring(node(AESin, 4));
    EXPECT_TRUE(near(img.pixel(p.CenterPoint().x, p.top), 0, 255, 0));
    const CRect t = ring(node(ADATin, 6));
    EXPECT_TRUE(near(img.pixel(t.CenterPoint().x, t.top), 0x40, 0x40, 0xFF));
    release(centre(node(ADATin, 6)));
    img = paint();
    // Released: no partner rings any more.
    EXPECT_TRUE(near(img.pixel(p.CenterPoint().x, p.top), 255, 255, 255));
}
