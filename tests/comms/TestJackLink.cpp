// The MIDI transport against a real MIDI service: a private JACK server and
// RtMidi virtual ports as the device's side.
#include "CommsTestSupport.h"
#include "JackServer.h"
#include "JackWatch.h"
#include "MIDIconfigInfo.h"
#include "MIDIwin.h"
#include "MidiPorts.h"
#include "MsgEvent.h"

#include <gtest/gtest.h>

#include <rtmidi/RtMidi.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <mutex>

namespace {

// The device's side: an input port that records what arrives and an output
// port to answer through.
class Peer {
public:
    Peer()
        : in_(RtMidi::UNIX_JACK, "peerin")
        , out_(RtMidi::UNIX_JACK, "peerout")
    {
        in_.openVirtualPort("in");
        in_.setCallback(&Peer::received, this);
        in_.ignoreTypes(false, true, true);
        out_.openVirtualPort("out");
    }
    ~Peer()
    {
        in_.cancelCallback();
        closePortsInTurn({ [this] { in_.closePort(); }, [this] { out_.closePort(); } });
    }
    void send(const Bytes& bytes) { out_.sendMessage(&bytes); }
    std::vector<Bytes> messages()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return got_;
    }
    bool waitFor(size_t count, int ms = 3000)
    {
        QElapsedTimer t;
        t.start();
        while (messages().size() < count && t.elapsed() < ms)
            QThread::msleep(5);
        // Give a doubled delivery the chance to show.
        QThread::msleep(100);
        return messages().size() >= count;
    }

private:
    static void received(double, std::vector<unsigned char>* m, void* self)
    {
        auto* peer = static_cast<Peer*>(self);
        std::lock_guard<std::mutex> lock(peer->mutex_);
        peer->got_.push_back(*m);
    }
    RtMidiIn in_;
    RtMidiOut out_;
    std::mutex mutex_;
    std::vector<Bytes> got_;
};

} // namespace

class JackLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.error();
        WriteProfileString("MIDI", "In", "peerout:out");
        WriteProfileString("MIDI", "Out", "peerin:in");
    }
    ScopedSettings settings;
    JackServer server;
};

TEST_F(JackLink, FramedMessagesReachThePeerOnceEach)
{
    Peer peer;
    RecordingProcessor p(nullptr); // on the MIDI transport the settings name
    ASSERT_NE(dynamic_cast<MIDIwin*>(p.GetDriver()), nullptr);
    ReplyWindow window(p);
    ASSERT_EQ(p.SetKeyValue(0x10010016L, 3, &window), 0);
    ASSERT_TRUE(p.Connected());
    ASSERT_EQ(p.GetKeyValue(0xaL, &window), 0); // opens again: must not connect twice
    ASSERT_EQ(p.SendIdentityRequest(&window), 0);
    ASSERT_TRUE(peer.waitFor(3));
    const auto got = peer.messages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], framed(0x3C, "10010016 3"));
    EXPECT_EQ(got[1], framed(0x3B, "a"));
    EXPECT_EQ(got[2], (Bytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }));
    // A program change does not open a closed link; it says so.
    p.Close();
    EXPECT_EQ(p.SendProgramChange(0, 1), RtMidiError::INVALID_USE + 1);
    EXPECT_EQ(p.SendController(0, 7, 100), 0); // a controller opens it first
    ASSERT_TRUE(peer.waitFor(4));
    EXPECT_EQ(peer.messages()[3], (Bytes { 0xB0, 0x07, 0x64 }));
    auto* win = static_cast<MIDIwin*>(p.GetDriver());
    EXPECT_EQ(win->InputName(), "peerout:out");
    EXPECT_EQ(win->OutputName(), "peerin:in");
}

TEST_F(JackLink, RepliesAreAssembledAndDispatchedOnce)
{
    Peer peer;
    RecordingProcessor p(nullptr); // on the MIDI transport the settings name
    ReplyWindow window(p);
    ASSERT_EQ(p.GetKeyValue(0x2cL, &window), 0);
    // The reply in three pieces with a timing clock inside, then an identity reply.
    peer.send({ 0xF0, 0x7D, 0x70 });
    peer.send({ 0x01, 0x3C, ' ', '2', 'c', 0xF8, ' ' });
    peer.send({ '5', '\r', '\n', 0xF7 });
    peer.send({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x10, 0x00, 0x05, 0x00, 0x01, 0x02, 0x03, 0x04,
        0x41, 0x42, 0x00, 0xF7 });
    ASSERT_TRUE(pumpUntil([&] { return p.events.size() >= 2; }));
    pumpUntil([] { return false; }, 200);
    ASSERT_EQ(p.events.size(), 2u);
    EXPECT_EQ(p.events[0].command, 60);
    EXPECT_EQ(p.events[0].text, "2c 5");
    EXPECT_EQ(p.events[1].command, 0);
    EXPECT_EQ(p.events[1].text,
        "IDENTITY_REPLY: manuf(7d) Family(010) Member(05) Version(4.3.2.1)\r\nAB");
}

