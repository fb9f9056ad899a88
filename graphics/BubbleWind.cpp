#include "BubbleWind.h"

#include "CDC.h"
#include "CPaintDC.h"
#include "ScopedSelectors.h"
#include "SysColors.h"

#include <QWidget>
#include <algorithm>

namespace {
constexpr int tooltipTextColor = 23;
constexpr int tooltipBackColor = 24;
} // namespace

Q_BEGIN_ROOT_MESSAGE_MAP(BubbleWind)
Q_ON_PAINT(OnPaint)
Q_END_MESSAGE_MAP()

BubbleWind::~BubbleWind() = default;

BOOL BubbleWind::Create(CWnd* ownerWnd, COLORREF* fill, int m)
{
    owner = ownerWnd;
    fillColor = fill;
    margin = m;
    textColor = GetSysColor(tooltipTextColor);
    BOOL ok = CWnd::Create(
        owner ? "BubbleWind" : "STATIC", "BubbleWind", 0, CRect(0, 0, 100, 20), owner, 0);
    if (QWidget* w = GetWidget()) {
        // The bubble never takes the keyboard from the window it floats over.
        w->setFocusPolicy(Qt::NoFocus);
        if (!owner)
            w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    }
    return ok;
}

void BubbleWind::prepareMeasure(CDC& dc) const
{
    QWidget* w = GetWidget();
    if (owner && owner->GetWidget() && w)
        w->setFont(owner->GetWidget()->font());
    if (w)
        dc.SetWindowFont(w->font());
}

void BubbleWind::SetText(const char* t)
{
    if (!t)
        t = "";
    if (text == t)
        return;
    text = t;
    CDC dc;
    prepareMeasure(dc);
    CSize size = dc.GetTextExtent(text);
    lineHeight = size.cy;
    if (size.cx > wrapWidth) {
        size = GetMultiLineSize(dc);
    } else {
        lineCount = 1;
        lineLengths[0] = text.GetLength();
    }
    rect.SetRect(0, 0, 2 * margin + size.cx - 1, 2 * margin + size.cy - 1);
    if (QWidget* w = GetWidget())
        w->resize(rect.Width() + 1, rect.Height() + 1);
    Invalidate();
}

CSize BubbleWind::GetMultiLineSize(const CDC& dc)
{
    const QString& s = text.toQString();
    const int n = int(s.size());
    auto extent
        = [&](int from, int to) { return dc.GetTextExtent(CString(s.mid(from, to - from))).cx; };
    int width = 0;
    int height = 0;
    lineCount = 0;
    int start = 0;
    while (start < n && lineCount < maxLines) {
        int end = start; // end of the line, blanks after its last word included
        int lineWidth = 0;
        while (end < n) {
            int wordEnd = end;
            while (wordEnd < n && s[wordEnd] != ' ')
                ++wordEnd;
            int w = extent(start, wordEnd);
            // A word too wide for any line gets one of its own.
            bool alone = end == start;
            if (w >= wrapWidth && !alone)
                break;
            lineWidth = w;
            end = wordEnd;
            while (end < n && s[end] == ' ')
                ++end;
            if (w >= wrapWidth)
                break;
        }
        lineLengths[lineCount++] = end - start;
        width = std::max(width, lineWidth);
        height += lineHeight;
        start = end;
    }
    return CSize(width, height);
}

void BubbleWind::Draw(CPoint point, const char* t, int gap)
{
    if (!t || !*t) {
        ShowWindow(0);
        text.Empty();
        return;
    }
    if (point == lastPoint && text == t)
        return;
    if (!IsWindowVisible())
        ShowWindow(1);
    SetText(t);

    CRect r = rect;
    r.OffsetRect(point.x + gap, point.y - rect.Height() / 2);
    r.InflateRect(1, 1);
    if (owner) {
        CRect client;
        owner->GetClientRect(&client);
        // Past the right edge: over to the other side of the point.
        if (r.right > client.right)
            r.OffsetRect(-(r.Width() + 2 * gap), 0);
        if (r.left < client.left)
            r.left = 0;
        if (r.top < 0)
            r.OffsetRect(0, -r.top);
        else if (r.bottom > client.bottom)
            r.OffsetRect(0, client.bottom - r.bottom);
    }
    if (QWidget* w = GetWidget()) {
        w->move(r.left, r.top);
        w->raise();
    }
    Invalidate();
    lastPoint = point;
}

void BubbleWind::OnMouseMove(UINT flags, CPoint point)
{
    if (!owner || point.x <= 2)
        return;
    CRect wr;
    owner->GetWindowRect(&wr);
    point += wr.TopLeft();
    // x is masked to its 16 bits so a negative x cannot spill into y.
    LPARAM l = LPARAM((point.x & 0xFFFF) | (point.y << 16));
    owner->PostMessage(msgMouseRelay, flags, l);
}

void BubbleWind::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void BubbleWind::Paint(CDC* dc)
{
    NBrush brush(dc, fillColor ? *fillColor : GetSysColor(tooltipBackColor));
    NBackMode mode(dc, TRANSPARENT);
    dc->RoundRect(rect, CPoint(8, 8));
    NTextColor colour(dc, textColor);
    int offset = 0;
    for (int i = 0; i < lineCount; ++i) {
        dc->TextOut(margin, margin + i * lineHeight, text.Mid(offset, lineLengths[i]));
        offset += lineLengths[i];
    }
}
