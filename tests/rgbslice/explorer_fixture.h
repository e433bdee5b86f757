// The explorer's scene built in-process under a universe without windows.
#pragma once

#include "explorer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace rgbslice_test {

using namespace rgbslice;

inline std::vector<float> positions(OVgeometry *g) {
    std::vector<float> out;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVgeometry_getvertexposition(g, v, p);
        out.insert(out.end(), p, p + 3);
    }
    return out;
}

class ExplorerScene : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("OVMODELS", DATA_DIR, 0);
        OVuniverse_new(512, 0);
        State &s = state();
        s.root = OVuniverse_getrootnodes();
        s.viewpoint = OVuniverse_getviewpoints();
        build_scene();
        ASSERT_NE(s.font, nullptr);
    }
    void TearDown() override { OVuniverse_delete(); }

    // The label's glyphs are those of the text laid out afresh.
    void expect_label(Channel c, const char *text) {
        OVgeometry *expected = OVgeometry_newtext3d(state().font, text);
        ASSERT_NE(expected, nullptr);
        OVgeometry *label = OVnode_getgeometry(state().label_node[c]);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(positions(label), positions(expected)) << text;
        OVgeometry_delete(expected);
    }

    float translation(Channel c, int axis) {
        OVp3 t;
        OVnode_gettranslation(state().plane[c], t);
        return t[axis];
    }

    void set(Channel c, int v) {
        state().value[c] = static_cast<unsigned char>(v);
        channel_changed(c);
    }
};

} // namespace rgbslice_test
