// Reading a whole Q7300FW page from the simulated device in the same process:
// the editor's requests, the device's replies through the posted-message path
// and their application to the page. The pump is driven directly, so this is
// the work the program does; on a real link the 30 ms pump period bounds the
// page read to about requests x 30 ms (reported as bound_ms).
#include "AppFolders.h"
#include "CRoutingDlg.h"
#include "LoopbackMidi.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kFW = 2;

// Runs the pump and the event queue until both queues are empty.
bool drain(CRoutingDlg& dlg)
{
    for (int i = 0; i < 200000; ++i) {
        if (dlg.requestQueue.IsEmpty() && dlg.setQueue.IsEmpty())
            return true;
        dlg.OnTimer(static_cast<UINT>(dlg.timerId));
        QCoreApplication::processEvents();
    }
    return false;
}

void BM_PageReadFw(benchmark::State& state)
{
    QTemporaryDir tmp;
    qputenv("XDG_DATA_HOME", (tmp.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/config").toUtf8());
    const QString data = settingsPath().toQString();
    QDir().mkpath(data);
    for (const char* f : { main_table[kFW].bitmapFile, main_table[kFW].panelFile })
        QFile::copy(QStringLiteral(PANEL_DIR "/") + f, data + "/" + f);
    QSettings store(tmp.path() + "/s.ini", QSettings::IniFormat);
    SetProfileStore(&store);
    MessageBoxScript boxes;
    WriteProfileInt("main", "machine", kFW);
    WriteProfileInt("main", "local", 0);
    QDir::setCurrent(tmp.path());
    {
        CRoutingDlg dlg(nullptr);
        auto device = std::make_shared<SimDevice>(kFW);
        dlg.protocol.InstallTransport(std::make_unique<LoopbackMidi>(device), commMidi);
        dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
        // The first read follows the identification.
        if (!drain(dlg) || dlg.deviceModel != kFW || !boxes.boxes().empty()) {
            state.SkipWithError("the editor did not connect to the simulated device");
        } else {
            int requests = 0;
            for (auto _ : state) {
                dlg.GetValues();
                requests = dlg.requestQueue.GetCount();
                if (!drain(dlg)) {
                    state.SkipWithError("the page read did not finish");
                    break;
                }
            }
            state.counters["requests"] = requests;
            state.counters["bound_ms"] = requests * CRoutingDlg::pumpPeriodMs;
            state.counters["lines"] = dlg.lines.GetCount();
        }
        dlg.DestroyWindow();
    }
    SetProfileStore(nullptr);
}
BENCHMARK(BM_PageReadFw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
