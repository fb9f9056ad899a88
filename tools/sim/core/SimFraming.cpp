#include "SimFraming.h"

#include "MIDIbase.h"
#include "SysexVocabulary.h"

namespace {

// A transport that keeps what it is asked to send, so the device's replies are
// framed by the same code that frames the editor's requests.
class FrameCollector : public MIDIbase {
public:
    int Send(int count, sendInfo* pieces) override
    {
        for (int i = 0; i < count; ++i)
            if (pieces[i].data && pieces[i].length > 0)
                bytes.insert(bytes.end(), pieces[i].data, pieces[i].data + pieces[i].length);
        return 0;
    }
    SimBytes bytes;
};

} // namespace

SimBytes simFrame(unsigned char id, unsigned char command, const unsigned char* payload, int length)
{
    FrameCollector out;
    out.SysxShort(static_cast<char>(id), static_cast<char>(command),
        static_cast<char>(sysex::manufacturer), static_cast<char>(sysex::family), payload, length,
        nullptr);
    return out.bytes;
}

SimBytes simFrame(unsigned char id, unsigned char command, const std::string& text)
{
    return simFrame(id, command, reinterpret_cast<const unsigned char*>(text.data()),
        static_cast<int>(text.size()));
}
