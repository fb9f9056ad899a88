// The device going away while the editor reads the page: the simulator
// killed, the MIDI service stopped and started again. The editor must go to
// demo mode with one clear message, keep what it shows, go on working, and
// come back on line without a restart.
#include "AppFolders.h"
#include "CommsWindows.h"
#include "EditorFixture.h"
#include "MessageBoxHook.h"
#include "ProfileStore.h"
#include "SimProcess.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "Line.h"

#include <set>
#include <utility>

#include <unistd.h>

namespace faults {
namespace {

using namespace editortest;

constexpr int kFW = 2;
const QString kDemoTitle = QStringLiteral("Q7300FW Routing - Off-line Demo Mode");
const QString kConnectedTitle = QStringLiteral("Q7300FW Routing - connected");

// Accepts or cancels the next modal dialog once it is up, however long a
// loaded machine takes to show it.
void answerNextDialog(bool accept)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, accept] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        accept ? d->accept() : d->reject();
        timer->deleteLater();
    });
    timer->start(100);
}

class DeviceFaultTest : public EditorTest {
protected:
    // Starts the MIDI service and a slow simulated Q7300FW, points the
    // settings at it and opens the editor on line with its pump running, then
    // waits until the device has answered `answers` messages of the page read.
    void connectAndReadPart(int answers)
    {
        // Each reply waits a little, so reading the whole page takes seconds.
        startSimAndChooseItsPorts({ "--latency", "20" });
        open(kFW, 0, true);
        ASSERT_TRUE(pumpUntil([&] { return title() == kConnectedTitle; }, 10000))
            << title().toStdString() << "\n"
            << sim.output();
        ASSERT_TRUE(pumpUntil([&] { return sim.sentCount() >= answers; }, 15000)) << sim.output();
        ASSERT_FALSE(dlg->requestQueue.IsEmpty()) << "the page was read completely already";
    }

    // Starts the MIDI service and a simulated Q7300FW, and makes its ports
    // the editor's choice.
    void startSimAndChooseItsPorts(const QStringList& extra = {})
    {
        std::string error, in, out;
        ASSERT_TRUE(midi.start(error)) << error;
        simArgs = QStringList { "--model", "Q7300FW", "--api", QString::fromStdString(midi.api()),
            "--port-name", QString::fromStdString(port), "--log" };
        ASSERT_TRUE(sim.start(simArgs + extra, error)) << error;
        ASSERT_TRUE(findSimPorts(port, in, out, 10000)) << "the simulator's ports did not appear";
        WriteProfileString("MIDI", "In", in.c_str());
        WriteProfileString("MIDI", "Out", out.c_str());
        WriteProfileInt("Zorvanta Drivers", "CommName", 1);
    }

