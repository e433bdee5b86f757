// Cost of one simulation pass over an empty universe without windows.
#include "orv/orv.h"

#include <benchmark/benchmark.h>

static void BM_EmptyPass(benchmark::State &state) {
    OVmessage_setoutput(3, 0, nullptr); // no banner in the figures
    OVuniverse_new(512, 0);
    for (auto _ : state)
        OVuniverse_go1();
    state.counters["frames"] = OVuniverse_framecount();
    OVuniverse_delete();
}
BENCHMARK(BM_EmptyPass);
