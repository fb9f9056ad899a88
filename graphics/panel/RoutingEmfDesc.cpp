#include "RoutingEmfDesc.h"

#include "LedDescriptor.h"
#include "PanelHost.h"
#include "ScaleMath.h"

#include <algorithm>
#include <cmath>

namespace {

CPoint originOf(void* context)
{
    return context ? static_cast<PanelHost*>(context)->PictureOrigin() : CPoint(0, 0);
}

void deleteFromTail(CObList& list)
{
    while (!list.IsEmpty())
        delete static_cast<LedDescriptor*>(list.RemoveTail());
}

LedDescriptor* nth(const CObList& list, int n)
{
    if (n < 0)
        return nullptr;
    POSITION pos = list.FindIndex(n);
    return pos ? static_cast<LedDescriptor*>(list.GetAt(pos)) : nullptr;
}

} // namespace

RoutingEmfDesc::~RoutingEmfDesc()
{
    RoutingEmfDesc::DeleteAll();
}

void RoutingEmfDesc::DeleteAll()
{
    deleteFromTail(ledList);
    deleteFromTail(buttonList);
}

void RoutingEmfDesc::OutlineProcess(const CRect& r, void* context)
{
    if (!context)
        return;
    double s = static_cast<PanelHost*>(context)->EmfOutline(&r);
    // An outline without width or height gives no usable factor; the
    // records then stay unscaled rather than collapsing or overflowing.
    scale = std::isfinite(s) ? s : 0.0;
    ScaleRect(outline);
}

void RoutingEmfDesc::LedProcess(const CRect& r, void* context)
{
    // The node is a square around the region's centre, one pixel larger
    // than the region's larger side. Computed wide: regions are user data.
    std::int64_t w = std::int64_t(r.right) - r.left;
    std::int64_t h = std::int64_t(r.bottom) - r.top;
    std::int64_t half = (std::max(w, h) + 1) / 2;
    CPoint o = originOf(context);
    std::int64_t cx = (std::int64_t(r.left) + r.right) / 2 + o.x;
    std::int64_t cy = (std::int64_t(r.top) + r.bottom) / 2 + o.y;
    CRect square(
        clampToInt(cx - half), clampToInt(cy - half), clampToInt(cx + half), clampToInt(cy + half));
    ledList.AddTail(new LedDescriptor(square));
}

void RoutingEmfDesc::ButtonProcess(const CRect& r, void* context)
{
    CPoint o = originOf(context);
    CRect moved(clampToInt(std::int64_t(r.left) + o.x), clampToInt(std::int64_t(r.top) + o.y),
        clampToInt(std::int64_t(r.right) + o.x), clampToInt(std::int64_t(r.bottom) + o.y));
    buttonList.AddTail(new LedDescriptor(moved));
}

LedDescriptor* RoutingEmfDesc::GetLed(int n) const
{
    return nth(ledList, n);
}

LedDescriptor* RoutingEmfDesc::GetButton(int n) const
{
    return nth(buttonList, n);
}
