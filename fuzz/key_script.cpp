// Key scripts replayed to the device, fed arbitrary script files.
//
// Input: a byte choosing the initial pause (none, ask before each SEND, or a
// wait), a byte naming the send that fails (0: none), eight bytes choosing the
// answers to the message boxes, then the script's text.
//
// Besides what the sanitizers catch, each run checks that
//  - every message sent is a set-value request framed F0 7D 70 id 3C ... F7
//    whose text begins "0x" and holds only 7-bit bytes, so nothing in a
//    script can break the framing on the wire,
//  - no text is longer than a script line allows,
//  - every wait lies between 1 ms and the 10 s cap,
//  - when asked before each SEND, the lines answered Yes are sent (exactly
//    those when no WAIT,n,ALL changes the pause) and nothing follows a Cancel,
//  - nothing is sent after a failed send.
#include "FuzzSupport.h"

#include "CFile.h"
#include "KeyScript.h"
#include "MIDIbase.h"
#include "MessageBoxHook.h"
#include "SysexVocabulary.h"
#include "ZorvantaMidiProcessor.h"

#include <cctype>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Records each message as it would go on the wire; fails the n-th send.
class RecordingLink : public MIDIbase {
public:
    int IsOpen() override { return 1; }
    int Open(signed char) override { return 0; }
    int Send(int count, sendInfo* pieces) override
    {
        Bytes m;
        for (int i = 0; i < count; ++i)
            m.insert(m.end(), pieces[i].data, pieces[i].data + pieces[i].length);
        ++sends;
        if (sends == failAt)
            return 5;
        sent.push_back(m);
        return 0;
    }
    std::vector<Bytes> sent;
    int sends = 0;
    int failAt = 0;
};

std::vector<unsigned long> waits;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::quietStartUp();
    static bool delayInstalled = false;
    if (!delayInstalled) {
        delayInstalled = true;
        setKeyScriptDelay([](unsigned long ms) { waits.push_back(ms); });
    }
    if (size < 10)
        return 0;
    const int pause = data[0] % 3 == 0 ? 0 : data[0] % 3 == 1 ? -1 : 1500;
    const int failAt = data[1] % 8;
    fuzz::setBoxChoices(Bytes(data + 2, data + 10));
    fuzz::takeBoxes();
    waits.clear();

    const std::string path = fuzz::scratchPath("script.txt");
    FUZZ_CHECK(fuzz::writeFile(path, data + 10, size - 10), "cannot write the scratch file");
    size_t lineEnds = 0;
    for (size_t i = 10; i < size; ++i)
        lineEnds += data[i] == '\n';

    ZorvantaMidiProcessor p;
    auto owned = std::make_unique<RecordingLink>();
    RecordingLink* link = owned.get();
    link->failAt = failAt;
    p.InstallTransport(std::move(owned), commMidi);
    {
        CFile script(CString(path.c_str()), CFile::fmRead);
        FUZZ_CHECK(script.IsOpen(), "cannot open the scratch file");
        p.RunKeyScript(script, pause);
    }

    FUZZ_CHECK(link->sent.size() <= lineEnds + 1, "more messages than lines");
    for (const Bytes& m : link->sent) {
        FUZZ_CHECK(m.size() >= 8, "message too short");
        FUZZ_CHECK(m[0] == 0xF0 && m[1] == sysex::manufacturer && m[2] == sysex::family
                && m[3] == 0x01 && m[4] == sysex::setValue,
            "not a framed set-value request");
        FUZZ_CHECK(m.back() == 0xF7, "message does not end in 0xF7");
        FUZZ_CHECK(m[5] == '0' && m[6] == 'x', "text does not begin 0x");
        FUZZ_CHECK(m.size() - 6 <= 2 + KeyScriptReader::kMaxLine, "text longer than a line");
        for (size_t i = 5; i + 1 < m.size(); ++i)
            FUZZ_CHECK(m[i] < 0x80,
                "byte " + std::to_string(m[i]) + " inside the text breaks the framing");
    }
    for (unsigned long w : waits)
        FUZZ_CHECK(w >= 1 && w <= kMaxScriptWait, "wait of " + std::to_string(w) + " ms");

    const std::vector<fuzz::Box> boxes = fuzz::takeBoxes();
    if (failAt > 0 && link->sends >= failAt)
        FUZZ_CHECK(link->sends == failAt, "sending went on after a failed send");
    if (pause < 0) {
        size_t yes = 0;
        bool cancelled = false;
        for (const fuzz::Box& b : boxes) {
            if (b.caption != "Send this one ?")
                continue;
            FUZZ_CHECK(!cancelled, "asked again after a Cancel");
            yes += b.answer == IDYES;
            cancelled = b.answer != IDYES && b.answer != IDNO;
        }
        // WAIT,n,ALL may switch the asking off and on again.
        // Read as the script reader reads it: only printable ASCII and line
        // ends are kept, so "A\x80LL" is the word ALL.
        std::string text;
        for (size_t i = 10; i < size; ++i)
            if (data[i] == '\n' || (data[i] >= 0x20 && data[i] < 0x7F))
                text += static_cast<char>(std::toupper(data[i]));
        if (text.find("ALL") == std::string::npos)
            FUZZ_CHECK(size_t(link->sends) == yes, "sends do not match the lines answered Yes");
        else
            FUZZ_CHECK(size_t(link->sends) >= yes, "a line answered Yes was not sent");
    }
    return 0;
}
