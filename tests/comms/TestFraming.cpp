// Outgoing framing, nibble blocks and the key/value request texts, as bytes
// on the wire; and the input callback that hands received data over.
#include "CommsTestSupport.h"
#include "MIDIwin.h"
#include "MessageBoxScript.h"

#include <gtest/gtest.h>

class Framing : public ::testing::Test {
protected:
    ScopedSettings settings;
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
};

TEST_F(Framing, MessagesAsTheyGoOnTheWire)
{
    const unsigned char two[] = { 0x12, 0xF0 }, one[] = { 0x05 };
    EXPECT_EQ(p.SysxCommand(60, "10010016 3", 10, nullptr), 0);
    p.SysxShort(1, static_cast<char>(0xFF), 0x7D, 0x70, two, 2, nullptr);
    p.SysxCommand(59, "x", 0, nullptr); // zero length sends no payload piece
    p.SysxBinaryCommand(15, two, 2, nullptr, 0);
    p.SysxBinaryCommand(15, one, 1, nullptr, 1);
    p.SendIdentityRequest(nullptr);
    p.SetKeyValue(0x10010016L, 2, nullptr);
    p.SetKeyValue(0x2cL, -3.5f, nullptr);
    p.SetKeyValue(0x2cL, 0.25f, nullptr);
    p.GetKeyValue(0xaL, nullptr);
    p.GetObjectInfo(0x1fL, 0, nullptr);
    EXPECT_EQ(p.SendWheel(1, 5, nullptr), 0); // only wheel 0 exists
    p.SendWheel(0, -12, nullptr);
    p.SendKeypress(0x1234L, nullptr);
    p.SendProgramChange(2, 10);
    p.SendController(0x1F2, 0x107, 0x164); // cut to 8 bits
    const std::vector<Bytes> expected {
        framed(0x3C, "10010016 3"),
        { 0xF0, 0x12, 0xF0, 0xF7 }, // a raw frame: no header, data as it is
        { 0xF0, 0x7D, 0x70, 1, 59, 0xF7 },
        framed(15, { 1, 2, 0xF, 0, 0xF, 0xE }), // high nibble first, then the checksum
        framed(15, { 0, 0, 0, 0, 0, 0, 0, 1, 0, 5, 0xF, 0xA }), // with the length
        { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 },
        framed(0x3C, "10010016 2"),
        framed(0x3C, "2c -3.5000"),
        framed(0x3C, "2c 0.2500"),
        framed(0x3B, "a"),
        framed(0x31, "1f 0"),
        framed(0x3E, "-12"),
        framed(1, std::string { 0, 0, 0, 0, 1, 2, 3, 4 }),
        { 0xC2, 0x0A, 0 },
        { 0xB0 | 0xF2, 0x07, 0x64 },
    };
    ASSERT_EQ(t.sent.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(t.sent[i], expected[i]) << "message " << i;
    EXPECT_EQ(t.pieceCounts[0], 4);
    EXPECT_EQ(t.lastForce, 1); // opened with force before every message
}

TEST_F(Framing, OpeningAndErrors)
{
    t.open = false;
    p.SendProgramChange(2, 10);
    EXPECT_EQ(t.opens, 0) << "a program change does not open the link";
    t.openError = 9;
    EXPECT_EQ(p.SysxCommand(60, "1 2", 3, nullptr), 9);
    EXPECT_EQ(p.SendRaw("\xF0\xF7", 2, nullptr), 9);
    t.openError = 0;
    t.sendError = 5;
    EXPECT_EQ(p.SysxCommand(60, "1 2", 3, nullptr), 5); // the send's own code comes back
    MessageBoxScript boxes;
    const unsigned char data[] = { 1 };
    EXPECT_EQ(p.SysxBinaryCommand(15, data, 1, nullptr, 1), 5);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Comms Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Can't explain - E5");
}

TEST_F(Framing, DeviceIdFromSettingsAndReplyWindowForgottenWithTheWindow)
{
    settings.settings().setValue(ProfileKey("Zorvanta Drivers", "MIDI ID"), 0x105);
    RecordingProcessor other; // low 8 bits of the setting
    auto window = std::make_unique<QObject>();
    other.SysxCommand(59, "a", 1, window.get());
    ASSERT_EQ(other.transport->sent.size(), 1u);
    EXPECT_EQ(other.transport->sent[0][3], 0x05);
    EXPECT_EQ(other.transport->ReplyWindow(), window.get());
    window.reset();
    EXPECT_EQ(other.transport->ReplyWindow(), nullptr);
}

// Collects the MIDI messages posted to it.
class PostSink : public QObject {
public:
    bool event(QEvent* e) override
    {
        const MsgEvent* m = MsgEvent::from(e);
        if (!m)
            return QObject::event(e);
        codes.push_back(m->code());
        std::unique_ptr<MidiMsg> msg(reinterpret_cast<MidiMsg*>(m->lParam()));
        received.emplace_back(msg->Data(), msg->Data() + msg->DataLen());
        return true;
    }
    std::vector<unsigned> codes;
    std::vector<Bytes> received;
};

TEST(Transports, InputCallbackPostsToTheReplyWindowOnly)
{
    RecordingTransport t;
    PostSink sink;
    std::vector<unsigned char> bytes { 0xF0, 0x01, 0xF7 }, empty;
    mycallback(0.0, &bytes, &t); // no reply window: released, nothing posted
    t.SetReplyWindow(&sink);
    mycallback(0.0, &empty, &t); // empty data is ignored
    mycallback(0.0, &bytes, nullptr); // so is a missing transport
    mycallback(0.0, &bytes, &t);
    QCoreApplication::sendPostedEvents(&sink);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.codes[0], 1024u);
    EXPECT_EQ(sink.received[0], bytes);
}
