// Settings of the protocol object, transport choice, configuration and
// automatic disconnection.
#include "CommsTestSupport.h"
#include "MIDIfile.h"
#include "MIDIwin.h"
#include "MessageBoxScript.h"
#include "NullMidiDev.h"
#include "TickCount.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

namespace {

// A time of day the test moves by hand.
class FakeClock {
public:
    explicit FakeClock(QTime start)
        : now(start)
    {
        setTickTimeSource([this] { return now; });
    }
    ~FakeClock() { setTickTimeSource({}); }
    void advance(int ms) { now = now.addMSecs(ms); }
    QTime now;
};

// Replaces the configuration sheet for one test.
class ConfigSheetStub {
public:
    explicit ConfigSheetStub(std::function<int(ZorvantaMidiProcessor&)> run)
    {
        previous_ = commsHooks().runConfigSheet;
        commsHooks().runConfigSheet = std::move(run);
    }
    ~ConfigSheetStub() { commsHooks().runConfigSheet = previous_; }

private:
    std::function<int(ZorvantaMidiProcessor&)> previous_;
};

constexpr int kIdCancel = 0x400000;

} // namespace

class Connection : public ::testing::Test {
protected:
    ScopedSettings settings;
};

TEST_F(Connection, SettingsOnStartAndExitAndTheTransportChoice)
{
    {
        ZorvantaMidiProcessor p;
        EXPECT_EQ(thisProcessor, &p);
        EXPECT_NE(dynamic_cast<MIDIwin*>(p.GetDriver()), nullptr);
        EXPECT_EQ(p.MidiId(), 1);
        EXPECT_FALSE(settings.has("Zorvanta Drivers", "CommName"));
        p.InstallTransport(std::make_unique<RecordingTransport>(), commMidi);
        p.ChooseComms(commFile); // not offered: MIDI, on a new transport
        EXPECT_EQ(p.CommType(), commMidi);
        EXPECT_NE(dynamic_cast<MIDIwin*>(p.GetDriver()), nullptr);
    }
    EXPECT_EQ(thisProcessor, nullptr);
    EXPECT_EQ(GetProfileInt("Zorvanta Drivers", "CommName", -1), 1);
    EXPECT_FALSE(settings.has("Zorvanta Drivers", "DisconnectTime"));

    RecordingProcessor p;
    p.AutoDisconnect(0, 15000);
    EXPECT_EQ(GetProfileInt("Zorvanta Drivers", "DisconnectTime", -1), 0);
    EXPECT_EQ(p.AutoDisconnect(1, 15000), 1);
    p.AutoDisconnect(1, 5000); // already on: only the time changes
    EXPECT_EQ(p.DisconnectTime(), 5000);
    EXPECT_EQ(GetProfileInt("Zorvanta Drivers", "DisconnectTime", -1), 5000);
    p.AutoDisconnect(0, 0);
    EXPECT_FALSE(p.AutoDisconnectActive());
    EXPECT_EQ(GetProfileInt("Zorvanta Drivers", "DisconnectTime", -1), 5000);
    WriteProfileInt("Zorvanta Drivers", "DisconnectTime", 15000);
    RecordingProcessor restarted;
    EXPECT_TRUE(restarted.AutoDisconnectActive());
    EXPECT_EQ(restarted.DisconnectTime(), 15000);
}

TEST_F(Connection, IdleLinkClosesAfterTheDisconnectTime)
{
    FakeClock clock(QTime(23, 59, 50));
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
    auto tick = [] { ZorvantaMidiProcessor::DisconnectTimerProc(nullptr, 0, 0, 0); };
    p.AutoDisconnect(1, 15000);
    clock.advance(10000); // across midnight
    p.feed(framed(60, "1 1")); // traffic restarts the time
    clock.advance(15000);
    tick();
    EXPECT_TRUE(t.open);
    clock.advance(1);
    t.busy = 1; // a busy link is kept, and that counts as activity
    tick();
    EXPECT_TRUE(t.open);
    t.busy = 0;
    clock.advance(15001);
    tick();
    EXPECT_FALSE(t.open);
    EXPECT_EQ(t.closes, 1);
    // A send reopens the link and counts as activity.
    p.SysxCommand(59, "a", 1, nullptr);
    clock.advance(15000);
    tick();
    EXPECT_TRUE(t.open);
    // So does each piece of a long incoming message.
    p.feed({ 0xF0, 0x7D, 0x70, 0x01, 90 });
    for (int second = 0; second < 20; ++second) {
        clock.advance(14000);
        for (int piece = 0; piece < 8; ++piece)
            p.feed(Bytes(256, 0x22));
        tick();
        ASSERT_TRUE(t.open) << "closed during the transfer after " << second;
    }
    p.feed({ 0xF7 });
    EXPECT_EQ(p.of("unknown").size(), 1u);
}

