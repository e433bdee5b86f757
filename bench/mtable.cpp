// Matching colours into a material table: 1,000,000 matches from 4,096 colours.
#include "orv/message.h"
#include "orv/mtable.h"

#include <benchmark/benchmark.h>

extern "C" void _OVmtable_deleteall(void);

static void BM_MatchColours(benchmark::State &state) {
    for (auto _ : state) {
        OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 10, nullptr);
        int sum = 0;
        for (unsigned i = 0; i < 1000000; ++i)
            sum += OVmtable_matchcolor12(t, (i * 2654435761u) & 0xFFF);
        benchmark::DoNotOptimize(sum);
        state.counters["entries"] = OVmtable_getnumentries(t);
        OVmtable_delete(t);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_MatchColours)->Unit(benchmark::kMillisecond);
