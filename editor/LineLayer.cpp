#include "LineLayer.h"

#include "CDC.h"
#include "IODesc.h"
#include "Line.h"
#include "LineList.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Two runs closer than this are blended as one: a transparent pixel blends
// to what was there, and fewer runs cost less than the pixels between them.
constexpr int runGap = 4;
// How many rows ahead of the one being blended the target is fetched.
constexpr int prefetchRows = 2;

// x * a / 255 on each byte, rounded as the toolkit's own blending rounds, so
// that the runs give the pixels a drawn image gives.
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

// Blends the premultiplied pixels s[x0, x1) over t[x0, x1). No branch per
// pixel: a transparent pixel leaves the target as it was (x * 255 / 255 is
// exact) and an opaque one replaces it.
inline void blendSpan(quint32* t, const quint32* s, int x, int x1)
{
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi16(0xff);
    const __m128i half = _mm_set1_epi16(0x80);
    for (; x + 4 <= x1; x += 4) {
        const __m128i sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
        const __m128i tp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + x));
        __m128i a = _mm_srli_epi32(sp, 24);
        a = _mm_sub_epi16(low, _mm_or_si128(a, _mm_slli_epi32(a, 16)));
        __m128i rb = _mm_mullo_epi16(_mm_and_si128(tp, low), a);
        __m128i ag = _mm_mullo_epi16(_mm_srli_epi16(tp, 8), a);
        rb = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(rb, _mm_srli_epi16(rb, 8)), half), 8);
        ag = _mm_andnot_si128(low, _mm_add_epi16(_mm_add_epi16(ag, _mm_srli_epi16(ag, 8)), half));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(t + x), _mm_add_epi32(sp, _mm_or_si128(rb, ag)));
    }
#endif
    for (; x < x1; ++x)
        t[x] = s[x] + byteMul(t[x], 255 - (s[x] >> 24));
}

// The first x in [x, w) whose pixel is not transparent, or w. Most of the
// layer is transparent: four pixels are tested at a time.
inline int nextCovered(const quint32* s, int x, int w)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 4 <= w; x += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(p, zero)) != 0xffff)
            break;
    }
#endif
    while (x < w && !s[x])
        ++x;
    return x;
}

// The device pixels of a rectangle in logical pixels at ratio dpr.
QRect devicePixels(const QRect& r, qreal dpr)
{
    return QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr).toAlignedRect();
}

} // namespace

void LineLayer::Draw(CDC* dc, const LineList& lines, const LineList& selected,
    unsigned normalColour, unsigned selectedColour, int width)
{
    QPainter* p = dc ? dc->GetPainter() : nullptr;
    if (!p || !p->isActive())
        return;
    std::vector<Key>& now = next;
    now.clear();
    for (POSITION pos = lines.GetHeadPosition(); pos;) {
        Line* line = lines.Next(pos);
        const bool sel = selected.CObList::Find(line) != nullptr;
        now.push_back({ line->source->rect, line->dest->rect, sel ? selectedColour : normalColour,
            line->Bounds() });
    }
    QPaintDevice* device = p->device();
    const bool plain
        = p->transform().isIdentity() && p->testRenderHint(QPainter::Antialiasing) && device;
    if (!plain) {
        // Only an unscaled painter gives the same pixels through the layer.
        layer = QImage();
        drawn.clear();
        for (POSITION pos = lines.GetHeadPosition(); pos;) {
            Line* line = lines.Next(pos);
            line->Draw(dc, selected.CObList::Find(line) ? selectedColour : normalColour, width);
        }
        return;
    }
    const qreal dpr = device->devicePixelRatioF();
    // Images and pixmaps measure themselves in device pixels, widgets in logical ones.
    const int type = device->devType();
    const qreal perPixel = type == QInternal::Image || type == QInternal::Pixmap ? dpr : 1.0;
    const QRect page(0, 0, int(device->width() / perPixel), int(device->height() / perPixel));
    const QSize size = devicePixels(page, dpr).size();
    if (layer.size() != size || layer.devicePixelRatio() != dpr || width != drawnWidth) {
        // Not filled here: the page is the whole layer, which redraw clears.
        layer = QImage(size, QImage::Format_ARGB32_Premultiplied);
        layer.setDevicePixelRatio(dpr);
        runs.assign(std::size_t(size.height()), {});
        drawnWidth = width;
        drawn.clear();
        redraw(lines, selected, normalColour, selectedColour, width, page);
    } else if (now != drawn) {
        redraw(lines, selected, normalColour, selectedColour, width, changed(now) & page);
    }
    drawn.swap(now);
    if (!used.isEmpty() && !blendRuns(p))
        p->drawImage(QPointF(used.topLeft()) / dpr, layer, used);
}

