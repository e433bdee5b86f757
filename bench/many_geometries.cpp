// Loads that must grow linearly with what they hold: a model file of many
// geometries read through OVnode_load and through OVfont3d_load, and the
// printout of a deep chain of nodes. Each runs at two sizes a factor of ten
// apart, so that the ratio of their times shows the growth; the goal is
// 100,000 geometries in under a second.
#include "orv/orv.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

int quiet(const char *) {
    return 0;
}

// A file of count one-triangle geometries, "char65" first so that it is also
// a 3D font (the others are non-character objects, reported once).
std::string model_file(int count) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("orv_many_" + std::to_string(::getpid()) + "_" + std::to_string(count) + ".nff"))
            .string();
    std::ofstream out(path, std::ios::binary);
    out << "nff distinct\n";
    for (int i = 0; i < count; ++i)
        out << (i ? "g" + std::to_string(i) : std::string("char65"))
            << "\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 0xf00\n";
    return path;
}

constexpr int message_channels = 4;

// Messages (warnings, printouts) are made in full but written nowhere.
void start_universe() {
    static std::FILE *nowhere = std::fopen("/dev/null", "w");
    OVmessage_sethook(quiet);
    OVuniverse_new(512, 0);
    for (int channel = 1; channel <= message_channels; ++channel)
        OVmessage_setoutput(channel, 2, nowhere);
}

void end_universe() {
    OVuniverse_delete();
    for (int channel = 1; channel <= message_channels; ++channel)
        OVmessage_setoutput(channel, 1, nullptr);
    OVmessage_sethook(nullptr);
}

void BM_NodeLoadGeometries(benchmark::State &state) {
    const std::string path = model_file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming(); // making and deleting the universe is not the load
        start_universe();
        OVnode *group = OVsepnode_new(OVuniverse_getrootnodes());
        state.ResumeTiming();
        benchmark::DoNotOptimize(OVnode_load(group, path.c_str(), 1.0f));
        state.PauseTiming();
        end_universe();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NodeLoadGeometries)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_Font3dLoadGeometries(benchmark::State &state) {
    const std::string path = model_file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        start_universe();
        state.ResumeTiming();
        OVfont3d *font = OVfont3d_load(path.c_str());
        benchmark::DoNotOptimize(font);
        state.PauseTiming();
        OVfont3d_delete(font);
        end_universe();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Font3dLoadGeometries)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The printout of a chain depth nodes deep, one line per node.
void BM_PrintDeepChain(benchmark::State &state) {
    start_universe();
    OVnode *top = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *last = top;
    for (int i = 1; i < state.range(0); ++i)
        last = OVsepnode_new(last);
    for (auto _ : state)
        OVnode_print(top);
    end_universe();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PrintDeepChain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
