#include "CDC.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace {

// The path whose outline covers the pixels (l, t) to (r - 1, b - 1): it runs
// through the centres of the outermost pixels, so a 1-pixel pen stays inside
// with or without antialiasing. A shape with no pen fills its size exactly.
QRectF shapeRect(int l, int t, int r, int b, bool stroked)
{
    if (!stroked)
        return QRectF(l, t, r - l, b - t);
    return QRectF(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
}

} // namespace

CDC::CDC() = default;

CDC::CDC(QPaintDevice* device, CWnd* window)
    : m_window(window)
{
    Begin(device);
}

CDC::~CDC()
{
    End();
}

BOOL CDC::Begin(QPaintDevice* device)
{
    End();
    if (!device)
        return FALSE;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device))
        return FALSE;
    m_ownedPainter = std::move(painter);
    m_painter = m_ownedPainter.get();
    m_borrowed = false;
    adoptPainterState();
    return TRUE;
}

BOOL CDC::Attach(QPainter* painter)
{
    End();
    if (!painter || !painter->isActive())
        return FALSE;
    painter->save();
    m_painter = painter;
    m_borrowed = true;
    adoptPainterState();
    return TRUE;
}

void CDC::End()
{
    if (!m_painter)
        return;
    if (m_borrowed) {
        m_painter->restore();
    } else if (m_painter->isActive()) {
        m_painter->end();
    }
    m_painter = nullptr;
    m_ownedPainter.reset();
    m_borrowed = false;
}

BOOL CDC::IsActive() const
{
    return m_painter && m_painter->isActive();
}

// Starts from what the painter holds, except a window font given beforehand.
void CDC::adoptPainterState()
{
    m_pen = CPen(m_painter->pen());
    m_brush = CBrush(m_painter->brush());
    if (m_hasWindowFont)
        m_painter->setFont(m_windowFont);
    m_font = CFont(m_painter->font());
    m_background = m_painter->background();
    m_bkMode = m_painter->backgroundMode() == Qt::OpaqueMode ? OPAQUE : TRANSPARENT;
    m_baseline = 0;
}

void CDC::applyPen()
{
    if (IsActive())
        m_painter->setPen(m_pen.qpen());
}

void CDC::applyBrush()
{
    if (IsActive())
        m_painter->setBrush(m_brush.qbrush());
}

void CDC::applyFont()
{
    m_baseline = 0;
    if (IsActive())
        m_painter->setFont(m_font.qfont());
}

void CDC::applyBackground()
{
    if (!IsActive())
        return;
    m_painter->setBackground(m_background);
    m_painter->setBackgroundMode(m_bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
}

void CDC::SetWindowFont(const QFont& font)
{
    m_windowFont = font;
    m_hasWindowFont = true;
    m_font = CFont(font);
    applyFont();
}

void CDC::SetAntialiasing(BOOL on)
{
    if (IsActive())
        m_painter->setRenderHint(QPainter::Antialiasing, on != FALSE);
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint previous = m_pos;
    m_pos = CPoint(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    if (IsActive())
        m_painter->drawLine(QPoint(m_pos.x, m_pos.y), QPoint(x, y));
    m_pos = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Rectangle(int l, int t, int r, int b)
{
    if (!IsActive())
        return FALSE;
    m_painter->drawRect(shapeRect(l, t, r, b, m_pen.qpen().style() != Qt::NoPen));
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b)
{
    if (!IsActive())
        return FALSE;
    m_painter->drawEllipse(shapeRect(l, t, r, b, m_pen.qpen().style() != Qt::NoPen));
    return TRUE;
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int w, int h)
{
    if (!IsActive())
        return FALSE;
    m_painter->drawRoundedRect(
        QRect(l, t, r - l, b - t), qBound(0, w, 99), qBound(0, h, 99), Qt::RelativeSize);
    return TRUE;
}

BOOL CDC::Arc(int, int, int, int, int, int, int, int)
{
    return FALSE;
}

BOOL CDC::Arc(const CRect&, const CPoint&, const CPoint&)
{
    return FALSE;
}

void CDC::FillRect(const CRect& r, const CBrush* brush)
{
    if (!IsActive() || !brush)
        return;
    m_painter->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), brush->qbrush());
}

void CDC::FillSolidRect(const CRect& r, COLORREF colour)
{
    const CBrush brush(colour);
    FillRect(r, &brush);
}

int CDC::BaselineOffset() const
{
    if (m_baseline == 0) {
        const int height = IsActive() ? m_painter->fontMetrics().height()
                                      : QFontMetrics(m_font.qfont()).height();
        m_baseline = height * 4 / 5;
    }
    return m_baseline;
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, text, -1);
}

