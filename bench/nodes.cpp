// Scene-graph costs: building a large tree, building and deleting a scene of
// geometry nodes, renaming and finding by name, and refreshing cached bounds
// after one leaf moved (the changed marking keeps that to the path from the
// leaf up, compared here with a full recompute). Scenes are labelled by their
// node count.
#include "orv/orv.h"
#include "scene/node_record.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <vector>

namespace {

struct Universe {
    Universe() {
        OVmessage_setoutput(3, 0, nullptr); // no banner in the figures
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
    }
    ~Universe() { OVuniverse_delete(); }
    OVnode *root;
};

using Maker = OVnode *(*)(OVnode *parent);

// Nodes in breadth-first order, ten children each, `count` in all.
std::vector<OVnode *> tree(OVnode *parent, int count, Maker make = OVsepnode_new) {
    std::vector<OVnode *> nodes{make(parent)};
    for (size_t next = 0; static_cast<int>(nodes.size()) < count; ++next)
        for (int f = 0; f < 10 && static_cast<int>(nodes.size()) < count; ++f)
            nodes.push_back(make(nodes[next]));
    return nodes;
}

void BM_BuildTree(benchmark::State &state) {
    Universe u;
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<OVnode *> nodes = tree(u.root, count);
        benchmark::DoNotOptimize(nodes.back());
        state.PauseTiming();
        OVnode_delete(nodes.front());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BuildTree)->ArgName("nodes")->Arg(100000)->Unit(benchmark::kMillisecond);

double process_cpu_seconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

constexpr int kGeometriesPerSeparator = 10;

// A scene of `count` geometry nodes, ten to a separator, the separators under
// the root. The geometries are made beforehand: only the nodes are timed.
// Returns the processor time of building it.
double build_geometry_scene(int count) {
    std::vector<OVgeometry *> geometries(static_cast<size_t>(count));
    for (OVgeometry *&g : geometries)
        g = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *root = OVuniverse_getrootnodes();
    const double start = process_cpu_seconds();
    for (int i = 0; i < count; i += kGeometriesPerSeparator) {
        OVnode *separator = OVsepnode_new(root);
        for (int k = i; k < i + kGeometriesPerSeparator && k < count; ++k)
            OVgeometrynode_new(separator, geometries[static_cast<size_t>(k)]);
    }
    return process_cpu_seconds() - start;
}

// How a scene of geometry nodes is timed: its building, its deletion with the
// universe (fixed costs included: the universe's window context and pools go
// too), or the deletion of the root's children alone.
enum class SceneTiming { build, universe_delete, children_delete };

// Deletes the root's children, as the universe's deletion does first.
void delete_root_children() {
    OVnode *root = OVuniverse_getrootnodes();
    while (OVnode_getchild(root, 0))
        OVnode_deletechild(root, 0);
}

// Per-node costs of a scene of range(0) geometry nodes, each iteration's time
// its processor time.
void geometry_scene(benchmark::State &state, SceneTiming timing) {
    OVmessage_setoutput(3, 0, nullptr);
    const int count = static_cast<int>(state.range(0));
    // One untimed scene of the same size first, at every size: the first
    // fresh huge pages of a process can stall in the kernel's compaction
    // (several milliseconds a page), which says nothing of the scene's cost.
    OVuniverse_new(512, 0);
    build_geometry_scene(count);
    OVuniverse_delete();
    for (auto _ : state) {
        OVuniverse_new(512, 0);
        const double build = build_geometry_scene(count);
        const double start = process_cpu_seconds();
        if (timing == SceneTiming::children_delete)
            delete_root_children();
        else
            OVuniverse_delete();
        const double deletion = process_cpu_seconds() - start;
        if (timing == SceneTiming::children_delete) OVuniverse_delete();
        state.SetIterationTime(timing == SceneTiming::build ? build : deletion);
    }
    state.counters["per_node"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What every scene-size benchmark shares.
void scene_sizes(benchmark::internal::Benchmark *b) {
    b->ArgName("nodes")->UseManualTime()->Unit(benchmark::kMillisecond);
}

void BM_BuildGeometryNodes(benchmark::State &state) {
    geometry_scene(state, SceneTiming::build);
}
BENCHMARK(BM_BuildGeometryNodes)->Apply(scene_sizes)->Arg(1000)->Iterations(50);
BENCHMARK(BM_BuildGeometryNodes)->Apply(scene_sizes)->Arg(10000)->Iterations(10);
BENCHMARK(BM_BuildGeometryNodes)->Apply(scene_sizes)->Arg(100000)->Iterations(3);

void BM_DeleteGeometryNodes(benchmark::State &state) {
    geometry_scene(state, SceneTiming::universe_delete);
}
BENCHMARK(BM_DeleteGeometryNodes)->Apply(scene_sizes)->Arg(1000)->Iterations(50);
BENCHMARK(BM_DeleteGeometryNodes)->Apply(scene_sizes)->Arg(10000)->Iterations(10);
BENCHMARK(BM_DeleteGeometryNodes)->Apply(scene_sizes)->Arg(100000)->Iterations(3);

// The scene's nodes alone, without the universe's fixed costs, which make a
// small scene's per-node figure look dearer than it is.
void BM_DeleteGeometryScene(benchmark::State &state) {
    geometry_scene(state, SceneTiming::children_delete);
}
BENCHMARK(BM_DeleteGeometryScene)->Apply(scene_sizes)->Arg(1000)->Iterations(50);
BENCHMARK(BM_DeleteGeometryScene)->Apply(scene_sizes)->Arg(10000)->Iterations(10);
BENCHMARK(BM_DeleteGeometryScene)->Apply(scene_sizes)->Arg(100000)->Iterations(3);

// One rename and one lookup of the new name among `count` named nodes.
void BM_RenameAndFind(benchmark::State &state) {
    Universe u;
    const int count = static_cast<int>(state.range(0));
    std::vector<OVnode *> nodes = tree(u.root, count);
    for (int i = 0; i < count; ++i)
        OVnode_setname(nodes[i], ("node" + std::to_string(i)).c_str());
    std::vector<std::string> fresh;
    for (int i = 0; i < 1024; ++i)
        fresh.push_back("renamed" + std::to_string(i));
    size_t i = 0;
    for (auto _ : state) {
        const std::string &name = fresh[i % fresh.size()];
        OVnode_setname(nodes[(i * 7919) % nodes.size()], name.c_str());
        benchmark::DoNotOptimize(OVuniverse_findnode(name.c_str(), static_cast<int>(name.size())));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RenameAndFind)->ArgName("nodes")->Arg(100000);

struct BoundsScene {
    std::vector<OVnode *> groups;
    std::vector<OVnode *> leaf_xforms;
    int node_count;
};

void draw_nothing(OVnode *) {}

// Grouping nodes ten to a parent under a separator; each leaf holds an Xform
// and a unit box (a callback node's culling box: it enters the bounds like a
// geometry and costs nothing to make). Nine in ten grouping nodes are leaves,
// so `nodes` in all takes about nodes / 2.8 grouping nodes.
BoundsScene bounds_scene(OVnode *root, int nodes, Maker make) {
    BoundsScene s;
    OVnode *top = OVsepnode_new(root);
    s.groups = tree(top, nodes * 10 / 28, make);
    s.groups.insert(s.groups.begin(), top);
    const OVp3 lo = {-0.5f, -0.5f, -0.5f}, hi = {0.5f, 0.5f, 0.5f};
    for (OVnode *n : s.groups)
        if (OVnode_numchildren(n) == 0) {
            s.leaf_xforms.push_back(OVxformnode_new(n));
            OVglnode_setcullingbox(OVglnode_new(n, draw_nothing, 0), lo, hi);
        }
    s.node_count = static_cast<int>(s.groups.size() + 2 * s.leaf_xforms.size());
    OVnode_getradius(top);
    return s;
}

// range(0): nodes in all; range(1): 0 separators, 1 groups (whose
// transforms reach their later siblings, so their caches carry them too).
void BM_BoundsAfterOneLeafMoved(benchmark::State &state) {
    Universe u;
    BoundsScene s = bounds_scene(u.root, static_cast<int>(state.range(0)),
                                 state.range(1) ? OVgroupnode_new : OVsepnode_new);
    OVnode *top = s.groups.front();
    OVp3 t = {0, 0, 0};
    size_t i = 0;
    for (auto _ : state) {
        t[0] = static_cast<float>(i % 3);
        OVnode_settranslation(s.leaf_xforms[(i * 7919) % s.leaf_xforms.size()], t);
        benchmark::DoNotOptimize(OVnode_getradius(top));
        ++i;
    }
    state.counters["nodes"] = s.node_count;
}
BENCHMARK(BM_BoundsAfterOneLeafMoved)
    ->ArgNames({"nodes", "groups"})
    ->ArgsProduct({{2800, 10000, 28000, 280000}, {0, 1}});

// The same scene with every cache marked changed: the cost the marking saves.
void BM_BoundsFullRecompute(benchmark::State &state) {
    Universe u;
    BoundsScene s = bounds_scene(u.root, static_cast<int>(state.range(0)),
                                 state.range(1) ? OVgroupnode_new : OVsepnode_new);
    OVnode *top = s.groups.front();
    for (auto _ : state) {
        for (OVnode *n : s.groups)
            n->flags |= NODE_CHANGED;
        benchmark::DoNotOptimize(OVnode_getradius(top));
    }
    state.counters["nodes"] = s.node_count;
}
BENCHMARK(BM_BoundsFullRecompute)
    ->ArgNames({"nodes", "groups"})
    ->ArgsProduct({{10000, 28000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
