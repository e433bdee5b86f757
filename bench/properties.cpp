// Cost of the setter protocol: a change nobody listens to, and one with a
// pre-handler and a handler (queued, then delivered by the event pass).
#include "orv/property.h"
#include "orv/orv_internal.h"

#include <benchmark/benchmark.h>

namespace {

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

} // namespace
