#pragma once
#include "CObject.h"
#include "FrameworkTypes.h"
#include "MessageMap.h"

class CPoint;
class CScrollBar;

// Root of every object that receives framework messages: windows, dialogs and the
// application object. Looks messages up in the static maps of its class chain.
class CCmdTarget : public CObject {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    ~CCmdTarget() override;

    // The class's own map; CCmdTarget has none.
    virtual const Q_MSGMAP* GetMessageMap() const { return nullptr; }
    // An empty map without base: what Q_BEGIN_MESSAGE_MAP(X, Base) links to when
    // neither Base nor its bases declare a map of their own.
    static const Q_MSGMAP messageMap;

    // Mouse and scroll handlers the window layer calls directly; they do nothing here.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);

    // Searches `map` (this object's own map when null) and then its bases for the
    // first entry matching (code, sub, id) and dispatches it. Returns -1 when no
    // entry matched anywhere, else the value of the entry's signature kind. With
    // code msgHasHandler, returns 0 for the first entry with this sub-code and id
    // range, whatever its code, and calls nothing.
    int TraverseMap(
        const Q_MSGMAP* map, WPARAM w, LPARAM l, UINT code, UINT sub = scCommand, UINT id = 0);
    // TraverseMap from this object's own map; -1 when the class has none.
    int UpdateMap(WPARAM w, LPARAM l, UINT code, UINT sub = scCommand, UINT id = 0);
};
