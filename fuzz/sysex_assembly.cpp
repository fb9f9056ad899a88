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
//  - texts reach their handler trimmed, and the hex form of command 64 stays
//    within 32 bytes in pairs,
//  - a handler that is switched off is never reached,
//  - a binary file handler finds exactly its payload in the assembly buffer,
//    and a received dump given a file name is saved as received,
//  - the progress clock lives exactly while a message is unfinished,
//  - nothing is dispatched without a closing 0xF7.
#include "FuzzSupport.h"

#include "CMemFile.h"
#include "CommsHooks.h"
#include "ProtocolRecorder.h"
#include "SysexVocabulary.h"

#include <cstdio>
#include <cstring>

namespace {

int liveClocks = 0;
bool saveDumps = false; // received dumps are saved to the scratch folder
std::vector<Dispatched>* errorLog = nullptr;

class CountingClock : public CommsClock {
public:
    CountingClock() { ++liveClocks; }
    ~CountingClock() override { --liveClocks; }
    void Click() override { }
};

// The recording protocol object set up as the input asks; it also checks what
// a binary file handler finds in the assembly buffer and what a dump saves.
class Probe : public RecordingProcessor {
public:
    // switchedOff: the command whose handler goes off, -1 for none; values
    // above 127 must be ignored.
    Probe(std::uint8_t flags, int switchedOff, long limit)
        : disabled(switchedOff <= 127 ? switchedOff : -1)
    {
        EnableClock(flags & 1);
        if (switchedOff >= 0)
            EnableDefaultHandler(switchedOff, 0);
        if (flags & 8)
            SetAssemblyLimit(limit);
        consumeIdentity = (flags & 4) ? 1 : 0;
        if (flags & 2)
            onText = [this] { reenter(); };
        errorLog = &events;
    }
    ~Probe() override { errorLog = nullptr; }

    void reenter()
    {
        const unsigned char again[]
            = { 0xF0, sysex::manufacturer, sysex::family, 0x01, sysex::setValue, '1', 0xF7 };
        const int boxes = fuzz::messageBoxCount();
        FUZZ_CHECK(ProcessMidiMsg(new RtMidiMsg(again, sizeof again), nullptr) == 3,
            "re-entry not refused");
        FUZZ_CHECK(fuzz::messageBoxCount() == boxes + 1, "re-entry not reported");
    }

    int ProcessBinaryFile(int command, int length, QObject* window) override
    {
        FUZZ_CHECK(command != disabled, "switched-off binary command dispatched");
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
        events.push_back({ "binary", command, payload });
        const int saved = RecordingProcessor::ProcessBinaryFile(command, length, window);
        FUZZ_CHECK(saved == (saveDumps ? 1 : 0), "a dump saved without a name or not saved");
        if (saveDumps) {
            std::FILE* f = std::fopen(fuzz::scratchPath("dump.bin").c_str(), "rb");
            FUZZ_CHECK(f != nullptr, "the saved dump is missing");
            std::string onDisk(payload.size() + 1, '\0');
            onDisk.resize(std::fread(onDisk.data(), 1, onDisk.size(), f));
            std::fclose(f);
            FUZZ_CHECK(onDisk == payload, "the saved dump differs from the payload");
        }
        return saved;
    }

    // Checks what reached the handlers; the events, identity texts included.
    std::vector<std::string> checked() const
    {
        std::vector<std::string> out;
        for (const Dispatched& e : events) {
            const size_t n = e.text.size();
            const char* t = e.text.c_str();
            if (e.kind == "text" && e.command == 0) {
                FUZZ_CHECK(e.text.rfind("IDENTITY_REPLY: manuf(", 0) == 0, e.text);
            } else if (e.kind == "text" && e.command == sysex::hexText) {
                FUZZ_CHECK(n <= 32 * 2 + 15, "hex text longer than 32 bytes");
                // Two characters per pair of bytes, then a space.
                FUZZ_CHECK(n == 0 || n % 3 != 0, "hex text cut short or ending in a space");
                for (size_t i = 2; i < n; i += 3)
                    FUZZ_CHECK(t[i] == ' ', "hex text pairs not separated");
            } else if (e.kind == "text") {
                FUZZ_CHECK(n == 0
                        || (static_cast<signed char>(t[0]) > 0x20
                            && static_cast<signed char>(t[n - 1]) > 0x20),
                    "text not trimmed");
            }
            const int handler = e.kind == "prognums" ? 48 : e.kind == "error" ? 13 : e.command;
            FUZZ_CHECK(e.kind == "unknown" || e.kind == "X" || (e.kind == "text" && !e.command)
                    || handler != disabled,
                "switched-off command " + std::to_string(handler) + " dispatched");
            FUZZ_CHECK(e.kind != "prognums" || (e.command >= 0 && e.command <= 255),
                "pair count out of range");
            out.push_back(e.kind + std::to_string(e.command) + ":" + e.text);
        }
        for (const std::string& t : identityTexts)
            out.push_back("I:" + t);
        return out;
    }

    const int disabled;
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
            errorLog->push_back({ "X", 0, text });
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
    const int switchedOff = in.takeByte();
    const long limit = 6 + long(in.takeByte()) * 4;
    const int closedPiece = (flags & 32) ? in.takeByte() : -1;
    saveDumps = flags & 64;

    std::vector<std::vector<std::uint8_t>> pieces;
    std::vector<std::uint8_t> piece;
    while (in.next(piece))
        pieces.push_back(piece);

    std::vector<std::string> split;
    std::vector<std::uint8_t> whole;
    int endings = 0;
    size_t dispatched = 0;
    {
        Probe p(flags, (flags & 16) ? switchedOff : -1, limit);
        for (size_t i = 0; i < pieces.size(); ++i) {
            const std::vector<std::uint8_t>& bytes = pieces[i];
            const bool closed = int(i) == closedPiece;
            p.transport->open = !closed;
            const size_t before = p.events.size() + p.identityTexts.size();
            const int r = p.feed(bytes);
            p.transport->open = true;
            if (closed) {
                FUZZ_CHECK(r == 2, "data taken while the link is closed");
                FUZZ_CHECK(p.events.size() + p.identityTexts.size() == before,
                    "dispatch while the link is closed");
                continue;
            }
            FUZZ_CHECK(r == expectedResult(bytes), "result " + std::to_string(r));
            FUZZ_CHECK(liveClocks == ((flags & 1) && r == 1 ? 1 : 0), "progress clock out of step");
            whole.insert(whole.end(), bytes.begin(), bytes.end());
            for (std::uint8_t b : bytes)
                endings += b == 0xF7;
        }
        split = p.checked();
        for (const Dispatched& e : p.events)
            dispatched += e.kind != "X";
    }
    FUZZ_CHECK(liveClocks == 0, "progress clock outlives the protocol object");
    FUZZ_CHECK(dispatched <= size_t(endings), "more dispatches than 0xF7 bytes");

    // The same bytes in one piece.
    Probe q(flags, (flags & 16) ? switchedOff : -1, limit);
    q.feed(whole);
    FUZZ_CHECK(q.checked() == split,
        "one piece dispatches differently (" + std::to_string(q.events.size()) + " against "
            + std::to_string(split.size()) + " events)");
    return 0;
}
