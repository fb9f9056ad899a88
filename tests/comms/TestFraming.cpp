// Outgoing framing and the key/value request texts, as bytes on the wire.
#include "CommsTestSupport.h"
#include "MIDIwin.h"
#include "MessageBoxScript.h"
#include "MsgEvent.h"
#include "NullMidiDev.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
const int noJackAutostart = (setenv("JACK_NO_START_SERVER", "1", 1), 0);

Bytes header(unsigned char command, unsigned char id = 1)
{
    return { 0xF0, 0x7D, 0x70, id, command };
}
Bytes concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
} // namespace

class Framing : public ::testing::Test {
protected:
    ScopedSettings settings;
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
};

TEST_F(Framing, TextCommandIsOneMessageOfFourPieces)
{
    EXPECT_EQ(p.SysxCommand(60, "10010016 3", 10, nullptr), 0);
    ASSERT_EQ(t.sent.size(), 1u);
    EXPECT_EQ(t.sent[0], concat(concat(header(0x3C), bytesOf("10010016 3")), { 0xF7 }));
    EXPECT_EQ(t.pieceCounts[0], 4);
    EXPECT_EQ(t.lastForce, 1); // opened with force before every message
}

TEST_F(Framing, RawFrameAndEmptyPayload)
{
    const unsigned char payload[] = { 0x01, 0x02 };
    p.SysxShort(1, static_cast<char>(0xFF), 0x7D, 0x70, payload, 2, nullptr);
    p.SysxCommand(59, nullptr, 0, nullptr);
    p.SysxCommand(59, "x", 0, nullptr); // zero length sends no payload piece
    ASSERT_EQ(t.sent.size(), 3u);
    EXPECT_EQ(t.sent[0], (Bytes { 0xF0, 1, 2, 0xF7 }));
    EXPECT_EQ(t.sent[1], (Bytes { 0xF0, 0x7D, 0x70, 1, 59, 0xF7 }));
    EXPECT_EQ(t.pieceCounts[1], 3);
    EXPECT_EQ(t.sent[2], t.sent[1]);
}

TEST_F(Framing, OpenFailureSendsNothingAndReturnsCode)
{
    t.open = false;
    t.openError = 9;
    EXPECT_EQ(p.SysxCommand(60, "1 2", 3, nullptr), 9);
    EXPECT_EQ(p.SendRaw("\xF0\xF7", 2, nullptr), 9);
    EXPECT_TRUE(t.sent.empty());
    t.openError = 0;
    t.sendError = 4;
    EXPECT_EQ(p.SysxCommand(60, "1 2", 3, nullptr), 4); // the send's own code comes back
}

TEST_F(Framing, BinaryCommandNibbleizesAndReportsErrors)
{
    const unsigned char data[] = { 0x12, 0xF0 };
    EXPECT_EQ(p.SysxBinaryCommand(15, data, 2, nullptr, 0), 0);
    ASSERT_EQ(t.sent.size(), 1u);
    EXPECT_EQ(t.sent[0], concat(header(15), { 1, 2, 0xF, 0, 0xF, 0xE, 0xF7 }));

    MessageBoxScript boxes;
    t.sendError = 5;
    EXPECT_EQ(p.SysxBinaryCommand(15, data, 2, nullptr, 1), 5);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Comms Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Can't explain - E5");
    EXPECT_EQ(boxes.boxes()[0].icon, 2);
}

TEST_F(Framing, RawAndIdentityRequestAreSentUnchanged)
{
    EXPECT_EQ(p.SendIdentityRequest(nullptr), 0);
    EXPECT_EQ(p.SendRaw(nullptr, 4, nullptr), 0);
    ASSERT_EQ(t.sent.size(), 1u);
    EXPECT_EQ(t.sent[0], (Bytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }));
}

TEST_F(Framing, NothingIsFramedWithoutALiveProcessor)
{
    p.ShutDown();
    EXPECT_EQ(p.SysxCommand(60, "1 2", 3, nullptr), 0);
    EXPECT_EQ(p.SetKeyValue(0x10L, 1, nullptr), 0);
    EXPECT_TRUE(t.sent.empty());
}