TEST_F(JackLink, LargeSysexTravelsBothWays)
{
    Peer peer;
    RecordingProcessor p(nullptr); // on the MIDI transport the settings name
    ReplyWindow window(p);
    // The largest single message the interface carries, then one that must
    // go out in pieces.
    for (size_t total : { MIDIwin::kJackMessageLimit, size_t(256 * 1024) }) {
        std::string payload(total - 6, '\0');
        for (size_t i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<char>((i * 13) & 0x7F);
        const size_t before = peer.messages().size();
        ASSERT_EQ(p.SysxCommand(90, payload.data(), static_cast<int>(payload.size()), &window), 0);
        ASSERT_TRUE(peer.waitFor(before + 1, 5000)) << total;
        const auto got = peer.messages();
        ASSERT_EQ(got.size(), before + 1);
        EXPECT_EQ(got.back(), framed(90, payload)) << total;

        // The peer answers with the same message in pieces it can send.
        const Bytes reply = framed(90, payload);
        for (size_t at = 0; at < reply.size(); at += MIDIwin::kJackMessageLimit)
            peer.send(Bytes(reply.begin() + at,
                reply.begin() + std::min(reply.size(), at + MIDIwin::kJackMessageLimit)));
        ASSERT_TRUE(pumpUntil([&] { return !p.events.empty(); }, 5000)) << total;
        ASSERT_EQ(p.events.size(), 1u);
        EXPECT_EQ(p.events[0].kind, "unknown");
        EXPECT_EQ(p.events[0].text, std::string("\x5A") + payload);
        p.events.clear();
    }
}

TEST_F(JackLink, PortLookupAndChoiceFallbacks)
{
    Peer peer;
    EXPECT_GE(GetInputNum("PEEROUT:OUT"), 0); // names compare ignoring case
    EXPECT_GE(GetOutputNum("peerin:in"), 0);
    EXPECT_EQ(GetInputNum("peerin:in"), -1); // an input port is no source
    EXPECT_EQ(GetInputNum("nothing:here"), -1);

    CString in, out;
    {
        settings.settings().remove(ProfileKey("MIDI", "Out"));
        MIDIconfigInfo info;
        EXPECT_EQ(info.inName, "peerout:out");
        EXPECT_EQ(info.outName, "peerout:out"); // the missing output follows the input
    }
    {
        WriteProfileString("MIDI", "Out", "peerin:in");
        MIDIconfigInfo info;
        EXPECT_EQ(info.outName, "peerin:in");
    }
    {
        // A gone input with no port of one name in both directions keeps its
        // name for both, and the forced open takes port 0 of each list.
        WriteProfileString("MIDI", "In", "gone:port");
        MIDIconfigInfo info;
        EXPECT_EQ(info.inName, "gone:port");
        EXPECT_EQ(info.outName, "gone:port");
    }
    // Nothing was written back: the names only differ from the settings.
    EXPECT_EQ(GetProfileString("MIDI", "In", ""), "gone:port");
    EXPECT_EQ(GetProfileString("MIDI", "Out", ""), "peerin:in");
    MIDIwin forced;
    EXPECT_EQ(forced.Open(1), 0);
    EXPECT_EQ(forced.InputPort(), 0);
    EXPECT_EQ(forced.OutputPort(), 0);
    MIDIwin strict;
    const int err = strict.Open(0);
    EXPECT_GT(err, 0);
    EXPECT_FALSE(strict.IsOpen());
    CString why;
    strict.ExplainErr(err, why);
    EXPECT_FALSE(why.IsEmpty());
    EXPECT_NE(why, "No Error");
}

TEST_F(JackLink, FlushWritesOnlyChangedNames)
{
    Peer peer;
    MIDIconfigInfo info;
    info.inName = "peerout:out";
    info.outName = "other:port";
    info.Flush();
    EXPECT_EQ(GetProfileString("MIDI", "Out", ""), "other:port");
    settings.settings().remove(ProfileKey("MIDI", "In"));
    info.Flush(); // unchanged since the last flush: nothing written
    EXPECT_FALSE(settings.has("MIDI", "In"));
}

TEST_F(JackLink, PeerThatDisappearsAndServerThatStops)
{
    auto peer = std::make_unique<Peer>();
    RecordingProcessor p(nullptr); // on the MIDI transport the settings name
    ReplyWindow window(p);
    ASSERT_EQ(p.GetKeyValue(1L, &window), 0);
    ASSERT_TRUE(peer->waitFor(1));
    peer.reset(); // the device's ports go away while the link is open
    EXPECT_EQ(p.GetKeyValue(2L, &window), 0);
    EXPECT_TRUE(p.Connected());
    server.stop(); // then the whole MIDI service
    p.GetKeyValue(3L, &window); // whatever it reports, it returns
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(p.Close(), 0);
    const int err = p.Open(1);
    EXPECT_GT(err, 0); // no ports are left to open
    CString why;
    p.GetDriver()->ExplainErr(err, why);
    EXPECT_FALSE(why.IsEmpty());
}

TEST(NoMidiService, OpenAndSendReportTheLibraryError)
{
    ScopedSettings settings;
    ::setenv("JACK_NO_START_SERVER", "1", 1);
    ::setenv("JACK_DEFAULT_SERVER", "q7300-test-no-such-server", 1);
    RecordingProcessor p(nullptr); // on the MIDI transport the settings name
    const int err = p.GetKeyValue(1L, nullptr);
    EXPECT_EQ(err, RtMidiError::NO_DEVICES_FOUND + 1);
    EXPECT_FALSE(p.Connected());
    EXPECT_EQ(p.SendRaw("\xF0\xF7", 2, nullptr), err);
    CString why;
    p.GetDriver()->ExplainErr(err, why);
    EXPECT_NE(why.Find("no MIDI ports"), -1);
}

TEST_F(JackLink, WatchReportsChangesOfTheGraph)
{
    auto watch = JackWatch::start([](JackWatch::Event) {});
    ASSERT_TRUE(watch);
    const unsigned before = watch->graphChanges();
    Peer peer; // its ports change the graph
    watch->waitForStillGraph(before);
    EXPECT_NE(watch->graphChanges(), before);
}
