// A window-less toolkit object that hands the framework messages posted or
// sent to it to a command target's map, as a window's widget does.
#pragma once
#include "MsgEvent.h"
#include <QObject>

class TestReceiver : public QObject {
public:
    explicit TestReceiver(CCmdTarget* owner)
        : m_owner(owner)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        const int r = dispatchMsgEvent(m_owner, e);
        return r == -2 ? QObject::event(e) : r != -1;
    }

private:
    CCmdTarget* m_owner;
};
