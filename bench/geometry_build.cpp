// Geometry construction and editing at scale: polygon statistics and convex
// splitting, a smooth sphere, closing a million triangles, editing 100,000
// polygons.
#include "geometry/geometry_record.h"
#include "orv/orv.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

// A star-shaped (simple, mostly non-convex) outline of n corners.
void random_outline(std::mt19937 &rng, OVgeometry *g, int n, float cx) {
    std::uniform_real_distribution<float> radius(0.3f, 1.0f);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int k = 0; k < n; ++k) {
        float t = k * 6.2831853f / n, r = radius(rng);
        const OVp3 pos = {cx + r * std::cos(t), r * std::sin(t), 0};
        OVpoly_addvertexptr(p, OVgeometry_newvertex(g, pos));
    }
    OVpoly_close(p);
}

void BM_StatsAndSplit100kPolygons(benchmark::State &state) {
    for (auto _ : state) {
        std::mt19937 rng(7);
        OVgeometry *g = OVgeometry_begin();
        for (int i = 0; i < 100000; ++i)
            random_outline(rng, g, 4 + i % 9, static_cast<float>(i) * 3);
        OVgeometry_close(g);
        benchmark::DoNotOptimize(OVgeometry_numpolys(g));
        state.counters["pieces"] = OVgeometry_numpolys(g);
        OVgeometry_delete(g);
    }
}
BENCHMARK(BM_StatsAndSplit100kPolygons)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SmoothSphere256(benchmark::State &state) {
    for (auto _ : state) {
        OVgeometry *g = OVgeometry_newsphere(1, 256, 256, 0, 1);
        benchmark::DoNotOptimize(g);
        OVgeometry_delete(g);
    }
}
BENCHMARK(BM_SmoothSphere256)->Unit(benchmark::kMillisecond);

void BM_CloseMillionTriangles(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        OVgeometry *g = OVgeometry_begin();
        const int side = 708; // 707 x 707 x 2 triangles
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const OVp3 pos = {float(x), float(y), 0};
                OVgeometry_newvertex(g, pos);
            }
        for (int y = 0; y + 1 < side; ++y)
            for (int x = 0; x + 1 < side; ++x) {
                int a = y * side + x;
                _OVgeometry_addpoly3(g, a, a + 1, a + side, 0);
                _OVgeometry_addpoly3(g, a + 1, a + side + 1, a + side, 0);
            }
        state.ResumeTiming();
        OVgeometry_close(g);
        state.PauseTiming();
        OVgeometry_delete(g);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CloseMillionTriangles)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_EditAllOf100kPolygons(benchmark::State &state) {
    OVgeometry *g = OVgeometry_newsphere(1, 224, 448, 0, 0); // about 100,000 polygons
    state.counters["polygons"] = OVgeometry_numpolys(g);
    for (auto _ : state) {
        OVgeometry_beginedit(g);
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
            OVp3 p;
            OVvertex_getposition(v, p);
            p[1] *= 1.0001f;
            OVgeometry_setvertexposition(g, v, p);
        }
        OVgeometry_endedit(g);
    }
    OVgeometry_delete(g);
}
BENCHMARK(BM_EditAllOf100kPolygons)->Unit(benchmark::kMillisecond);

} // namespace
