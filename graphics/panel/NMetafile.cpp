#include "NMetafile.h"
#include "CString.h"

#include "CDC.h"
#include "ScaleMath.h"

#include <QPaintDevice>
#include <QPainter>

NMetafile::~NMetafile() = default;

BOOL NMetafile::Load(const char* path)
{
    scale = 1.0;
    image = QImage();
    scaled = QImage();
    if (!path || !image.load(textToQString(path)))
        return FALSE;
    return TRUE;
}

void NMetafile::GetOutlineRect(CRect& r) const
{
    r.SetRect(0, 0, image.width() - 1, image.height() - 1);
}

double NMetafile::SetDisplayRect(CRect& area, int m)
{
    CRect outline;
    GetOutlineRect(outline);
    area.DeflateRect(m, m);
    // A picture less than two pixels wide has no width to scale by; it is
    // shown at scale 0 rather than dividing by zero (or by -1 when empty).
    double s = outline.Width() > 0 ? double(area.Width()) / double(outline.Width()) : 0.0;
    area.bottom = clampToInt(std::int64_t(area.top) + truncToInt(s * outline.Height()));
    scale = s;
    displayRect = area;
    displayRect.InflateRect(m, m);
    margin = m;
    return s;
}

void NMetafile::Draw(CDC* dc)
{
    if (!dc || image.isNull())
        return;
    QPainter* p = dc->GetPainter();
    if (!p || !p->isActive())
        return;
    CRect target = displayRect;
    target.DeflateRect(margin, margin);
    if (target.IsRectEmpty())
        return;
    // Scaled straight to the device's pixels, so that a high-density screen
    // gets a sharp picture copied one to one rather than one stretched again.
    const qreal dpr = p->device() ? p->device()->devicePixelRatioF() : 1.0;
    const QSize size = QSize(target.Width(), target.Height()) * dpr;
    if (scaled.size() != size || scaled.devicePixelRatio() != dpr) {
        scaled = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(dpr);
    }
    p->drawImage(QPoint(target.left, target.top), scaled);
}

void NMetafile::SetBackgroundColor(COLORREF, CWnd*) { }
