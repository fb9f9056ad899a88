// Reading a whole page through the real 30 ms pump against the simulated
// device in the same process: from the identification reply to the last value
// applied, per model, next to the bound the pump sets (one request per tick,
// so requests x 30 ms).
#include "AppFolders.h"
#include "CRoutingDlg.h"
#include "LoopbackMidi.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_PageReadThroughThePump(benchmark::State& state)
{
    const int model = static_cast<int>(state.range(0));
    QTemporaryDir tmp;
    qputenv("XDG_DATA_HOME", (tmp.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (tmp.path() + "/config").toUtf8());
    const QString data = settingsPath().toQString();
    QDir().mkpath(data);
    for (int m = 0; m < modelCount; ++m)
        for (const char* f : { main_table[m].bitmapFile, main_table[m].panelFile })
            QFile::copy(QStringLiteral(PANEL_DIR "/") + f, data + "/" + f);
    QDir::setCurrent(tmp.path());
    QSettings store(tmp.path() + "/s.ini", QSettings::IniFormat);
    SetProfileStore(&store);
    MessageBoxScript boxes;

    double requests = 0;
    for (auto _ : state) {
        WriteProfileInt("main", "machine", model);
        WriteProfileInt("main", "local", 0);
        auto device = std::make_shared<SimDevice>(model);
        auto dlg = std::make_unique<CRoutingDlg>(nullptr);
        dlg->protocol.InstallTransport(std::make_unique<LoopbackMidi>(device), commMidi);
        dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
        QElapsedTimer clock;
        clock.start();
        while (dlg->deviceModel != model && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        // The identification reply has just queued every read.
        clock.restart();
        requests = dlg->requestQueue.GetCount();
        while (!dlg->requestQueue.IsEmpty() && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!dlg->requestQueue.IsEmpty() || !boxes.boxes().empty())
            state.SkipWithError("the page was not read");
        dlg->DestroyWindow();
    }
    const double boundMs = requests * static_cast<int>(CRoutingDlg::pumpPeriodMs);
    state.counters["requests"] = requests;
    state.counters["bound_ms"] = boundMs;
    SetProfileStore(nullptr);
}

} // namespace

BENCHMARK(BM_PageReadThroughThePump)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
