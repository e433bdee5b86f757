// A universe without windows, a traversal state looking down -Z with a
// 90-degree view volume from 1 to 100, and helpers to build and read scenes.
#pragma once

#include "orv/orv.h"
#include "scene/traversal_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace travtest {

using orv::scene::Entry;
using orv::scene::TraversalState;

struct Item {
    int kind;
    void *item;
    int matrix;
    bool operator==(const Item &o) const {
        return kind == o.kind && item == o.item && matrix == o.matrix;
    }
};

inline void *slot_item(int slot) {
    return reinterpret_cast<void *>(static_cast<std::intptr_t>(slot));
}

class Traversal : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
        state = static_cast<TraversalState *>(_OVnode_newstate());
        state->near_distance = 1;
        state->far_distance = 100;
        const float h = 0.70710678f;
        const float planes[4][3] = {{h, 0, -h}, {-h, 0, -h}, {0, h, -h}, {0, -h, -h}};
        for (int p = 0; p < 4; ++p) {
            for (int j = 0; j < 3; ++j)
                state->side_planes[p][j] = planes[p][j];
            state->side_offsets[p] = 0;
        }
    }
    void TearDown() override {
        _OVnode_deletestate(state);
        OVuniverse_delete();
    }

    void collect(OVnode *from = nullptr) {
        _OVnode_initstate(state);
        orv::scene::collect(from ? from : root, state);
    }

    static std::vector<Item> items(const Entry *list, int count) {
        std::vector<Item> out;
        for (int i = 0; i < count; ++i)
            out.push_back({list[i].kind(), list[i].item, list[i].matrix()});
        return out;
    }
    std::vector<Item> opaque() const { return items(state->opaque, state->opaque_count); }
    std::vector<Item> transparent() const {
        return items(state->transparent, state->transparent_count);
    }
    static std::vector<int> kinds(const std::vector<Item> &list) {
        std::vector<int> out;
        for (const Item &i : list)
            out.push_back(i.kind);
        return out;
    }

    // A unit block, translated by an Xform node in front of it.
    static OVnode *block_at(OVnode *parent, float x, float y, float z) {
        OVnode *xform = OVxformnode_new(parent);
        const OVp3 t = {x, y, z};
        OVnode_settranslation(xform, t);
        return OVgeometrynode_new(parent, OVgeometry_newblock(1, 1, 1, 0));
    }
    // A separator holding a unit block at the point.
    static OVnode *separated_block(OVnode *parent, float x, float y, float z) {
        OVnode *sep = OVsepnode_new(parent);
        block_at(sep, x, y, z);
        return sep;
    }

    OVnode *root = nullptr;
    TraversalState *state = nullptr;
};

} // namespace travtest
