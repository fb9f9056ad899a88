// Reading a whole Q7300FW page from the simulated device in the same process:
// the editor's requests, the device's replies through the posted-message path
// and their application to the page. The pump is driven directly, so this is
// the work the program does; on a real link the 30 ms pump period bounds the
// page read to about requests x 30 ms (reported as bound_ms).
#include "BenchPage.h"

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
    BenchPage page;
    auto dlg = page.open(kFW);
    // The first read follows the identification.
    if (!drain(*dlg) || dlg->deviceModel != kFW || !page.boxes.boxes().empty()) {
        state.SkipWithError("the editor did not connect to the simulated device");
    } else {
        int requests = 0;
        for (auto _ : state) {
            dlg->GetValues();
            requests = dlg->requestQueue.GetCount();
            if (!drain(*dlg)) {
                state.SkipWithError("the page read did not finish");
                break;
            }
        }
        state.counters["requests"] = requests;
        state.counters["bound_ms"] = requests * CRoutingDlg::pumpPeriodMs;
        state.counters["lines"] = dlg->lines.GetCount();
    }
    dlg->DestroyWindow();
}
BENCHMARK(BM_PageReadFw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchMain(argc, argv);
}
