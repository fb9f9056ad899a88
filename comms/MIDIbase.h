#pragma once
#include "CString.h"
#include "CommsTypes.h"

#include <QMetaObject>
#include <atomic>
#include <functional>

class MidiMsg;
class CWnd;
class QObject;

// The abstract transport: moves finished MIDI messages between the protocol
// object and the outside. Received data is posted to the reply window.
class MIDIbase {
public:
    MIDIbase() = default;
    MIDIbase(const MIDIbase&) = delete;
    MIDIbase& operator=(const MIDIbase&) = delete;

    virtual int Busy() { return 0; }
    virtual void DetachAll() { }
    virtual int IsOpen() { return 0; }
    virtual int ShortMessage(unsigned char status, unsigned char data1, unsigned char data2);
    virtual int Send(int count, sendInfo* pieces);
    virtual int Close() { return 0; }
    virtual void ExplainErr(int code, CString& text);
    virtual int Open(signed char force);
    virtual int Config(CWnd*) { return 0; }
    virtual ~MIDIbase();
    virtual int RxBufferSize() { return 0; }
    virtual int IsConnectionGood() { return 1; }

    // Frames a system-exclusive message (command 0xFF: raw frame F0 payload F7)
    // and sends it as one message after opening the link.
    int SysxShort(char id, char command, char manufacturer, char family, const void* data,
        int length, QObject* replyWindow);
    // Sends the bytes exactly as given after opening the link.
    int SendRaw(const void* data, int length, QObject* replyWindow);
    // Shows the explanation of a nonzero code in a "Comms Error" warning box.
    void ErrorDialog(int code);
    // Called on the MIDI library's thread: posts the message to the reply
    // window, or releases it when there is none.
    void MessageReceived(MidiMsg* message);

    QObject* ReplyWindow() const { return replyWindow_.load(std::memory_order_acquire); }
    // Records where replies go; forgotten again when that object is destroyed.
    void SetReplyWindow(QObject* window);

    // Why an open link ended without being closed.
    enum LinkLoss { ServiceStopped = 1, PortsGone = 2 };
    // Called on the user-interface thread when the link ends by itself; the
    // transport is closed by then and may be deleted by the handler.
    void SetLinkLostHandler(std::function<void(MIDIbase*, LinkLoss)> handler)
    {
        linkLost_ = std::move(handler);
    }

protected:
    // Tells the handler; the caller must not touch this object afterwards.
    void NotifyLinkLost(LinkLoss why)
    {
        const auto handler = linkLost_;
        if (handler)
            handler(this, why);
    }

private:
    std::function<void(MIDIbase*, LinkLoss)> linkLost_;
    std::atomic<QObject*> replyWindow_ { nullptr };
    QMetaObject::Connection replyWindowGone_;
};
