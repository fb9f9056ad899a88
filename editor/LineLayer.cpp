#include "LineLayer.h"

#include "CDC.h"
#include "IODesc.h"
#include "Line.h"
#include "LineList.h"

#include <QPaintDevice>
#include <QPainter>

void LineLayer::Draw(CDC* dc, const LineList& lines, const LineList& selected,
    unsigned normalColour, unsigned selectedColour, int width)
{
    QPainter* p = dc ? dc->GetPainter() : nullptr;
    if (!p || !p->isActive())
        return;
    std::vector<Key> now;
    now.reserve(std::size_t(lines.GetCount()));
    for (POSITION pos = lines.GetHeadPosition(); pos;) {
        auto* line = static_cast<Line*>(lines.GetNext(pos));
        const bool sel = selected.CObList::Find(line) != nullptr;
        now.push_back(
            { line->source->rect, line->dest->rect, sel ? selectedColour : normalColour });
    }
    QPaintDevice* device = p->device();
    const bool plain
        = p->transform().isIdentity() && p->testRenderHint(QPainter::Antialiasing) && device;
    if (!plain) {
        // Only an unscaled painter gives the same pixels through the layer.
        layer = QImage();
        for (POSITION pos = lines.GetHeadPosition(); pos;) {
            auto* line = static_cast<Line*>(lines.GetNext(pos));
            line->Draw(dc, selected.CObList::Find(line) ? selectedColour : normalColour, width);
        }
        return;
    }
    const qreal dpr = device->devicePixelRatioF();
    const QSize size(device->width() * dpr, device->height() * dpr);
    if (layer.size() != size || layer.devicePixelRatio() != dpr || width != drawnWidth
        || now != drawn) {
        layer = QImage(size, QImage::Format_ARGB32_Premultiplied);
        layer.setDevicePixelRatio(dpr);
        layer.fill(Qt::transparent);
        CDC ldc(&layer);
        ldc.SetAntialiasing(TRUE);
        CRect bounds;
        for (POSITION pos = lines.GetHeadPosition(); pos;) {
            auto* line = static_cast<Line*>(lines.GetNext(pos));
            line->Draw(&ldc, selected.CObList::Find(line) ? selectedColour : normalColour, width);
            bounds.UnionRect(bounds, line->Bounds());
        }
        ldc.End();
        // Only this part is laid over the picture: the rest is transparent.
        bounds.InflateRect(2, 2);
        used = QRect(
            QPoint(bounds.left, bounds.top) * dpr, QSize(bounds.Width(), bounds.Height()) * dpr)
                   .intersected(layer.rect());
        drawn.swap(now);
        drawnWidth = width;
    }
    if (!used.isEmpty())
        p->drawImage(QPointF(used.topLeft()) / dpr, layer, used);
}