    // The simulator started again; true once the editor's title says it sees its ports.
    bool restartSimAndSeeItsPortsFound()
    {
        std::string error, in, out;
        return sim.start(simArgs, error) && findSimPorts(port, in, out, 10000)
            && pumpUntil([&] { return title().endsWith("(device ports found)"); }, 5000);
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

    MidiService midi;
    SimProcess sim;
    const std::string port = "Faults " + std::to_string(::getpid());
    QStringList simArgs;
};

TEST_F(DeviceFaultTest, SimulatorKilledWhileReadingThePageEndsInDemoModeWithThePageKept)
{
    // The last good routing, which a half-read page must not replace.
    const QString previous = configPath().toQString() + "/Q7300FW/-Previous.rut";
    QDir().mkpath(QFileInfo(previous).path());
    QFile good(previous);
    ASSERT_TRUE(good.open(QIODevice::WriteOnly));
    good.write("1001081a 1\r\n");
    good.close();

    connectAndReadPart(25);
    ASSERT_TRUE(boxes->boxes().empty());
    const int nodesBefore = nodeCount();
    const auto linesBefore = connections();
    ASSERT_FALSE(linesBefore.empty()) << "no reported routing reached the page";

    sim.kill();
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(pumpUntil([&] { return dlg->local != 0; }, 8000)) << title().toStdString();
    const qint64 took = t.elapsed();
    pumpUntil([] { return false; }, 1500); // nothing more may follow

    // Over JACK its ports vanish with it and that is said at once; elsewhere
    // the request in flight times out after three sendings.
    ASSERT_EQ(boxes->boxes().size(), 1u);
    if (midi.api() == "jack") {
        EXPECT_LT(took, 2000); // well before three time-outs (3 s), even on a busy machine
        EXPECT_EQ(boxes->boxes()[0].caption, "Connection lost");
        EXPECT_EQ(
            boxes->boxes()[0].text, "The device's MIDI ports have gone.\nGoing to Local mode");
    } else {
        EXPECT_EQ(boxes->boxes()[0].caption, "Cannot connect");
    }
    EXPECT_EQ(title(), kDemoTitle + " (page not read completely)");
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

    // "OK" asks before the half-read page replaces the last good routing.
    boxes->answer(IDNO);
    dlg->OnOkExit();
    ASSERT_EQ(boxesCaptioned("Routing"), 1);
    EXPECT_EQ(fileBytes(previous), "1001081a 1\r\n");
}

TEST_F(DeviceFaultTest, MidiServiceStoppedAndStartedAgainAroundAConnectedEditor)
{
    connectAndReadPart(10);
    if (midi.api() != "jack")
        GTEST_SKIP() << "the machine's own MIDI service is not ours to stop";
    InstallCommsWindows();
    const CString portChoice = GetProfileString("MIDI", "In", "");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto linesBefore = connections();
        ASSERT_TRUE(midi.stopJack());
        QElapsedTimer t;
        t.start();
        ASSERT_TRUE(pumpUntil([&] { return dlg->local != 0; }, 8000)) << title().toStdString();
        EXPECT_LT(t.elapsed(), 2000); // not three time-outs (3 s)
        pumpUntil([] { return false; }, 300);
        ASSERT_EQ(boxesCaptioned("Connection lost"), round + 1);
        EXPECT_EQ(boxes->boxes().back().text, "The MIDI service has stopped.\nGoing to Local mode");
        EXPECT_TRUE(title().startsWith(kDemoTitle)) << title().toStdString();
        EXPECT_EQ(title().contains("not read completely"), round == 0) << title().toStdString();
        EXPECT_TRUE(connections() == linesBefore) << "the page changed";

        // Edits in demo mode, and the sheet opened and closed while the server
        // is down, never reach into the dead link. OK there tries the link
        // again, which fails into demo mode.
        EXPECT_TRUE(connectSomething());
        pumpUntil([] { return false; }, 200);
        answerNextDialog(round == 1);
        dlg->OnSysCommand(110, 0);
        ASSERT_TRUE(pumpUntil([&] { return dlg->local != 0; }, 8000)) << title().toStdString();
        EXPECT_EQ(GetProfileString("MIDI", "In", ""), portChoice) << "empty lists were saved";
        EXPECT_EQ(sim.stop(), 0) << "the simulator left its gone server badly";

        ASSERT_TRUE(midi.restartJack());
        // The editor sees the device's ports again by itself.
        ASSERT_TRUE(restartSimAndSeeItsPortsFound()) << title().toStdString() << sim.output();
        const int boxesNow = static_cast<int>(boxes->boxes().size());
        // Back through the demo command, or through the sheet ending with OK.
        if (round % 2 == 0) {
            dlg->OnSysCommand(109, 0);
        } else {
            answerNextDialog(true);
            dlg->OnSysCommand(110, 0);
        }
        ASSERT_TRUE(pumpUntil(
            [&] { return title() == kConnectedTitle && dlg->requestQueue.IsEmpty(); }, 30000))
            << title().toStdString() << "\n"
            << sim.output();
        EXPECT_EQ(static_cast<int>(boxes->boxes().size()), boxesNow) << "boxes on reconnecting";
    }
    close();
}

TEST_F(DeviceFaultTest, StartInDemoModeWatchesForTheDeviceAndComesOnLineWhenAsked)
{
    startSimAndChooseItsPorts();
    sim.stop();
    open(kFW, 1, true);
    pumpUntil([] { return false; }, 2000);
    EXPECT_EQ(title(), kDemoTitle) << "ports reported that are not there";
    ASSERT_TRUE(restartSimAndSeeItsPortsFound()) << title().toStdString() << sim.output();
    dlg->OnSysCommand(109, 0);
    ASSERT_TRUE(
        pumpUntil([&] { return title() == kConnectedTitle && dlg->requestQueue.IsEmpty(); }, 30000))
        << title().toStdString() << "\n"
        << sim.output();
    EXPECT_GT(sim.sentCount(), 100) << "the page was not read";
    EXPECT_TRUE(boxes->boxes().empty());
}

} // namespace
} // namespace faults