TEST_F(Connection, TimerClosesAnIdleLinkInRealTime)
{
    RecordingProcessor p;
    p.AutoDisconnect(1, 300);
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(pumpUntil([&] { return !p.transport->open; }, 5000));
    EXPECT_GE(waited.elapsed(), 300);
}

TEST_F(Connection, DisconnectWaitsForABusyTransport)
{
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
    MessageBoxScript boxes;
    t.busy = 1;
    QElapsedTimer waited;
    waited.start();
    p.Disconnect();
    EXPECT_GE(waited.elapsed(), 4900);
    EXPECT_TRUE(t.open);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Comms Error");
    EXPECT_EQ(boxes.boxes()[0].text, "System is busy - cannot disconnect");
    t.busy = 0;
    p.Disconnect();
    EXPECT_FALSE(t.open);
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

TEST_F(Connection, ReInitReopensOnlyAnOpenLink)
{
    RecordingProcessor p;
    RecordingTransport& t = *p.transport;
    p.ReInit();
    EXPECT_EQ(t.closes, 1);
    EXPECT_EQ(t.opens, 1);
    EXPECT_TRUE(t.open);
    p.Close();
    p.ReInit();
    EXPECT_EQ(t.opens, 1);
    EXPECT_FALSE(p.Connected());
}

TEST_F(Connection, NullDeviceAsksForConfigurationOnceAndSurvivesReplacement)
{
    RecordingProcessor p;
    NullMidiDev::ResetFirstUse();
    p.InstallTransport(std::make_unique<NullMidiDev>(&p), commNone);
    int shown = 0;
    ConfigSheetStub sheet([&](ZorvantaMidiProcessor& proc) {
        ++shown;
        proc.ChooseComms(commMidi); // a page becoming active replaces the transport
        return kIdCancel;
    });
    EXPECT_EQ(p.SysxCommand(59, "a", 1, nullptr), 0);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(p.CommType(), commMidi); // type 0 is not offered: MIDI
    NullMidiDev second(&p);
    sendInfo piece { reinterpret_cast<const unsigned char*>("x"), 1 };
    EXPECT_EQ(second.Send(1, &piece), 0);
    EXPECT_EQ(second.ShortMessage(0xC0, 1, 0), 0);
    EXPECT_EQ(shown, 1);
}

TEST_F(Connection, FileTransportAsksForAFilePerMessage)
{
    const std::string dir = TestEnv::freshDir("sysex");
    std::vector<std::string> answers { dir + "/one.bin", "", dir + "/three.bin" };
    int asked = 0;
    auto previous = commsHooks().askSaveFileName;
    commsHooks().askSaveFileName = [&](const char* proposed, const char* filter) {
        EXPECT_STREQ(proposed, "sysex.bin");
        EXPECT_STREQ(filter, "Binary Files (*.bin) | *.bin | All Files (*.*) | *.* ||");
        return CString(answers[static_cast<size_t>(asked++)].c_str());
    };
    MIDIfile file;
    file.SysxShort(1, sysex::setValue, sysex::manufacturer, sysex::family, "1 2", 3, nullptr);
    const unsigned char tail[] = { 0x11, 0xF7 };
    sendInfo stray { tail, 2 };
    file.Send(1, &stray); // not a new message and the file is closed: dropped
    file.SysxShort(1, sysex::setValue, sysex::manufacturer, sysex::family, "3 4", 3,
        nullptr); // cancelled: dropped
    file.SendRaw("\xF0\x01\xF7", 3, nullptr);
    commsHooks().askSaveFileName = previous;
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(readBytes(answers[0]), framed(60, "1 2"));
    EXPECT_EQ(readBytes(answers[2]), (Bytes { 0xF0, 0x01, 0xF7 }));
}

TEST(CommsHelpers, DelayWaitsAtLeastItsTime)
{
    QElapsedTimer waited;
    waited.start();
    do_delay(60);
    EXPECT_GE(waited.elapsed(), 60);
}
