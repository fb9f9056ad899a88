#include "Posting.h"
#include "CCmdTarget.h"
#include "MsgEvent.h"
#include <QCoreApplication>
#include <QThread>
#include <atomic>

namespace {
std::atomic<MsgOwnerLookup> g_lookup { nullptr };
}

int PostMessage(QObject* target, UINT code, WPARAM w, LPARAM l)
{
    if (target)
        QCoreApplication::postEvent(target, new MsgEvent(MsgEvent::PostedType, code, w, l));
    return 0;
}

int SendMessage(QObject* target, UINT code, WPARAM w, LPARAM l)
{
    if (!target)
        return 0;
    if (QThread::currentThread() == target->thread()) {
        MsgEvent ev(MsgEvent::SentType, code, w, l);
        return QCoreApplication::sendEvent(target, &ev) ? 1 : 0;
    }
    // No locking here: the owner is used on this thread while the UI thread may be
    // using it too. Nothing in the editor sends across threads.
    CCmdTarget* owner = msgOwnerOf(target);
    return owner ? owner->UpdateMap(w, l, code) : 0;
}

void setMsgOwnerLookup(MsgOwnerLookup lookup)
{
    g_lookup = lookup;
}

CCmdTarget* msgOwnerOf(QObject* object)
{
    if (!object)
        return nullptr;
    if (MsgOwnerLookup lookup = g_lookup.load())
        return lookup(object);
    return nullptr;
}
