// The explorer's scene, 1,000 passes in its 640 x 480 base window on the
// offscreen driver: passes per second and where a pass goes. Traversal is the
// scene walk that collects what to draw, rendering the rest of drawing the
// windows (state, the playback of the collected lists, the rasteriser's work
// at the swap), the rest is everything else of the pass.
#include "explorer.h"
#include "scene/traversal_state.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double traversal_seconds = 0, render_seconds = 0;
long walks = 0;

// Runs the call and adds its duration to the total.
template <class Call> void timed(double &total, Call call) {
    auto start = Clock::now();
    call();
    total += std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

// Timing wrappers around the toolkit's own definitions: the program is linked
// with --wrap, so the toolkit's calls reach these first and __real_ is the
// toolkit's definition.
extern "C" {
void __real__OVrender_allwindows(void);
void __wrap__OVrender_allwindows(void) {
    timed(render_seconds, [] { __real__OVrender_allwindows(); });
}

void __real__ZN3orv5scene7collectEP6OVnodePNS0_14TraversalStateE(OVnode *root,
                                                                 orv::scene::TraversalState *state);
void __wrap__ZN3orv5scene7collectEP6OVnodePNS0_14TraversalStateE(
    OVnode *root, orv::scene::TraversalState *state) {
    ++walks;
    timed(traversal_seconds,
          [&] { __real__ZN3orv5scene7collectEP6OVnodePNS0_14TraversalStateE(root, state); });
}
}

namespace {

bool build_explorer(benchmark::State &state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("OVMODELS", DATA_DIR, 0);
    using namespace rgbslice;
    State &s = rgbslice::state();
    OVuniverse_new(1, 0);
    s.root = OVuniverse_getrootnodes();
    s.viewpoint = OVuniverse_getviewpoints();
    const OVp2 top_left = {1, 1};
    OVwindow *base = OVwindow_findat(top_left);
    int x, y, w = 0, h = 0;
    if (!base || !OVwindow_getgeometry(base, &x, &y, &w, &h) || w != 640 || h != 480) {
        state.SkipWithError("no 640 x 480 base window");
        return false;
    }
    OVuniverse_setbgrgb(255, 255, 255);
    build_scene();
    if (!s.font) {
        state.SkipWithError("font model RCFONT3D.NFF not found");
        return false;
    }
    reset_pose();
    OVuniverse_setactions(act);
    OVuniverse_ready();
    OVuniverse_go1(); // compiles the geometry outside the timing
    return true;
}

void BM_ExplorerPass(benchmark::State &state) {
    if (!build_explorer(state)) {
        OVuniverse_delete();
        return;
    }
    traversal_seconds = render_seconds = 0;
    walks = 0;
    double pass_seconds = 0;
    for (auto _ : state)
        timed(pass_seconds, [] { OVuniverse_go1(); });
    state.counters["passes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["traversal%"] = 100 * traversal_seconds / pass_seconds;
    state.counters["rendering%"] = 100 * (render_seconds - traversal_seconds) / pass_seconds;
    state.counters["rest%"] = 100 * (pass_seconds - render_seconds) / pass_seconds;
    // A renderer that stops calling the walk shows here, not as 0 % traversal.
    state.counters["walks/pass"] = static_cast<double>(walks) / state.iterations();
    OVuniverse_delete();
}

BENCHMARK(BM_ExplorerPass)->Iterations(1000)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
