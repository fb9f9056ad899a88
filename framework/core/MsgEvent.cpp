#include "MsgEvent.h"
#include "CCmdTarget.h"

MsgEvent::MsgEvent(QEvent::Type type, UINT code, WPARAM w, LPARAM l)
    : QEvent(type)
    , m_code(code)
    , m_w(w)
    , m_l(l)
{
}

MsgEvent::~MsgEvent() = default;

const MsgEvent* MsgEvent::from(const QEvent* e)
{
    if (!e || (e->type() != PostedType && e->type() != SentType))
        return nullptr;
    return dynamic_cast<const MsgEvent*>(e);
}

int dispatchMsgEvent(CCmdTarget* owner, const QEvent* e)
{
    const MsgEvent* m = MsgEvent::from(e);
    if (!m)
        return -2;
    if (!owner)
        return -1;
    return owner->UpdateMap(m->wParam(), m->lParam(), m->code());
}
