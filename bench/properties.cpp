// Cost of the setter protocol: a change nobody listens to, and one with a
// pre-handler and a handler (queued, then delivered by the event pass); and
// the heap allocations of an empty simulation pass and of a transform setter,
// counted by replacing the global operator new.
#include "orv/orv.h"
#include "orv/property.h"
#include "orv/orv_internal.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

namespace {
long allocations = 0;
} // namespace

void *operator new(std::size_t size) {
    ++allocations;
    if (void *p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
// The pairs are this file's own: new is malloc, so delete is free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete[](void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// Reports the allocations the timed loop made, per iteration.
void report_allocations(benchmark::State &state, long before) {
    state.counters["allocs/iter"] =
        static_cast<double>(allocations - before) / static_cast<double>(state.iterations());
}

int allow(void *, const char *, double) {
    return 1;
}
void hear(void *, const char *, void *value, double) {
    benchmark::DoNotOptimize(value);
}

void *object_with(bool handlers) {
    void *base = OVbase_new("bench");
    OVbase_addproperty(base, "Level", OVINT);
    if (handlers) {
        OVproperty_addhandler_pre(base, "Level", allow);
        OVproperty_addhandler(base, "Level", hear);
    }
    return base;
}

// The path every setter takes when nobody listens: no allocation.
void BM_ChangeWithoutHandlers(benchmark::State &state) {
    void *base = object_with(false);
    int value = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OVproperty_firehandlers_pre(base, "Level"));
        if (OVproperty_numhandlers(base, "Level")) OVproperty_firehandlers(base, "Level", &value);
    }
    OVbase_delete(base);
}
BENCHMARK(BM_ChangeWithoutHandlers);

void BM_ChangeWithPreHandlerAndHandler(benchmark::State &state) {
    void *base = object_with(true);
    int value = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OVproperty_firehandlers_pre(base, "Level"));
        if (OVproperty_numhandlers(base, "Level")) OVproperty_firehandlers(base, "Level", &value);
        _OVevent_pass();
    }
    OVbase_delete(base);
}
BENCHMARK(BM_ChangeWithPreHandlerAndHandler);

void BM_SetByName(benchmark::State &state) {
    void *base = object_with(false);
    int value = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(OVproperty_setraw(base, "Level", &value));
    OVbase_delete(base);
}
BENCHMARK(BM_SetByName);

// An empty pass: no window, no key, no handler.
void BM_EmptyPassAllocations(benchmark::State &state) {
    OVmessage_setoutput(3, 0, nullptr); // no banner in the figures
    OVuniverse_new(512, 0);
    OVuniverse_go1(); // first-pass set-up outside the count
    const long before = allocations;
    for (auto _ : state)
        OVuniverse_go1();
    report_allocations(state, before);
    OVuniverse_delete();
}
BENCHMARK(BM_EmptyPassAllocations);

// A transform setter on a movable separator under the root, alternating two values;
// a pass between setters clears the changed marks, so each setter marks the
// links above the node again. Only the setter is counted.
void BM_SetTranslationAllocations(benchmark::State &state) {
    OVmessage_setoutput(3, 0, nullptr);
    OVuniverse_new(512, 0);
    OVnode *node = OVmovsepnode_new(OVuniverse_getrootnodes());
    OVp3 place = {1, 2, 3};
    OVnode_settranslation(node, place);
    long counted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        OVuniverse_go1();
        place[0] = -place[0];
        state.ResumeTiming();
        const long before = allocations;
        OVnode_settranslation(node, place);
        counted += allocations - before;
    }
    state.counters["allocs/iter"] =
        static_cast<double>(counted) / static_cast<double>(state.iterations());
    OVuniverse_delete();
}
BENCHMARK(BM_SetTranslationAllocations);

} // namespace