QRect LineLayer::changed(const std::vector<Key>& now) const
{
    // Lines that kept their look keep their pixels, as long as they are drawn
    // in the same order (where antialiased lines cross, the later one is on top).
    std::vector<bool> kept(drawn.size(), false);
    CRect dirty;
    std::size_t last = 0;
    for (const Key& k : now) {
        std::size_t j = 0;
        while (j < drawn.size() && (kept[j] || !(drawn[j] == k)))
            ++j;
        if (j == drawn.size()) {
            dirty.UnionRect(dirty, k.bounds);
            continue;
        }
        if (j < last)
            return QRect(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
        kept[j] = true;
        last = j;
    }
    for (std::size_t j = 0; j < drawn.size(); ++j)
        if (!kept[j])
            dirty.UnionRect(dirty, drawn[j].bounds);
    if (dirty.IsRectEmpty())
        return QRect();
    // Room for the pen's half width and its caps.
    const int grow = std::max(2, drawnWidth);
    dirty.InflateRect(grow, grow);
    return QRect(dirty.left, dirty.top, dirty.Width(), dirty.Height());
}

void LineLayer::redraw(const LineList& lines, const LineList& selected, unsigned normalColour,
    unsigned selectedColour, int width, const QRect& dirty)
{
    const qreal dpr = layer.devicePixelRatio();
    QRect pixels = devicePixels(dirty, dpr) & layer.rect();
    if (pixels.isEmpty())
        return;
    // A line clipped, or moved, is rasterised a little differently at its
    // edges, so the lines over the dirty part are drawn whole into a
    // transparent image of the layer's size and the dirty part is copied
    // from there; then the image is made transparent again where they were.
    const QRect whole(QPoint(0, 0), layer.deviceIndependentSize().toSize());
    QRect area = dirty == whole || dpr != std::floor(dpr) ? whole : QRect();
    const int grow = std::max(2, width);
    std::vector<Line*> over;
    for (POSITION pos = lines.GetHeadPosition(); pos;) {
        Line* line = lines.Next(pos);
        CRect b = line->Bounds();
        b.InflateRect(grow, grow);
        const QRect r(b.left, b.top, b.Width(), b.Height());
        if (r.intersects(dirty)) {
            over.push_back(line);
            area |= r;
        }
    }
    area = (area | dirty).adjusted(-grow, -grow, grow, grow) & whole;
    const bool all = area == whole;
    if (all) {
        pixels = layer.rect();
        layer.fill(Qt::transparent);
        over.clear();
        for (POSITION pos = lines.GetHeadPosition(); pos;)
            over.push_back(lines.Next(pos));
    } else if (scratch.size() != layer.size() || scratch.devicePixelRatio() != dpr) {
        scratch = QImage(layer.size(), QImage::Format_ARGB32_Premultiplied);
        scratch.setDevicePixelRatio(dpr);
        scratch.fill(Qt::transparent);
    }
    {
        CDC ldc(all ? &layer : &scratch);
        ldc.SetAntialiasing(TRUE);
        for (Line* line : over)
            line->Draw(&ldc, selected.CObList::Find(line) ? selectedColour : normalColour, width);
        ldc.End();
    }
    if (!all) {
        const QRect areaPixels = devicePixels(area, dpr) & layer.rect();
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            std::memcpy(layer.scanLine(y) + qsizetype(pixels.left()) * 4,
                scratch.constScanLine(y) + qsizetype(pixels.left()) * 4,
                std::size_t(pixels.width()) * 4);
        for (int y = areaPixels.top(); y <= areaPixels.bottom(); ++y)
            std::memset(scratch.scanLine(y) + qsizetype(areaPixels.left()) * 4, 0,
                std::size_t(areaPixels.width()) * 4);
    }
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        std::vector<Run>& row = runs[std::size_t(y)];
        row.clear();
        const auto* s = reinterpret_cast<const quint32*>(layer.constScanLine(y));
        for (int x = 0, w = layer.width(); x < w; ++x) {
            x = nextCovered(s, x, w);
            if (x == w)
                break;
            if (!row.empty() && x - row.back().x1 < runGap)
                row.back().x1 = x + 1;
            else
                row.push_back({ x, x + 1, 0 });
        }
    }
    used = QRect();
    packed.clear();
    for (std::size_t y = 0; y < runs.size(); ++y) {
        if (runs[y].empty())
            continue;
        used |= QRect(runs[y].front().x0, int(y), runs[y].back().x1 - runs[y].front().x0, 1);
        const auto* s = reinterpret_cast<const quint32*>(layer.constScanLine(int(y)));
        for (Run& r : runs[y]) {
            r.offset = packed.size() - std::size_t(r.x0);
            packed.insert(packed.end(), s + r.x0, s + r.x1);
        }
    }
}

bool LineLayer::blendRuns(QPainter* p) const
{
    QPaintDevice* device = p->device();
    if (device->devType() != QInternal::Image)
        return false;
    auto* target = static_cast<QImage*>(device);
    const qreal dpr = layer.devicePixelRatio();
    // Premultiplied pixels blend the same way on both formats; a scaled or
    // faded painter, or a shared image, is left to the toolkit.
    if ((target->format() != QImage::Format_RGB32
            && target->format() != QImage::Format_ARGB32_Premultiplied)
        || target->size() != layer.size() || target->devicePixelRatio() != dpr
        || dpr != std::floor(dpr) || !target->isDetached()
        || p->compositionMode() != QPainter::CompositionMode_SourceOver || p->opacity() != 1.0)
        return false;
    const QRegion clip = p->hasClipping() ? p->clipRegion() : QRegion(target->rect());
    const int d = int(dpr);
    uchar* bits = target->bits();
    const qsizetype stride = target->bytesPerLine();
    for (const QRect& logical : clip) {
        const QRect c
            = (p->hasClipping() ? QRect(logical.topLeft() * d, logical.size() * d) : logical)
            & used;
        // Bottom up: what was drawn under the lines just before, top down,
        // is likeliest still in the cache at the bottom.
        for (int y = c.bottom(); y >= c.top(); --y) {
            // The runs of a row lie far apart in a large target, most of
            // them a cache miss: those of the rows ahead are fetched while
            // this one blends.
            if (y - prefetchRows >= c.top())
                for (const Run& r : runs[std::size_t(y - prefetchRows)])
                    __builtin_prefetch(bits + (y - prefetchRows) * stride + qsizetype(r.x0) * 4, 1);
            auto* t = reinterpret_cast<quint32*>(bits + y * stride);
            for (const Run& r : runs[std::size_t(y)])
                blendSpan(t, packed.data() + r.offset, std::max(r.x0, c.left()),
                    std::min(r.x1, c.right() + 1));
        }
    }
    return true;
}
