// Mouse-path queries of the routing model on the largest model's page:
// node hit testing, nearest line among 300, possible-source lists.
#include "LineList.h"
#include "RoutingPage.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// Every node of the Q7300FW placed on a grid as the editor places them, all
// of them in one list, and the lines drawn between them.
struct Page : RoutingPage {
    IODescList all;
    LineList lines;

    Page()
        : RoutingPage(2)
    {
        for (auto& n : nodes)
            all.AddTail(n.get());
    }
    ~Page() { lines.DeleteAll(); }

    // 300 lines: each destination connected to successive legal sources.
    void connectLines(int count)
    {
        std::vector<IODesc*> dests = destinations();
        for (int k = 0; lines.GetCount() < count; ++k) {
            IODesc* d = dests[k % dests.size()];
            IODesc* s = d->ConnectionFromIndex(k / static_cast<int>(dests.size()));
            if (s && !lines.GetLine(d, s))
                lines.AddTail(new Line(s, d));
        }
    }
};

void BM_SelectLastNode(benchmark::State& state)
{
    Page page;
    CPoint p = page.nodes.back()->rect.CenterPoint();
    for (auto _ : state)
        benchmark::DoNotOptimize(page.all.Select(p));
}
BENCHMARK(BM_SelectLastNode);

void BM_SelectMiss(benchmark::State& state)
{
    Page page;
    CPoint p(-100, -100);
    for (auto _ : state)
        benchmark::DoNotOptimize(page.all.Select(p));
}
BENCHMARK(BM_SelectMiss);

void BM_GetClosest300Lines(benchmark::State& state)
{
    Page page;
    page.connectLines(300);
    CPoint points[] = { { 500, 70 }, { 123, 45 }, { 1000, 150 }, { 640, 10 } };
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(page.lines.GetClosest(points[i++ & 3], 5.0));
    state.counters["lines"] = page.lines.GetCount();
}
BENCHMARK(BM_GetClosest300Lines);

void BM_OnePossibleSourceList(benchmark::State& state)
{
    Page page;
    IODesc* d = page.destinations().front(); // MAINinL 0: 33 sources
    for (auto _ : state) {
        IODescList out;
        d->GetPossibleSourceList(out);
        benchmark::DoNotOptimize(out.GetCount());
    }
}
BENCHMARK(BM_OnePossibleSourceList);

void BM_IoValueLastSource(benchmark::State& state)
{
    Page page;
    IODesc* d = page.destinations().front();
    IODesc* last = d->ConnectionFromIndex(32);
    for (auto _ : state)
        benchmark::DoNotOptimize(d->IoValue(last));
}
BENCHMARK(BM_IoValueLastSource);

void BM_AllPossibleSourceLists(benchmark::State& state)
{
    Page page;
    std::vector<IODesc*> dests = page.destinations();
    for (auto _ : state) {
        int total = 0;
        for (IODesc* d : dests) {
            IODescList out;
            d->GetPossibleSourceList(out);
            total += out.GetCount();
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["destinations"] = static_cast<double>(dests.size());
}
BENCHMARK(BM_AllPossibleSourceLists);

} // namespace

BENCHMARK_MAIN();
