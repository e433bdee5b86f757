// Collecting one eye's lists: 10,000 or 100,000 geometry nodes, ten to a
// separator, all in view or half of them behind the eye. Figures are per
// visible geometry node, so the two sizes compare directly.
#include "orv/orv.h"
#include "scene/traversal_state.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int per_separator = 10;
constexpr int small_scene = 10000, large_scene = 100000;

struct Scene {
    Scene(int nodes, bool half_behind) : separators(nodes / per_separator) {
        OVmessage_setoutput(3, 0, nullptr); // no banner in the figures
        OVuniverse_new(512, 0);
        OVnode *root = OVuniverse_getrootnodes();
        for (int i = 0; i < separators; ++i) {
            OVnode *sep = OVsepnode_new(root);
            // Rows of 10 x 10 separators, each row of a hundred further away.
            const float depth = -30.0f - static_cast<float>(i / 100) * 3;
            const OVp3 at = {static_cast<float>(i % 10) * 2 - 9,
                             static_cast<float>(i / 10 % 10) * 2 - 9,
                             half_behind && i % 2 ? -depth : depth};
            OVnode_settranslation(OVxformnode_new(sep), at);
            for (int g = 0; g < per_separator; ++g)
                OVgeometrynode_new(sep, OVgeometry_newblock(0.5f, 0.5f, 0.5f, 0));
        }
        state = static_cast<orv::scene::TraversalState *>(_OVnode_newstate());
        // A 90-degree view from 1 to 1000 looking down -Z.
        state->near_distance = 1;
        state->far_distance = 1000;
        const float h = 0.70710678f;
        const float planes[4][3] = {{h, 0, -h}, {-h, 0, -h}, {0, h, -h}, {0, -h, -h}};
        for (int p = 0; p < 4; ++p) {
            for (int j = 0; j < 3; ++j)
                state->side_planes[p][j] = planes[p][j];
            state->side_offsets[p] = 0;
        }
    }
    ~Scene() {
        _OVnode_deletestate(state);
        OVuniverse_delete();
    }
    int separators;
    orv::scene::TraversalState *state;
};

void collect_eye(benchmark::State &bench, bool half_behind) {
    const int nodes = static_cast<int>(bench.range(0));
    Scene scene(nodes, half_behind);
    OVnode *root = OVuniverse_getrootnodes();
    for (auto _ : bench) {
        _OVnode_initstate(scene.state);
        orv::scene::collect(root, scene.state);
        benchmark::DoNotOptimize(scene.state->opaque_count);
    }
    const int visible = half_behind ? nodes / 2 : nodes;
    if (scene.state->opaque_count != visible) bench.SkipWithError("unexpected entry count");
    bench.SetItemsProcessed(bench.iterations() * visible);
    bench.counters["per_visible_node"] = benchmark::Counter(
        visible, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_CollectAllVisible(benchmark::State &bench) {
    collect_eye(bench, false);
}
BENCHMARK(BM_CollectAllVisible)->Arg(small_scene)->Arg(large_scene)->Unit(benchmark::kMicrosecond);

void BM_CollectHalfCulled(benchmark::State &bench) {
    collect_eye(bench, true);
}
BENCHMARK(BM_CollectHalfCulled)->Arg(small_scene)->Arg(large_scene)->Unit(benchmark::kMicrosecond);

} // namespace
