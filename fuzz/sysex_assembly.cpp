// Sysex assembly and dispatch of the protocol object, fed arbitrary data in
// arbitrary pieces.
//
// Input: a flags byte (bits: progress clock, re-entry from a handler,
// identity text consumed, small assembly limit, a handler switched off, a
// piece on a closed link, received dumps saved), the command whose handler is
// switched off, a byte sizing the assembly limit, the index of the piece that
// arrives while the link is closed (only with that flag), then pieces (a
// length byte and that many bytes each).
//
// Besides what the sanitizers catch, each run checks that
//  - the same data delivered as one piece dispatches exactly the same things
//    (a message may arrive in any number of pieces),
//  - every call returns 1 exactly when its piece began a message that has not
//    ended, 2 while the link is closed and 3 when a handler re-enters,
//  - texts reach their handler trimmed, only for text commands, and the hex
//    form of command 64 stays within 32 bytes in pairs,
//  - a handler that is switched off sends its command to UnknownCommand,
//  - a binary file handler finds exactly its payload in the assembly buffer,
//    and a received dump given a file name is saved as received,
//  - the progress clock lives exactly while a message is unfinished,
//  - nothing is dispatched without a closing 0xF7.
#include "FuzzSupport.h"

#include "CMemFile.h"
#include "CommsHooks.h"
#include "MIDIbase.h"
#include "RtMidiMsg.h"
#include "ZorvantaMidiProcessor.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

bool isTextCommand(int c)
{
    static const int text[] = { 8, 10, 25, 34, 44, 45, 46, 50, 52, 54, 60, 70, 73, 75, 77, 79, 81 };
    for (int t : text)
        if (t == c)
            return true;
    return false;
}

bool isBinaryCommand(int c)
{
    return c == 15 || c == 19 || c == 21 || c == 22 || c == 57;
}

bool isHandled(int c)
{
    return isTextCommand(c) || isBinaryCommand(c) || c == 13 || c == 48 || c == 64;
}

// A link that sends nothing and is open unless told otherwise.
class QuietLink : public MIDIbase {
public:
    int IsOpen() override { return open ? 1 : 0; }
    int Open(signed char) override
    {
        open = true;
        return 0;
    }
    int Close() override
    {
        open = false;
        return 0;
    }
    int Send(int, sendInfo*) override { return 0; }
    bool open = true;
};

int liveClocks = 0;
bool saveDumps = false; // received dumps are saved to the scratch folder
std::vector<std::string>* errorLog = nullptr;

class CountingClock : public CommsClock {
public:
    CountingClock() { ++liveClocks; }
    ~CountingClock() override { --liveClocks; }
    void Click() override { ++clicks; }
    int clicks = 0;
};

struct Config {
    bool clock = false;
    bool reenter = false;
    bool consumeIdentity = false;
    bool smallLimit = false;
    int disabledCommand = -1;
    long limit = 0;
};

// Records, in order, everything the overridable handlers are given, and checks
// what each is given against the rules above.
class Probe : public ZorvantaMidiProcessor {
public:
    explicit Probe(const Config& c)
        : config(c)
    {
        auto t = std::make_unique<QuietLink>();
        link = t.get();
        InstallTransport(std::move(t), commMidi);
        EnableClock(c.clock ? 1 : 0);
        if (c.disabledCommand >= 0)
            EnableDefaultHandler(c.disabledCommand, 0);
        if (c.smallLimit)
            SetAssemblyLimit(c.limit);
    }

    bool enabled(int command) const { return command != config.disabledCommand; }

