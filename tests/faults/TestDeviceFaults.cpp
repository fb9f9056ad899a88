// The device going away while the editor reads the page: the simulator
// killed, the MIDI service stopped. The editor must time out into demo mode
// with one clear message, keep what it shows, and go on working.
#include "FaultFixture.h"
#include "ProfileStore.h"
#include "SimProcess.h"

#include "Line.h"

#include <set>
#include <utility>

#include <unistd.h>

namespace faults {
namespace {

constexpr int kFW = 2;
const QString kDemoTitle = QStringLiteral("Q7300FW Routing - Off-line Demo Mode");
const QString kConnectedTitle = QStringLiteral("Q7300FW Routing - connected");

class DeviceFaultTest : public FaultTest {
protected:
    // Starts the MIDI service and a slow simulated Q7300FW, points the
    // settings at it and opens the editor on line with its pump running, then
    // waits until the device has answered `answers` messages of the page read.
    void connectAndReadPart(int answers)
    {
        std::string error;
        ASSERT_TRUE(midi.start(error)) << error;
        const std::string port = "Faults " + std::to_string(::getpid());
        // Each reply waits a little, so reading the whole page takes seconds.
        ASSERT_TRUE(
            sim.start({ "--model", "Q7300FW", "--api", QString::fromStdString(midi.api()),
                          "--port-name", QString::fromStdString(port), "--log", "--latency", "20" },
                error))
            << error;
        std::string in, out;
        ASSERT_TRUE(findSimPorts(port, in, out, 10000)) << "the simulator's ports did not appear";
        WriteProfileString("MIDI", "In", in.c_str());
        WriteProfileString("MIDI", "Out", out.c_str());
        WriteProfileInt("Zorvanta Drivers", "CommName", 1);
        open(kFW, 0, true);
        ASSERT_TRUE(pumpUntil([&] { return title() == kConnectedTitle; }, 10000))
            << title().toStdString() << "\n"
            << sim.output();
        ASSERT_TRUE(pumpUntil([&] { return sim.sentCount() >= answers; }, 15000)) << sim.output();
        ASSERT_FALSE(dlg->requestQueue.IsEmpty()) << "the page was read completely already";
    }

    // Every line of the page as (source, destination).
    std::set<std::pair<const IODesc*, const IODesc*>> connections() const
    {
        std::set<std::pair<const IODesc*, const IODesc*>> out;
        for (POSITION pos = dlg->lines.GetHeadPosition(); pos;) {
            const auto* l = static_cast<const Line*>(dlg->lines.GetNext(pos));
            out.insert({ l->source, l->dest });
        }
        return out;
    }

    MidiServiceForFaults midi;
    SimProcess sim;
};

TEST_F(DeviceFaultTest, SimulatorKilledWhileReadingThePageEndsInDemoModeWithThePageKept)
{
    connectAndReadPart(25);
    ASSERT_TRUE(boxes->boxes().empty());
    const int nodesBefore = nodeCount();
    const auto linesBefore = connections();
    ASSERT_FALSE(linesBefore.empty()) << "no reported routing reached the page";

    sim.kill();
    // One request in flight: three sendings 1000 ms apart, then the time-out.
    ASSERT_TRUE(pumpUntil([&] { return dlg->local != 0; }, 8000)) << title().toStdString();
    pumpUntil([] { return false; }, 1500); // nothing more may follow

    ASSERT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(boxes->boxes()[0].caption, "Cannot connect");
    EXPECT_EQ(boxes->boxes()[0].text, "Going to Local mode");
    EXPECT_EQ(title(), kDemoTitle);
    EXPECT_TRUE(dlg->requestQueue.IsEmpty());
    EXPECT_TRUE(dlg->setQueue.IsEmpty());
    // The page shows what was read before the device went away (a reply that
    // was already on its way may add to it).
    EXPECT_EQ(nodeCount(), nodesBefore);
    const auto linesAfter = connections();
    for (const auto& c : linesBefore)
        EXPECT_TRUE(linesAfter.count(c))
            << static_cast<const char*>(c.second->GetText()) << " lost its source";
    EXPECT_EQ(GetProfileInt("main", "local", 0), 1);

    // Editing goes on in demo mode.
    const int lines = lineCount();
    EXPECT_TRUE(connectSomething());
    EXPECT_EQ(lineCount(), lines + 1);
}

TEST_F(DeviceFaultTest, MidiServiceStoppingWhileOpenEndsInDemoModeAndTheEditorClosesCleanly)
{
    connectAndReadPart(10);
    if (midi.api() != "jack")
        GTEST_SKIP() << "the machine's own MIDI service is not ours to stop";
    const auto linesBefore = connections();

    ASSERT_TRUE(midi.stopJack());
    ASSERT_TRUE(pumpUntil([&] { return dlg->local != 0; }, 8000)) << title().toStdString();
    EXPECT_EQ(boxesCaptioned("Cannot connect"), 1);
    EXPECT_EQ(title(), kDemoTitle);
    const auto linesAfter = connections();
    for (const auto& c : linesBefore)
        EXPECT_TRUE(linesAfter.count(c))
            << static_cast<const char*>(c.second->GetText()) << " lost its source";

    // Sending into the dead link and closing it must neither crash nor hang.
    EXPECT_TRUE(connectSomething());
    pumpUntil([] { return false; }, 300);
    close();
    EXPECT_EQ(GetProfileInt("main", "local", 0), 1);
}

} // namespace
} // namespace faults
