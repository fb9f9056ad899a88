#include "CCmdTarget.h"
#include "Geometry.h"

namespace {
const Q_MSGMAP_ENTRY noEntries[] = { qMapEnd() };
}

const Q_MSGMAP CCmdTarget::messageMap = { nullptr, noEntries };

CCmdTarget::~CCmdTarget() = default;

void CCmdTarget::OnLButtonDown(UINT, CPoint) { }
void CCmdTarget::OnLButtonUp(UINT, CPoint) { }
void CCmdTarget::OnRButtonDown(UINT, CPoint) { }
void CCmdTarget::OnRButtonUp(UINT, CPoint) { }
void CCmdTarget::OnMouseMove(UINT, CPoint) { }
void CCmdTarget::OnVScroll(UINT, UINT, CScrollBar*) { }
void CCmdTarget::OnHScroll(UINT, UINT, CScrollBar*) { }

namespace {

bool inRange(const Q_MSGMAP_ENTRY& e, UINT id)
{
    return e.firstId <= id && id <= e.lastId;
}

} // namespace

int CCmdTarget::TraverseMap(const Q_MSGMAP* map, WPARAM w, LPARAM l, UINT code, UINT sub, UINT id)
{
    if (!map)
        map = GetMessageMap();
    for (; map; map = map->base) {
        for (const Q_MSGMAP_ENTRY* e = map->entries; e && e->handler; ++e) {
            // Kinds past sigIgnore (the end marker and anything unknown) never match.
            if (e->sig < sigUpdate || e->sig > sigIgnore)
                continue;
            if (e->sub != sub || !inRange(*e, id))
                continue;
            if (code == msgHasHandler)
                return 0;
            if (e->code != code)
                continue;
            if (e->sig == sigIgnore)
                return 0;
            auto* target
                = reinterpret_cast<CCmdTarget*>(reinterpret_cast<char*>(this) + e->thisAdjust);
            return e->handler(target, *e, Q_MSGCALL { w, l, id });
        }
    }
    return -1;
}

int CCmdTarget::UpdateMap(WPARAM w, LPARAM l, UINT code, UINT sub, UINT id)
{
    const Q_MSGMAP* own = GetMessageMap();
    if (!own)
        return -1;
    return TraverseMap(own, w, l, code, sub, id);
}
