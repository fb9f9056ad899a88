#include "NodeMarks.h"

#include "CDC.h"
#include "ScopedSelectors.h"

#include <QPaintDevice>
#include <QPainter>

namespace {
// Room around the shape for the pen's half width and square caps.
constexpr int pad = 3;
constexpr std::size_t maxMarks = 32;
} // namespace

void NodeMarks::drawShape(CDC* dc, const CRect& r, unsigned colour, bool crossed)
{
    NPen pen(dc, 1, 2, colour);
    const CBrush hollow;
    const CBrush oldBrush = *dc->SelectObject(&hollow);
    dc->Ellipse(r);
    if (crossed) {
        dc->MoveTo(r.left, r.top);
        dc->LineTo(r.right, r.bottom);
        dc->MoveTo(r.right, r.top);
        dc->LineTo(r.left, r.bottom);
    }
    dc->SelectObject(&oldBrush);
}

void NodeMarks::Draw(CDC* dc, const CRect& r, unsigned colour, bool crossed)
{
    QPainter* p = dc ? dc->GetPainter() : nullptr;
    if (!p || !p->isActive())
        return;
    QPaintDevice* device = p->device();
    // The copy gives the same pixels only on an unscaled, antialiased painter.
    if (!device || !p->transform().isIdentity() || !p->testRenderHint(QPainter::Antialiasing)
        || r.IsRectEmpty()) {
        drawShape(dc, r, colour, crossed);
        return;
    }
    const qreal dpr = device->devicePixelRatioF();
    const int w = r.Width(), h = r.Height();
    const Mark* found = nullptr;
    for (const Mark& m : marks)
        if (m.width == w && m.height == h && m.colour == colour && m.crossed == crossed
            && m.dpr == dpr) {
            found = &m;
            break;
        }
    if (!found) {
        if (marks.size() >= maxMarks)
            marks.clear();
        QImage image(QSize(w + 2 * pad, h + 2 * pad) * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        CDC mdc(&image);
        mdc.SetAntialiasing(TRUE);
        drawShape(&mdc, CRect(pad, pad, pad + w, pad + h), colour, crossed);
        mdc.End();
        marks.push_back({ w, h, colour, crossed, dpr, image });
        found = &marks.back();
    }
    p->drawImage(QPoint(r.left - pad, r.top - pad), found->image);
}
