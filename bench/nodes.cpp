// Scene-graph costs: building a large tree, renaming and finding by name, and
// refreshing cached bounds after one leaf moved (the changed marking keeps
// that to the path from the leaf up, compared here with a full recompute).
#include "orv/orv.h"
#include "scene/node_record.h"

#include <benchmark/benchmark.h>

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

// Separators in breadth-first order, ten children each, `count` in all.
std::vector<OVnode *> separator_tree(OVnode *parent, int count) {
    std::vector<OVnode *> nodes{OVsepnode_new(parent)};
    for (size_t next = 0; static_cast<int>(nodes.size()) < count; ++next)
        for (int f = 0; f < 10 && static_cast<int>(nodes.size()) < count; ++f)
            nodes.push_back(OVsepnode_new(nodes[next]));
    return nodes;
}

void BM_BuildTree(benchmark::State &state) {
    Universe u;
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<OVnode *> nodes = separator_tree(u.root, count);
        benchmark::DoNotOptimize(nodes.back());
        state.PauseTiming();
        OVnode_delete(nodes.front());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_BuildTree)->Arg(100000)->Unit(benchmark::kMillisecond);

// One rename and one lookup of the new name among `count` named nodes.
void BM_RenameAndFind(benchmark::State &state) {
    Universe u;
    const int count = static_cast<int>(state.range(0));
    std::vector<OVnode *> nodes = separator_tree(u.root, count);
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
BENCHMARK(BM_RenameAndFind)->Arg(100000);

struct BoundsScene {
    std::vector<OVnode *> separators;
    std::vector<OVnode *> leaf_xforms;
    int node_count;
};

void draw_nothing(OVnode *) {}

// Separators ten to a parent; each leaf separator holds an Xform and a unit
// box (a callback node's culling box: it enters the bounds like a geometry
// and costs nothing to make).
BoundsScene bounds_scene(OVnode *root, int separators) {
    BoundsScene s;
    s.separators = separator_tree(root, separators);
    const OVp3 lo = {-0.5f, -0.5f, -0.5f}, hi = {0.5f, 0.5f, 0.5f};
    for (OVnode *n : s.separators)
        if (OVnode_numchildren(n) == 0) {
            s.leaf_xforms.push_back(OVxformnode_new(n));
            OVglnode_setcullingbox(OVglnode_new(n, draw_nothing, 0), lo, hi);
        }
    s.node_count = static_cast<int>(s.separators.size() + 2 * s.leaf_xforms.size());
    OVnode_getradius(s.separators.front());
    return s;
}

void BM_BoundsAfterOneLeafMoved(benchmark::State &state) {
    Universe u;
    BoundsScene s = bounds_scene(u.root, static_cast<int>(state.range(0)));
    OVnode *top = s.separators.front();
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
BENCHMARK(BM_BoundsAfterOneLeafMoved)->Arg(1000)->Arg(3600)->Arg(10000)->Arg(100000);

// The same scene with every cache marked changed: the cost the marking saves.
void BM_BoundsFullRecompute(benchmark::State &state) {
    Universe u;
    BoundsScene s = bounds_scene(u.root, static_cast<int>(state.range(0)));
    OVnode *top = s.separators.front();
    for (auto _ : state) {
        for (OVnode *n : s.separators)
            n->flags |= NODE_CHANGED;
        benchmark::DoNotOptimize(OVnode_getradius(top));
    }
    state.counters["nodes"] = s.node_count;
}
BENCHMARK(BM_BoundsFullRecompute)->Arg(3600)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
