#pragma once
// Stand-ins shared by the comms tests: a transport that records what is sent,
// a protocol object that records what it dispatches, and a private settings
// store.
#include "CMemFile.h"
#include "MIDIbase.h"
#include "MidiMsg.h"
#include "ProfileStore.h"
#include "RtMidiMsg.h"
#include "TestEnv.h"
#include "ZorvantaMidiProcessor.h"

#include <QSettings>

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
    int openError = 0;
    int sendError = 0;
    int busy = 0;
    int opens = 0;
    int closes = 0;
    signed char lastForce = 0;
    std::vector<Bytes> sent;
    std::vector<int> pieceCounts;
};

struct Dispatched {
    std::string kind; // "text", "unknown", "prognums"
    int command;
    std::string text; // the text, or the raw block
};

// Records what assembly and dispatch hand to the overridable handlers.
class RecordingProcessor : public ZorvantaMidiProcessor {
public:
    RecordingProcessor()
    {
        auto t = std::make_unique<RecordingTransport>();
        transport = t.get();
        InstallTransport(std::move(t), commMidi);
    }
    void ProcessTextMessage(int command, const char* text, QObject*) override
    {
        events.push_back({ "text", command, text });
        if (onText)
            onText();
    }
    void UnknownCommand(char* message, int length) override
    {
        events.push_back(
            { "unknown", static_cast<unsigned char>(message[0]), std::string(message, length) });
    }
    void OnPrognumsDump(int count, const prognums_buffer* pairs, QObject*) override
    {
        std::string s;
        for (int i = 0; i < count; ++i)
            s += std::to_string(pairs[i].bank) + "/" + std::to_string(pairs[i].program) + ";";
        events.push_back({ "prognums", count, s });
    }
    int ProcessIdentityMessage(char* text, QObject*) override
    {
        identityTexts.push_back(text);
        return consumeIdentity;
    }
    int ProcessBinaryFile(int command, int length, QObject*) override
    {
        std::string payload(static_cast<size_t>(length), '\0');
        AssemblyBuffer()->Read(payload.data(), length);
        events.push_back({ "binary", command, payload });
        return 1;
    }
    // Feeds one chunk of received bytes.
    int feed(const Bytes& bytes)
    {
        return ProcessMidiMsg(new RtMidiMsg(bytes.data(), bytes.size()), nullptr);
    }

    RecordingTransport* transport;
    std::vector<Dispatched> events;
    std::vector<std::string> identityTexts;
    int consumeIdentity = 0;
    std::function<void()> onText;
};

// A fresh ini file as the process-wide settings store for one test.
class ScopedSettings {
public:
    ScopedSettings()
        : settings_(QString::fromStdString(TestEnv::freshDir("settings") + "/comms.ini"),
            QSettings::IniFormat)
    {
        SetProfileStore(&settings_);
    }
    ~ScopedSettings() { SetProfileStore(nullptr); }
    QSettings& settings() { return settings_; }
    bool has(const char* section, const char* entry)
    {
        return settings_.contains(ProfileKey(section, entry));
    }

private:
    QSettings settings_;
};

inline Bytes framed(unsigned char command, const std::string& payload, unsigned char id = 1)
{
    Bytes b { 0xF0, 0x7D, 0x70, id, command };
    b.reserve(payload.size() + 6);
    for (char c : payload)
        b.push_back(static_cast<unsigned char>(c));
    b.push_back(0xF7);
    return b;
}

inline Bytes bytesOf(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}
