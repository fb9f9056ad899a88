#pragma once
// The protocol object as the comms and simulated-device tests drive it: a
// transport that records what is sent, a protocol object that records what it
// dispatches (and still does what it would do), and a reply window that hands
// posted MIDI input to it as the editor does.
#include "MIDIbase.h"
#include "MidiMsg.h"
#include "MsgEvent.h"
#include "RtMidiMsg.h"
#include "SysexVocabulary.h"
#include "ZorvantaMidiProcessor.h"

#include "TestEnv.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Records every message as the bytes it would put on the wire.
class RecordingTransport : public MIDIbase {
public:
    int IsOpen() override { return open ? 1 : 0; }
    int Open(signed char force) override
    {
        ++opens;
        lastForce = force;
        if (openError)
            return openError;
        open = true;
        return 0;
    }
    int Close() override
    {
        open = false;
        ++closes;
        return 0;
    }
    int Busy() override { return busy; }
    int Send(int count, sendInfo* pieces) override
    {
        Bytes message;
        for (int i = 0; i < count; ++i)
            message.insert(message.end(), pieces[i].data, pieces[i].data + pieces[i].length);
        sent.push_back(message);
        pieceCounts.push_back(count);
        return sendError;
    }
    int ShortMessage(unsigned char status, unsigned char d1, unsigned char d2) override
    {
        sent.push_back(Bytes { status, d1, d2 });
        pieceCounts.push_back(0);
        return sendError;
    }

    bool open = true;
    int openError = 0, sendError = 0, busy = 0, opens = 0, closes = 0;
    signed char lastForce = 0;
    std::vector<Bytes> sent;
    std::vector<int> pieceCounts;
};

struct Dispatched {
    std::string kind; // "text", "unknown", "prognums", "error"
    int command;
    std::string text;
};

// Records what assembly and dispatch hand to the overridable handlers, then
// lets the protocol object's own handling run.
class RecordingProcessor : public ZorvantaMidiProcessor {
public:
    // On a recording transport unless another is given; given none, on the
    // transport the settings chose.
    explicit RecordingProcessor(
        std::unique_ptr<MIDIbase> link = std::make_unique<RecordingTransport>())
        : transport(dynamic_cast<RecordingTransport*>(link.get()))
    {
        if (link)
            InstallTransport(std::move(link), commMidi);
    }
    void ProcessTextMessage(int command, const char* text, QObject* window) override
    {
        events.push_back({ "text", command, text });
        if (onText)
            onText();
        ZorvantaMidiProcessor::ProcessTextMessage(command, text, window);
    }
    void UnknownCommand(char* message, int length) override
    {
        events.push_back(
            { "unknown", static_cast<unsigned char>(message[0]), std::string(message, length) });
    }
    void OnPrognumsDump(int count, const prognums_buffer* pairs, QObject* window) override
    {
        std::string s;
        for (int i = 0; i < count; ++i)
            s += std::to_string(pairs[i].bank) + "/" + std::to_string(pairs[i].program) + ";";
        events.push_back({ "prognums", count, s });
        ZorvantaMidiProcessor::OnPrognumsDump(count, pairs, window);
    }
    int ProcessIdentityMessage(char* text, QObject*) override
    {
        identityTexts.push_back(text);
        return consumeIdentity;
    }
    void OnSysexcError(const char* text) override
    {
        events.push_back({ "error", 13, text });
        ZorvantaMidiProcessor::OnSysexcError(text);
    }
    // Feeds one chunk of received bytes.
    int feed(const Bytes& bytes, QObject* window = nullptr)
    {
        return ProcessMidiMsg(new RtMidiMsg(bytes.data(), bytes.size()), window);
    }
    // The events of one kind.
    std::vector<Dispatched> of(const char* kind) const
    {
        std::vector<Dispatched> out;
        for (const Dispatched& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }

    RecordingTransport* transport; // null on another transport
    std::vector<Dispatched> events;
    std::vector<std::string> identityTexts;
    int consumeIdentity = 0;
    std::function<void()> onText;
};

// Hands every posted MIDI message to the protocol object, as the editor's
// window does.
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

inline Bytes framed(unsigned char command, const std::string& payload, unsigned char id = 1)
{
    Bytes b { 0xF0, sysex::manufacturer, sysex::family, id, command };
    b.reserve(payload.size() + 6);
    for (char c : payload)
        b.push_back(static_cast<unsigned char>(c));
    b.push_back(0xF7);
    return b;
}
