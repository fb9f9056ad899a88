#include "MsgReceiver.h"
#include "MsgEvent.h"

MsgReceiver::MsgReceiver(CCmdTarget* owner, QObject* parent)
    : QObject(parent)
    , m_owner(owner)
{
}

MsgReceiver::~MsgReceiver() = default;

bool MsgReceiver::event(QEvent* e)
{
    const int r = dispatchMsgEvent(m_owner, e);
    if (r == -2)
        return QObject::event(e);
    return r != -1;
}
