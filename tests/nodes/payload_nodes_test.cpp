#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_internal.h"

#include <gtest/gtest.h>

namespace {

using PayloadNodes = SceneTest;

int drawn = 0;
void draw_one(OVnode *) {
    ++drawn;
}
void draw_other(OVnode *) {
    drawn += 10;
}

TEST_F(PayloadNodes, CallbackNodeData) {
    EXPECT_EQ(OVglnode_new(root, nullptr, 0), nullptr);
    EXPECT_EQ(OVglnode_new(OVxformnode_new(root), draw_one, 0), nullptr);
    OVnode *gl = OVglnode_new(root, draw_one, 6);
    ASSERT_NE(gl, nullptr);
    EXPECT_EQ(OVnode_gettype(gl), OVNODE_GL);
    EXPECT_EQ(OVglnode_getflags(gl), 7); // bit 0x01 forced on
    ASSERT_TRUE(OVglnode_setflags(gl, 2));
    EXPECT_EQ(OVglnode_getflags(gl), 2); // stored as given
    auto *data = static_cast<OVglnodedata *>(orv::scene::node_payload(gl));
    data->callback(gl);
    EXPECT_EQ(drawn, 1);
    EXPECT_FALSE(OVglnode_replacecallback(gl, nullptr));
    ASSERT_TRUE(OVglnode_replacecallback(gl, draw_other));
    data->callback(gl);
    EXPECT_EQ(drawn, 11);
    EXPECT_FALSE(OVglnode_setflags(OVsepnode_new(root), 1));
    EXPECT_TRUE(OVnode_enable(gl, 0));
    EXPECT_EQ(OVnode_isenabled(gl), 0);
}

TEST_F(PayloadNodes, MaterialNodeDefaults) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *m = orv::scene::new_material_node(sep);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MATERIAL);
    EXPECT_EQ(OVnode_getchild(sep, 0), m);
    auto *data = static_cast<OVmaterialdata *>(orv::scene::node_payload(m));
    EXPECT_EQ(data->mask, 0);
    EXPECT_FLOAT_EQ(data->diffuse[3], 1);
    EXPECT_FLOAT_EQ(data->diffuse[0], 0);
    EXPECT_FLOAT_EQ(data->shininess, 0);
    EXPECT_FLOAT_EQ(data->emission[2], 0);
    EXPECT_EQ(orv::scene::new_material_node(m), nullptr); // not a grouping node
    EXPECT_FLOAT_EQ(OVnode_getradius(sep), -1);           // materials have no bounds
}

} // namespace
