#pragma once
// The protocol object and a reply window as the tests drive them: the window
// hands posted MIDI input to the protocol object, as the editor's msgUser
// handler does, and the protocol object keeps every text and error it gets.
#include "SimTestSupport.h"

#include "MidiMsg.h"
#include "MsgEvent.h"
#include "ZorvantaMidiProcessor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

class RecordingProcessor : public ZorvantaMidiProcessor {
public:
    void ProcessTextMessage(int command, const char* text, QObject*) override
    {
        texts.push_back({ command, text });
    }
    void OnSysexcError(const char* text) override { errors.push_back(text); }
    std::vector<Reply> texts;
    std::vector<std::string> errors;
};

class ReplyWindow : public QObject {
public:
    explicit ReplyWindow(ZorvantaMidiProcessor& p)
        : processor(p)
    {
    }
    bool event(QEvent* e) override
    {
        const MsgEvent* m = MsgEvent::from(e);
        if (!m)
            return QObject::event(e);
        if (m->code() == 1024) {
            ++posted;
            processor.ProcessMidiMsg(reinterpret_cast<MidiMsg*>(m->lParam()), this);
        }
        return true;
    }
    ZorvantaMidiProcessor& processor;
    int posted = 0;
};

// Runs the event queue until the processor holds n texts and errors in all,
// or until `ms` have passed (a bound against hanging, not a speed check).
inline bool waitForReplies(RecordingProcessor& p, size_t n, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (p.texts.size() + p.errors.size() < n && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return p.texts.size() + p.errors.size() >= n;
}
