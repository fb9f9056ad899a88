#include "PanelPainter.h"

#include "CString.h"
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPolygon>

namespace panelgen {
namespace {

const QColor kPage(0xF3, 0xF5, 0xF8);
const QColor kInk(0x1F, 0x29, 0x33);
const QColor kMuted(0x5A, 0x66, 0x73);
const QColor kBlockFill(0xFF, 0xFF, 0xFF);
const QColor kBlockLine(0x9A, 0xA7, 0xB5);
const QColor kBlockHead(0x2E, 0x4A, 0x66);
const QColor kArrow(0x7D, 0x8B, 0x99);
const QColor kLedRing(0x26, 0x2B, 0x30);
const QColor kLedFace(0x55, 0x5E, 0x66);
const QColor kButtonFill(0xE4, 0xE8, 0xEC);

struct KindColors {
    QColor fill, line;
    const char* name;
};
KindColors colorsOf(NodeKind k)
{
    switch (k) {
    case NodeKind::source:
        return { QColor(0xE2, 0xEF, 0xFF), QColor(0x4C, 0x82, 0xC8), "source" };
    case NodeKind::destination:
        return { QColor(0xFF, 0xEF, 0xDC), QColor(0xD0, 0x86, 0x3C), "destination" };
    case NodeKind::fixed:
        break;
    }
    return { QColor(0xEC, 0xEC, 0xEC), QColor(0x99, 0x99, 0x99), "fixed" };
}

QRect toQ(const Box& b)
{
    return QRect(b.left, b.top, b.width(), b.height());
}

QFont pixelFont(const QString& family, int px)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setStyleStrategy(QFont::NoFontMerging);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void drawArrow(QPainter& p, const Arrow& a)
{
    p.setPen(QPen(kArrow, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(kArrow);
    if (a.x1 == a.x2) { // downward, inside a block
        p.drawLine(a.x1, a.y1, a.x1, a.y2 - 5);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygon(
            { QPoint(a.x1 - 6, a.y2 - 7), QPoint(a.x1 + 6, a.y2 - 7), QPoint(a.x1, a.y2) }));
        return;
    }
    p.drawLine(a.x1, a.y1, a.x2 - 8, a.y2);
    p.setPen(Qt::NoPen);
    p.drawPolygon(
        QPolygon({ QPoint(a.x2 - 10, a.y2 - 7), QPoint(a.x2 - 10, a.y2 + 7), QPoint(a.x2, a.y2) }));
}

void drawLed(QPainter& p, const Box& b)
{
    QRectF r(b.left, b.top, b.width(), b.height());
    p.setPen(QPen(kLedRing, 1.5));
    p.setBrush(kLedFace);
    p.drawEllipse(r.adjusted(0.75, 0.75, -0.75, -0.75));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB8, 0xC0, 0xC8));
    p.drawEllipse(QRectF(r.left() + 2.5, r.top() + 2.5, 3, 3));
}

} // namespace

bool PanelPainter::loadFonts(const QString& regularFile, const QString& boldFile)
{
    int r = QFontDatabase::addApplicationFont(regularFile);
    int b = QFontDatabase::addApplicationFont(boldFile);
    if (r < 0 || b < 0)
        return false;
    QStringList rf = QFontDatabase::applicationFontFamilies(r);
    QStringList bf = QFontDatabase::applicationFontFamilies(b);
    if (rf.isEmpty() || bf.isEmpty())
        return false;
    regular = rf.first();
    bold = bf.first();
    return true;
}