BOOL CDC::TextOut(int x, int y, const CString& text, int n)
{
    if (!IsActive())
        return FALSE;
    const QString& s = text.toQString();
    const QString shown = n < 0 ? s : s.left(n);
    m_painter->drawText(QPoint(x, y + BaselineOffset()), shown);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const char* text, int n)
{
    return TextOut(x, y, CString(text), n);
}

int CDC::DrawText(const CString& text, const CRect& r, UINT flags)
{
    if (!IsActive())
        return 0;
    QRect bounds;
    m_painter->drawText(r.toQRect(), int(flags), text.toQString(), &bounds);
    return bounds.height();
}

int CDC::DrawText(const CString& text, const CRect* r, UINT flags)
{
    return r ? DrawText(text, *r, flags) : 0;
}

CSize CDC::GetTextExtent(const CString& text) const
{
    const QFontMetrics metrics
        = IsActive() ? m_painter->fontMetrics() : QFontMetrics(m_font.qfont());
    return CSize(metrics.horizontalAdvance(text.toQString()), metrics.height());
}

CSize CDC::GetTextExtent(const char* text, int n) const
{
    return GetTextExtent(CString(text, n));
}

COLORREF CDC::SetTextColor(COLORREF c)
{
    const COLORREF previous = m_pen.GetColor();
    m_pen = CPen(QPen(ColorFromArgb(c)));
    applyPen();
    return previous;
}

COLORREF CDC::GetTextColor() const
{
    return m_pen.GetColor();
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    const COLORREF previous = ArgbFromColor(m_background.color());
    m_background = QBrush(ColorFromArgb(c));
    applyBackground();
    return previous;
}

int CDC::SetBkMode(int mode)
{
    const int previous = m_bkMode;
    m_bkMode = mode == OPAQUE ? OPAQUE : TRANSPARENT;
    applyBackground();
    return previous;
}

CPen* CDC::SelectObject(const CPen* pen)
{
    if (!pen)
        return nullptr;
    const CPen next = *pen; // pen may be the saved previous pen itself
    m_prevPen = m_pen;
    m_pen = next;
    applyPen();
    return &m_prevPen;
}

void CDC::SetPen(const CPen& pen)
{
    m_pen = pen;
    applyPen();
}

CBrush* CDC::SelectObject(const CBrush* brush)
{
    if (!brush)
        return nullptr;
    const CBrush next = *brush;
    m_prevBrush = m_brush;
    m_brush = next;
    applyBrush();
    return &m_prevBrush;
}

CFont* CDC::SelectObject(const CFont* font)
{
    if (!font)
        return nullptr;
    const CFont next = *font;
    m_prevFont = m_font;
    m_font = next;
    applyFont();
    return &m_prevFont;
}

void CDC::LPtoDP(CPoint* p, int count) const
{
    if (!p || !IsActive())
        return;
    const QTransform t = m_painter->transform();
    for (int i = 0; i < count; ++i)
        p[i] = CPoint(t.map(QPoint(p[i].x, p[i].y)));
}

void CDC::LPtoDP(CRect* r) const
{
    if (!r || !IsActive())
        return;
    const QTransform t = m_painter->transform();
    const QPoint a = t.map(QPoint(r->left, r->top));
    const QPoint b = t.map(QPoint(r->right, r->bottom));
    *r = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::LPtoDP(CSize* s) const
{
    if (!s || !IsActive())
        return;
    const QTransform t = m_painter->transform();
    const QPoint d = t.map(QPoint(s->cx, s->cy)) - t.map(QPoint(0, 0));
    *s = CSize(d.x(), d.y());
}

void CDC::DPtoLP(CPoint* p, int count) const
{
    if (!p || !IsActive())
        return;
    const QTransform t = m_painter->transform().inverted();
    for (int i = 0; i < count; ++i)
        p[i] = CPoint(t.map(QPoint(p[i].x, p[i].y)));
}

void CDC::DPtoLP(CRect* r) const
{
    if (!r || !IsActive())
        return;
    const QTransform t = m_painter->transform().inverted();
    const QPoint a = t.map(QPoint(r->left, r->top));
    const QPoint b = t.map(QPoint(r->right, r->bottom));
    *r = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::DPtoLP(CSize* s) const
{
    if (!s || !IsActive())
        return;
    const QTransform t = m_painter->transform().inverted();
    const QPoint d = t.map(QPoint(s->cx, s->cy)) - t.map(QPoint(0, 0));
    *s = CSize(d.x(), d.y());
}

BOOL CDC::GetClipBox(CRect* r) const
{
    CRect box;
    if (IsActive()) {
        if (m_painter->hasClipping()) {
            box = CRect(m_painter->clipBoundingRect().toAlignedRect());
        } else if (QPaintDevice* d = m_painter->device()) {
            // Unclipped: the whole device, in the painter's logical coordinates.
            box = CRect(0, 0, d->width(), d->height());
            DPtoLP(&box);
        }
    }
    if (r)
        *r = box;
    return box.IsRectEmpty() ? FALSE : TRUE;
}