    void ProcessTextMessage(int command, const char* text, QObject* window) override
    {
        FUZZ_CHECK(text != nullptr, "text handler given no text");
        const size_t n = std::strlen(text);
        if (command == 0) {
            FUZZ_CHECK(std::strncmp(text, "IDENTITY_REPLY: manuf(", 22) == 0, text);
        } else if (command == 64) {
            FUZZ_CHECK(enabled(64), "switched-off command 64 dispatched");
            FUZZ_CHECK(n <= 32 * 2 + 15, "hex text longer than 32 bytes");
            // Two characters per pair of bytes, then a space.
            FUZZ_CHECK(n == 0 || n % 3 != 0, "hex text cut short or ending in a space");
            for (size_t i = 2; i < n; i += 3)
                FUZZ_CHECK(text[i] == ' ', "hex text pairs not separated");
        } else {
            FUZZ_CHECK(isTextCommand(command), "text from command " + std::to_string(command));
            FUZZ_CHECK(enabled(command), "switched-off command dispatched as text");
            FUZZ_CHECK(n == 0
                    || (static_cast<signed char>(text[0]) > 0x20
                        && static_cast<signed char>(text[n - 1]) > 0x20),
                "text not trimmed");
        }
        log.push_back("T" + std::to_string(command) + ":" + std::string(text, n));
        if (config.reenter) {
            const unsigned char again[] = { 0xF0, 0x7D, 0x70, 0x01, 0x3C, 0x31, 0xF7 };
            const int boxes = fuzz::messageBoxCount();
            FUZZ_CHECK(ProcessMidiMsg(new RtMidiMsg(again, sizeof again), window) == 3,
                "re-entry not refused");
            FUZZ_CHECK(fuzz::messageBoxCount() == boxes + 1, "re-entry not reported");
        }
        ZorvantaMidiProcessor::ProcessTextMessage(command, text, window);
    }

    void UnknownCommand(char* message, int length) override
    {
        FUZZ_CHECK(message != nullptr && length >= 1, "unknown command without its byte");
        const int command = static_cast<unsigned char>(message[0]);
        FUZZ_CHECK(!(isHandled(command) && enabled(command)),
            "handled command " + std::to_string(command) + " sent to UnknownCommand");
        log.push_back("U:" + std::string(message, static_cast<size_t>(length)));
    }

    void OnPrognumsDump(int count, const prognums_buffer* pairs, QObject* window) override
    {
        FUZZ_CHECK(enabled(48), "switched-off command 48 dispatched");
        FUZZ_CHECK(count >= 0 && count <= 255, "pair count out of range");
        std::string s = "P" + std::to_string(count) + ":";
        for (int i = 0; i < count; ++i)
            s += std::to_string(pairs[i].bank) + "/" + std::to_string(pairs[i].program) + ";";
        log.push_back(s);
        ZorvantaMidiProcessor::OnPrognumsDump(count, pairs, window);
    }

    int ProcessIdentityMessage(char* text, QObject*) override
    {
        FUZZ_CHECK(text != nullptr, "identity text missing");
        log.push_back(std::string("I:") + text);
        return config.consumeIdentity ? 1 : 0;
    }

    int ProcessBinaryFile(int command, int length, QObject* window) override
    {
        FUZZ_CHECK(
            isBinaryCommand(command) && enabled(command), "binary file from a wrong command");
        CMemFile* b = AssemblyBuffer();
        FUZZ_CHECK(b != nullptr, "binary file without a buffer");
        const long at = b->pos();
        FUZZ_CHECK(length >= 0 && at + length + 1 == b->GetLength(),
            "payload length does not match the buffer");
        std::string payload(static_cast<size_t>(length), '\0');
        FUZZ_CHECK(b->Read(payload.data(), length) == length, "payload cut short");
        unsigned char last = 0;
        FUZZ_CHECK(b->Read(&last, 1) == 1 && last == 0xF7, "message does not end in 0xF7");
        b->seek(at);
        log.push_back("B" + std::to_string(command) + ":" + payload);
        const int saved = ZorvantaMidiProcessor::ProcessBinaryFile(command, length, window);
        if (saveDumps) {
            // The payload is saved as received.
            FUZZ_CHECK(saved == 1, "a received dump was not saved");
            std::FILE* f = std::fopen(fuzz::scratchPath("dump.bin").c_str(), "rb");
            FUZZ_CHECK(f != nullptr, "the saved dump is missing");
            std::string onDisk(payload.size() + 1, '\0');
            onDisk.resize(std::fread(onDisk.data(), 1, onDisk.size(), f));
            std::fclose(f);
            FUZZ_CHECK(onDisk == payload, "the saved dump differs from the payload");
        } else {
            FUZZ_CHECK(saved == 0, "a dump was saved without a file name");
        }
        return saved;
    }