QImage PanelPainter::paint(const PanelLayout& page) const
{
    QImage img(page.width, page.height, QImage::Format_RGB32);
    img.fill(kPage);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QFont titleFont = pixelFont(bold, 20);
    titleFont.setBold(true);
    QFont headFont = pixelFont(bold, 12);
    headFont.setBold(true);
    QFont labelFont = pixelFont(bold, 11);
    labelFont.setBold(true);
    QFont smallFont = pixelFont(regular, 9);
    QFont textFont = pixelFont(regular, 10);

    p.setFont(titleFont);
    p.setPen(kInk);
    p.drawText(QRect(16, 8, page.width - 32, 28), Qt::AlignLeft | Qt::AlignVCenter,
        textToQString(page.title.c_str()));
    p.setFont(textFont);
    p.setPen(kMuted);
    p.drawText(QRect(16, 8, page.width - 32, 28), Qt::AlignRight | Qt::AlignVCenter,
        "signal flow: left to right");

    for (const Arrow& a : page.arrows)
        if (a.x1 != a.x2)
            drawArrow(p, a);

    for (const BlockFrame& b : page.blocks) {
        QRectF r = QRectF(toQ(b.frame)).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(kBlockLine, 1));
        p.setBrush(kBlockFill);
        p.drawRoundedRect(r, 6, 6);
        // Title band: rounded at the top, square where it meets the body.
        p.setPen(Qt::NoPen);
        p.setBrush(kBlockHead);
        p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), 22), 6, 6);
        p.drawRect(QRectF(r.left(), r.top() + 10, r.width(), 12));
        p.setFont(headFont);
        p.setPen(Qt::white);
        p.drawText(QRectF(r.left(), r.top(), r.width(), 22), Qt::AlignCenter,
            textToQString(b.title.c_str()));
    }

    for (const Arrow& a : page.arrows)
        if (a.x1 == a.x2)
            drawArrow(p, a);

    for (const GroupFrame& g : page.groups) {
        KindColors k = colorsOf(g.kind);
        QRectF r = QRectF(toQ(g.frame)).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(k.line, 1));
        p.setBrush(k.fill);
        p.drawRoundedRect(r, 4, 4);
        p.setFont(labelFont);
        p.setPen(kInk);
        p.drawText(QRect(g.frame.left + 10, g.frame.top + 3, g.frame.width() - 20, 15),
            Qt::AlignLeft | Qt::AlignVCenter, textToQString(g.label.c_str()));
        p.setFont(smallFont);
        p.setPen(k.line.darker(140));
        p.drawText(QRect(g.frame.left + 10, g.frame.top + 3, g.frame.width() - 20, 15),
            Qt::AlignRight | Qt::AlignVCenter, k.name);
        for (size_t n = 0; n < g.leds.size(); ++n) {
            const Box& led = g.leds[n];
            drawLed(p, led);
            p.setFont(smallFont);
            p.setPen(kMuted);
            p.drawText(QRect(led.left - 5, led.bottom + 1, led.width() + 10, 11), Qt::AlignCenter,
                QString::number(n + 1));
        }
    }

    for (const OptionMark& o : page.options) {
        p.setFont(textFont);
        p.setPen(kInk);
        p.drawText(toQ(o.caption), Qt::AlignRight | Qt::AlignVCenter, "in use:");
        p.setPen(QPen(kMuted, 1, Qt::DashLine));
        p.setBrush(kButtonFill);
        p.drawRoundedRect(QRectF(toQ(o.button)).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }

    // Legend: what the frame colours and the marks mean.
    int x = page.legend.left;
    int y = page.legend.top;
    p.setFont(textFont);
    for (NodeKind kind : { NodeKind::source, NodeKind::destination, NodeKind::fixed }) {
        KindColors k = colorsOf(kind);
        p.setPen(QPen(k.line, 1));
        p.setBrush(k.fill);
        p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, 22, 13), 3, 3);
        p.setPen(kInk);
        const char* text = kind == NodeKind::source ? "source: feeds destinations"
            : kind == NodeKind::destination         ? "destination: takes one source"
                                                    : "fixed port";
        p.drawText(QRect(x + 28, y - 1, 200, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += 220;
    }
    drawLed(p, { x, y + 2, x + 10, y + 12 });
    p.setPen(kInk);
    p.drawText(QRect(x + 16, y - 1, 200, 16), Qt::AlignLeft | Qt::AlignVCenter, "node");
    x += 80;
    p.setPen(QPen(kMuted, 1, Qt::DashLine));
    p.setBrush(kButtonFill);
    p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, 30, 14), 3, 3);
    p.setPen(kInk);
    p.drawText(QRect(x + 36, y - 1, 240, 16), Qt::AlignLeft | Qt::AlignVCenter,
        "option: switches the port in");
    p.end();
    return img;
}

} // namespace panelgen