TEST_F(Framing, MidiIdIsTakenFromSettings)
{
    settings.settings().setValue(ProfileKey("Zorvanta Drivers", "MIDI ID"), 0x105);
    RecordingProcessor other; // low 8 bits of the setting
    other.SysxCommand(59, "a", 1, nullptr);
    ASSERT_EQ(other.transport->sent.size(), 1u);
    EXPECT_EQ(other.transport->sent[0][3], 0x05);
}

TEST_F(Framing, ReplyWindowIsRecordedAndForgottenWithTheWindow)
{
    auto window = std::make_unique<QObject>();
    p.SysxCommand(59, "a", 1, window.get());
    EXPECT_EQ(t.ReplyWindow(), window.get());
    window.reset();
    EXPECT_EQ(t.ReplyWindow(), nullptr);
}

TEST_F(Framing, KeyValueRequestTexts)
{
    p.SetKeyValue(0x10010016L, 2, nullptr);
    p.SetKeyValue(0x2cL, -3.5f, nullptr);
    p.SetKeyValue(0x2cL, 0.25f, nullptr);
    p.GetKeyValue(0xaL, nullptr);
    p.GetObjectInfo(0x1fL, 0, nullptr);
    EXPECT_EQ(p.SendWheel(1, 5, nullptr), 0);
    p.SendWheel(0, -12, nullptr);
    p.SendKeypress(0x1234L, nullptr);
    ASSERT_EQ(t.sent.size(), 7u);
    EXPECT_EQ(t.sent[0], framed(0x3C, "10010016 2"));
    EXPECT_EQ(t.sent[1], framed(0x3C, "2c -3.5000"));
    EXPECT_EQ(t.sent[2], framed(0x3C, "2c 0.2500"));
    EXPECT_EQ(t.sent[3], framed(0x3B, "a"));
    EXPECT_EQ(t.sent[4], framed(0x31, "1f 0"));
    EXPECT_EQ(t.sent[5], framed(0x3E, "-12"));
    EXPECT_EQ(t.sent[6], concat(header(1), { 0, 0, 0, 0, 1, 2, 3, 4, 0xF7 }));
}

TEST_F(Framing, ChannelMessagesAndOpening)
{
    t.open = false;
    p.SendProgramChange(2, 10);
    EXPECT_EQ(t.opens, 0); // a program change does not open the link
    p.SendController(0, 7, 100);
    EXPECT_EQ(t.opens, 1);
    p.SendController(0x1F2, 0x107, 0x164); // cut to 8 bits
    ASSERT_EQ(t.sent.size(), 3u);
    EXPECT_EQ(t.sent[0], (Bytes { 0xC2, 0x0A, 0 }));
    EXPECT_EQ(t.sent[1], (Bytes { 0xB0, 0x07, 0x64 }));
    EXPECT_EQ(t.sent[2], (Bytes { 0xB0 | 0xF2, 0x07, 0x64 }));
}

TEST(Transports, BaseDefaultsAndExplanations)
{
    MIDIbase base;
    CString text;
    base.ExplainErr(0, text);
    EXPECT_EQ(text, "No Error");
    NullMidiDev null(nullptr);
    null.ExplainErr(5, text);
    EXPECT_EQ(text, "Can't explain - E5");
    EXPECT_EQ(base.IsConnectionGood(), 1);
    EXPECT_EQ(base.IsOpen(), 0);
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
    std::vector<unsigned char> bytes { 0xF0, 0x01, 0xF7 };
    mycallback(0.0, &bytes, &t); // no reply window: released, nothing posted
    std::vector<unsigned char> empty;
    t.SetReplyWindow(&sink);
    mycallback(0.0, &empty, &t); // empty data is ignored
    mycallback(0.0, &bytes, nullptr); // so is a missing transport
    mycallback(0.0, &bytes, &t);
    QCoreApplication::sendPostedEvents(&sink);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.codes[0], 1024u);
    EXPECT_EQ(sink.received[0], bytes);
}
