// The editor started on line against the real q7300-sim program over a MIDI
// service (a private JACK server when the machine has no ALSA sequencer),
// with the real 30 ms pump and the real MIDI transport.
#include "SyncFixture.h"

#include "JackServer.h"
#include "MidiPorts.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "PumpClock.h"
#include "SimPortNames.h"
#include "TickCount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "SimPortNames.h"

#include <unistd.h>

using namespace synctest;

namespace {

std::string readFile(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

class SyncOverMidi : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        // Real time here: the program answers at its own pace.
        setPumpClock({});
        setTickTimeSource({});
    }
    void TearDown() override
    {
        close();
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            if (!sim.waitForFinished(10000)) {
                sim.kill();
                sim.waitForFinished(5000);
            }
        }
        SyncTest::TearDown();
    }

    QProcess sim;
    JackServer jack;
};

} // namespace

TEST_F(SyncOverMidi, EditorConnectsToTheSimulatorAndReadsTheWholePage)
{
    const QString program = QCoreApplication::applicationDirPath() + "/../tools/sim/q7300-sim";
    ASSERT_TRUE(QFileInfo(program).isExecutable())
        << "build the q7300-sim target first: " << program.toStdString();
    std::string api = "alsa";
    if (::access("/dev/snd/seq", F_OK) != 0) {
        ASSERT_TRUE(jack.start()) << jack.error();
        api = "jack";
    }

    // The device starts from a state of its own, unlike the defaults.
    const int model = 1;
    std::mt19937 rng(99);
    device = std::make_shared<SimDevice>(model);
    randomizeDevice(rng);
    std::string why;
    ASSERT_TRUE(device->SetValue(0x10010016, 3, why));
    const std::string stateFile = storeDir + "/sim.state";
    {
        QFile f(QString::fromStdString(stateFile));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(device->Dump().c_str());
    }

    const std::string portName = "Q7300 Editor Test " + std::to_string(::getpid());
    sim.setProcessChannelMode(QProcess::MergedChannels);
    sim.start(program,
        { "--model", main_table[model].modelName, "--api", QString::fromStdString(api),
            "--port-name", QString::fromStdString(portName), "--state",
            QString::fromStdString(stateFile) });
    ASSERT_TRUE(sim.waitForStarted(5000));
    std::string in, out;
    QElapsedTimer t;
    t.start();
    while ((in.empty() || out.empty()) && t.elapsed() < 15000) {
        in = listedSimulatorPort(true, portName);
        out = listedSimulatorPort(false, portName);
        if (in.empty() || out.empty())
            QThread::msleep(100);
    }
    ASSERT_FALSE(in.empty() || out.empty()) << sim.readAll().toStdString();
    WriteProfileString("MIDI", "In", in.c_str());
    WriteProfileString("MIDI", "Out", out.c_str());
    WriteProfileInt("Zorvanta Drivers", "CommName", commMidi);
    WriteProfileInt("main", "machine", 0);
    WriteProfileInt("main", "local", 0);

    dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    t.restart();
    // About 6 s on a quiet machine; a heavily loaded one needs far more.
    while (t.elapsed() < 100000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (dlg->deviceModel == model && dlg->requestQueue.IsEmpty() && dlg->setQueue.IsEmpty())
            break;
    }
    const qint64 took = t.elapsed();
    for (const auto& b : boxes->boxes())
        ADD_FAILURE() << "box: " << b.caption.toStdString() << " / " << b.text.toStdString();
    ASSERT_EQ(dlg->deviceModel, model)
        << "no identification in time; " << title() << "; " << sim.readAll().toStdString();
    ASSERT_TRUE(dlg->requestQueue.IsEmpty()) << "page not read in " << took << " ms";
    EXPECT_EQ(tablenum, model);
    EXPECT_EQ(title(), std::string(main_table[model].modelName) + " Routing - connected");
    EXPECT_TRUE(boxes->boxes().empty());
    EXPECT_EQ(dlg->savedModeValue, 3);
    // The page equals the state the program started with.
    EXPECT_EQ(differences(), std::vector<std::string>());

    // An edit travels to the program, and the mode setting goes back on OK.
    drag(node(MAINinR, 1), node(DSPAin, 0));
    const int sent = node(DSPAin, 0)->value;
    dlg->OnOkExit();
    QThread::msleep(300);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));
    SimDevice after(model);
    ASSERT_TRUE(after.Load(readFile(stateFile), why)) << why;
    EXPECT_EQ(after.Value(0x10010016), 3);
    EXPECT_EQ(after.Value(node(DSPAin, 0)->key), sent);
    std::printf("[ figure ] whole page of %s read over MIDI in %lld ms\n",
        main_table[model].modelName, static_cast<long long>(took));
}
