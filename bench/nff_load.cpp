// Text NFF load throughput: a 1,000,000-triangle model.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// A grid of 500 x 1000 quads split into triangles.
std::string write_model() {
    std::string path = (std::filesystem::temp_directory_path() / "orv_bench_1m.nff").string();
    if (std::filesystem::exists(path)) return path;
    std::FILE *f = std::fopen(path.c_str(), "w");
    const int nx = 501, ny = 1001;
    std::fprintf(f, "nff\ngrid\n%d\n", nx * ny);
    for (int y = 0; y < ny; ++y)
        for (int x = 0; x < nx; ++x)
            std::fprintf(f, "%d %d 0\n", x, y);
    std::fprintf(f, "%d\n", (nx - 1) * (ny - 1) * 2);
    for (int y = 0; y + 1 < ny; ++y)
        for (int x = 0; x + 1 < nx; ++x) {
            int a = y * nx + x, b = a + 1, c = a + nx, d = c + 1;
            std::fprintf(f, "3 %d %d %d 0xfff\n3 %d %d %d 0xfff\n", a, b, d, a, d, c);
        }
    std::fclose(f);
    return path;
}

int quiet(const char *) {
    return 0;
}

} // namespace

static void BM_LoadTextNff(benchmark::State &state) {
    std::string path = write_model();
    OVmessage_sethook(quiet);
    for (auto _ : state) {
        OVpq view;
        OVgeomlist *list =
            _OVgeometry_load(std::fopen(path.c_str(), "rb"), path.c_str(), OVFILE_NFF, &view, 1, 0);
        state.counters["polygons"] = OVgeometry_numpolys(_OVgeomlist_geometry(list));
        OVgeometry_delete(_OVgeomlist_geometry(list));
        _OVgeomlist_delete(list);
    }
    state.counters["MB/s"] = benchmark::Counter(
        static_cast<double>(std::filesystem::file_size(path)) * state.iterations() / 1e6,
        benchmark::Counter::kIsRate);
    OVmessage_sethook(nullptr);
}
BENCHMARK(BM_LoadTextNff)->Unit(benchmark::kMillisecond)->Iterations(2);
