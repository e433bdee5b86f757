// Cost of moving a viewpoint through a motion link, with and without
// constraints, and of a pass with many sensor-driven links.
#include "orv/orv.h"

#include <benchmark/benchmark.h>

namespace {

void drift(OVsensor *s) {
    const OVp3 t = {0.01f, 0, 0.02f};
    const OVq q = {0, 0.01f, 0, 0.99995f};
    OVsensor_setrecord(s, t, q);
}

OVmotionlink *viewpoint_link() {
    OVsensor *s = OVsensor_new(nullptr, nullptr, drift, nullptr, 0, OVSENSOR_NODEVICE);
    drift(s);
    return OVmotionlink_new(s, OVuniverse_getviewpoint(), 0, 0);
}

} // namespace

static void BM_ViewpointLink(benchmark::State &state) {
    OVmessage_setoutput(3, 0, nullptr);
    OVuniverse_new(512, 0);
    OVmotionlink *link = viewpoint_link();
    if (state.range(0)) {
        OVmotionlink_addconstraint(link, 1, -100, 100);
        OVmotionlink_addconstraint(link, 8, -1, 1);
        OVmotionlink_addconstraint(link, 32, -1, 1);
    }
    for (auto _ : state)
        _OVviewpoint_applymotion(link);
    OVuniverse_delete();
}
BENCHMARK(BM_ViewpointLink)->Arg(0)->Arg(1);

static void BM_PassWithLinks(benchmark::State &state) {
    OVmessage_setoutput(3, 0, nullptr);
    OVuniverse_new(512, 0);
    for (int i = 0; i < state.range(0); ++i) {
        OVviewpoint *vp = OVviewpoint_new();
        OVsensor *s = OVsensor_new(nullptr, nullptr, drift, nullptr, 0, OVSENSOR_NODEVICE);
        OVmotionlink_new(s, vp, 0, 0);
    }
    for (auto _ : state)
        OVuniverse_go1();
    OVuniverse_delete();
}
BENCHMARK(BM_PassWithLinks)->Arg(1)->Arg(100);
