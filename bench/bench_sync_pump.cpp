// Reading a whole page through the real 30 ms pump against the simulated
// device in the same process: from the identification reply to the last value
// applied, per model, next to the bound the pump sets (one request per tick,
// so requests x 30 ms).
#include "BenchPage.h"

#include <QElapsedTimer>

namespace {

void BM_PageReadThroughThePump(benchmark::State& state)
{
    const int model = static_cast<int>(state.range(0));
    BenchPage page;
    double requests = 0;
    for (auto _ : state) {
        auto dlg = page.open(model);
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
        if (!dlg->requestQueue.IsEmpty() || !page.boxes.boxes().empty())
            state.SkipWithError("the page was not read");
        dlg->DestroyWindow();
    }
    const double boundMs = requests * static_cast<int>(CRoutingDlg::pumpPeriodMs);
    state.counters["requests"] = requests;
    state.counters["bound_ms"] = boundMs;
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
    return benchMain(argc, argv);
}
