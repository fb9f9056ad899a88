// The protocol object talking to the simulated device in-process through the
// loopback transport: replies come back through the posted-message path.
#include "LoopbackMidi.h"
#include "ProtocolProbe.h"

#include <gtest/gtest.h>

namespace {

class SimLoopback : public ::testing::Test {
protected:
    void SetUp() override { attach(2); }

    void attach(int model, LoopbackMidi::Clock clock = {})
    {
        device = std::make_shared<SimDevice>(model);
        auto transport = std::make_unique<LoopbackMidi>(device, std::move(clock));
        loop = transport.get();
        processor.InstallTransport(std::move(transport), commMidi);
    }

    // Runs the event queue until n text replies have arrived (or nothing more comes).
    void drain(size_t n)
    {
        for (int i = 0; i < 1000 && processor.events.size() < n; ++i)
            QCoreApplication::processEvents();
    }

    RecordingProcessor processor;
    ReplyWindow window { processor };
    std::shared_ptr<SimDevice> device;
    LoopbackMidi* loop = nullptr;
};

} // namespace

TEST_F(SimLoopback, RepliesArriveOnlyThroughThePostedMessage)
{
    ASSERT_EQ(processor.GetObjectInfo(0, 1, &window), 0);
    EXPECT_TRUE(processor.events.empty()) << "nothing may be delivered by a direct call";
    EXPECT_EQ(window.posted, 0);
    drain(1);
    EXPECT_EQ(window.posted, 1);
    ASSERT_EQ(processor.events.size(), 1u);
    EXPECT_EQ(processor.events[0].command, 50);
    EXPECT_EQ(processor.events[0].text, "COL 1 0 0 'Q7300FW");

    // Without a reply window the reply is dropped, not posted anywhere.
    ASSERT_EQ(processor.GetKeyValue(SimModel::kModeKey, nullptr), 0);
    drain(2);
    EXPECT_EQ(processor.events.size(), 1u);
}

TEST_F(SimLoopback, SetsReachTheDeviceAndRefusalsReachTheErrorWindow)
{
    ASSERT_EQ(processor.SetKeyValue(SimModel::kModeKey, 2, &window), 0);
    ASSERT_EQ(processor.SetKeyValue(0x10030013, -4.5f, &window), 0);
    EXPECT_EQ(*device->Value(SimModel::kModeKey), 2);
    EXPECT_DOUBLE_EQ(*device->GainOf(0x10030013), -4.5);
    ASSERT_EQ(processor.SetKeyValue(0x1001081a, 77, &window), 0);
    drain(1);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    ASSERT_EQ(processor.events.size(), 1u);
    EXPECT_EQ(processor.events[0].kind, "error");
    EXPECT_EQ(processor.events[0].text, "Value 77 out of range 0..32 or 99 for key 1001081a");
}

TEST_F(SimLoopback, HeldBackRepliesFollowTheTestClockAndAClosedLinkGetsNone)
{
    std::uint32_t now = 500;
    attach(2, [&now] { return now; });
    device->SetLatency(1000);
    ASSERT_EQ(processor.GetKeyValue(SimModel::kModeKey, &window), 0);
    drain(1);
    EXPECT_TRUE(processor.events.empty());
    now = 1499;
    EXPECT_EQ(loop->DeliverDue(), 0);
    now = 1500;
    EXPECT_EQ(loop->DeliverDue(), 1);
    drain(1);
    ASSERT_EQ(processor.events.size(), 1u);
    EXPECT_EQ(processor.events[0].text, "10010016 5");

    ASSERT_EQ(processor.GetKeyValue(SimModel::kModeKey, &window), 0);
    processor.Close();
    now = 3000;
    EXPECT_EQ(loop->DeliverDue(), 0);
    // A link that cannot be opened reports the code and sends nothing.
    loop->FailOpen(4);
    const int sentBefore = loop->MessagesSent();
    EXPECT_EQ(processor.GetKeyValue(SimModel::kModeKey, &window), 4);
    EXPECT_EQ(loop->MessagesSent(), sentBefore);
}

TEST_F(SimLoopback, HeldBackRepliesArriveByTimerOnTheRealClock)
{
    device->SetLatency(30);
    ASSERT_EQ(processor.GetKeyValue(SimModel::kModeKey, &window), 0);
    QCoreApplication::processEvents();
    // Waits for the timer without asserting how long it took.
    for (int i = 0; i < 500 && processor.events.empty(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    ASSERT_EQ(processor.events.size(), 1u);
    EXPECT_EQ(processor.events[0].text, "10010016 5");
}
