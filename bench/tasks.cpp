// A tasks slot with 10,000 tasks: sorted placement of a fresh batch, and the
// steady run of an already sorted list.
#include "orv/task.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

int work(void *owner) {
    benchmark::DoNotOptimize(owner);
    return 0;
}

std::vector<int> owners(10000);

void make_tasks() {
    std::srand(1);
    for (int &o : owners)
        OVtask_new(&o, work, static_cast<float>(std::rand() % 1000));
}

void BM_TasksSlotSteady(benchmark::State &state) {
    make_tasks();
    OVtask_run();
    for (auto _ : state)
        OVtask_run();
    OVtask_clear();
}
BENCHMARK(BM_TasksSlotSteady);

void BM_TasksSlotFreshBatch(benchmark::State &state) {
    for (auto _ : state) {
        make_tasks();
        OVtask_run();
        state.PauseTiming();
        OVtask_clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TasksSlotFreshBatch)->Unit(benchmark::kMillisecond);

} // namespace