    Config config;
    QuietLink* link = nullptr;
    std::vector<std::string> log;

protected:
    void OnSysexcError(const char* text) override
    {
        FUZZ_CHECK(enabled(13), "switched-off command 13 dispatched");
        log.push_back(std::string("E:") + text);
        ZorvantaMidiProcessor::OnSysexcError(text);
    }
};

// 1 when the piece leaves a message begun in it unfinished: its last 0xF0 or
// 0xF7 is an 0xF0.
int expectedResult(const std::vector<std::uint8_t>& piece)
{
    int r = 0;
    for (std::uint8_t b : piece) {
        if (b == 0xF0)
            r = 1;
        else if (b == 0xF7)
            r = 0;
    }
    return r;
}

void installHooks()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    fuzz::quietStartUp();
    commsHooks().makeClock
        = [](QObject*) -> std::unique_ptr<CommsClock> { return std::make_unique<CountingClock>(); };
    commsHooks().addErrorText = [](const char* text) {
        if (errorLog)
            errorLog->push_back(std::string("X:") + text);
    };
    commsHooks().askSaveFileName = [](const char*, const char*) {
        return saveDumps ? CString(fuzz::scratchPath("dump.bin").c_str()) : CString();
    };
    commsHooks().askFileName = [](bool open, const char*, const char*, const char*) {
        return saveDumps && !open ? CString(fuzz::scratchPath("dump.bin").c_str()) : CString();
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    installHooks();
    fuzz::Pieces in(data, size);
    const std::uint8_t flags = in.takeByte();
    Config config;
    config.clock = flags & 1;
    config.reenter = flags & 2;
    config.consumeIdentity = flags & 4;
    config.smallLimit = flags & 8;
    const std::uint8_t disabled = in.takeByte();
    // Values above 127 must be ignored by EnableDefaultHandler.
    config.disabledCommand = (flags & 16) ? disabled : -1;
    config.limit = 6 + long(in.takeByte()) * 4;
    const int closedPiece = (flags & 32) ? in.takeByte() : -1;
    saveDumps = flags & 64;

    std::vector<std::vector<std::uint8_t>> pieces;
    std::vector<std::uint8_t> piece;
    while (in.next(piece))
        pieces.push_back(piece);

    std::vector<std::string> split;
    std::vector<std::uint8_t> whole;
    int endings = 0;
    {
        Probe p(config);
        if (config.disabledCommand > 127)
            p.config.disabledCommand = -1;
        errorLog = &p.log;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const std::vector<std::uint8_t>& bytes = pieces[i];
            const bool closed = int(i) == closedPiece;
            p.link->open = !closed;
            const size_t before = p.log.size();
            const int r = p.ProcessMidiMsg(new RtMidiMsg(bytes.data(), bytes.size()), nullptr);
            p.link->open = true;
            if (closed) {
                FUZZ_CHECK(r == 2, "data taken while the link is closed");
                FUZZ_CHECK(p.log.size() == before, "dispatch while the link is closed");
                continue;
            }
            FUZZ_CHECK(r == expectedResult(bytes), "result " + std::to_string(r));
            FUZZ_CHECK(
                liveClocks == (config.clock && r == 1 ? 1 : 0), "progress clock out of step");
            whole.insert(whole.end(), bytes.begin(), bytes.end());
            for (std::uint8_t b : bytes)
                endings += b == 0xF7;
        }
        errorLog = nullptr;
        split = p.log;
    }
    FUZZ_CHECK(liveClocks == 0, "progress clock outlives the protocol object");
    size_t dispatched = 0;
    for (const std::string& e : split)
        dispatched += e[0] != 'X' && e[0] != 'I';
    FUZZ_CHECK(dispatched <= size_t(endings), "more dispatches than 0xF7 bytes");

    // The same bytes in one piece.
    Probe q(config);
    if (config.disabledCommand > 127)
        q.config.disabledCommand = -1;
    errorLog = &q.log;
    q.ProcessMidiMsg(new RtMidiMsg(whole.data(), whole.size()), nullptr);
    errorLog = nullptr;
    FUZZ_CHECK(q.log == split,
        "one piece dispatches differently (" + std::to_string(q.log.size()) + " against "
            + std::to_string(split.size()) + " events)");
    return 0;
}
