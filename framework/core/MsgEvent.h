#pragma once
#include "FrameworkTypes.h"
#include <QEvent>

class CCmdTarget;

// A framework message travelling through the toolkit's event system: type 1000 when
// posted, 1001 when sent synchronously. lParam is pointer-wide because messages such
// as the MIDI input's carry an object pointer in it.
class MsgEvent : public QEvent {
public:
    static constexpr QEvent::Type PostedType = static_cast<QEvent::Type>(1000);
    static constexpr QEvent::Type SentType = static_cast<QEvent::Type>(1001);

    MsgEvent(QEvent::Type type, UINT code, WPARAM w, LPARAM l);
    ~MsgEvent() override;

    UINT code() const { return m_code; }
    WPARAM wParam() const { return m_w; }
    LPARAM lParam() const { return m_l; }

    // The MsgEvent behind `e`, or null when `e` is another kind of event.
    static const MsgEvent* from(const QEvent* e);

private:
    UINT m_code;
    WPARAM m_w;
    LPARAM m_l;
};

// For an event() override of a toolkit object owned by `owner`: -2 when `e` is not
// a MsgEvent, otherwise the result of owner's map lookup (code, w, l); -1 means no
// entry handled it. A null owner (already destroyed) handles nothing (-1).
int dispatchMsgEvent(CCmdTarget* owner, const QEvent* e);
