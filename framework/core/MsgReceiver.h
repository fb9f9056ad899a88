#pragma once
#include <QObject>

class CCmdTarget;
class QEvent;

// A plain toolkit object that hands the framework messages posted or sent to it to
// a command target's map: the window-less counterpart of a window's widget, for
// objects that receive posted messages without a window.
class MsgReceiver : public QObject {
    Q_OBJECT
public:
    explicit MsgReceiver(CCmdTarget* owner, QObject* parent = nullptr);
    ~MsgReceiver() override;

    CCmdTarget* owner() const { return m_owner; }
    // Stops forwarding; later messages are dropped (the owner is going away).
    void detach() { m_owner = nullptr; }

protected:
    bool event(QEvent* e) override;

private:
    CCmdTarget* m_owner;
};
