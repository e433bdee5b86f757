#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using NodeProperties = SceneTest;

void hear(void *, const char *name, void *, double) {
    NodeProperties::heard.push_back(name);
}

OVvalue int_value(int i) {
    OVvalue v = OVvalue_new(OVINT);
    v.v.i = i;
    return v;
}

OVvalue text_value(const char *text) {
    OVvalue v = OVvalue_new(OVSTRING);
    v.v.s = OVstrdup(text);
    return v;
}

TEST_F(NodeProperties, ActiveChildByType) {
    OVnode *s = OVswitchnode_new(root);
    OVgroupnode_new(s);
    OVgroupnode_new(s);
    OVvalue wrong = OVvalue_new(OVFLOAT);
    wrong.v.f = 1;
    EXPECT_FALSE(OVproperty_set(s, "Active Child", &wrong));
    OVvalue one = int_value(1);
    ASSERT_TRUE(OVproperty_set(s, "Active Child", &one));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), 1);
    OVvalue back = OVproperty_get(s, "Active Child");
    EXPECT_EQ(back.type, OVINT);
    EXPECT_EQ(back.v.i, 1);
    // The class's row names the property on every node; a separator refuses it.
    OVnode *sep = OVsepnode_new(root);
    EXPECT_EQ(OVproperty_gettype(sep, "Active Child"), OVINT);
    OVvalue two = int_value(2);
    EXPECT_FALSE(OVproperty_set(sep, "Active Child", &two));
    EXPECT_EQ(OVproperty_get(sep, "Active Child").type, OVNOPROPERTY);
}

TEST_F(NodeProperties, TransformRowsOnXformAndMovableNodes) {
    OVnode *m = OVmovsepnode_new(root);
    OVvalue t = OVvalue_new(OVP3);
    t.v.p3[0] = 3;
    ASSERT_TRUE(OVproperty_set(m, "Translation", &t));
    OVp3 p;
    OVnode_gettranslation(m, p);
    EXPECT_FLOAT_EQ(p[0], 3);
    OVvalue r = OVproperty_get(m, "Rotation");
    EXPECT_EQ(r.type, OVM3);
    EXPECT_FLOAT_EQ(r.v.m3[1][1], 1);
    OVnode *group = OVgroupnode_new(root);
    EXPECT_EQ(OVproperty_gettype(group, "Translation"), OVP3);
    OVvalue again = OVvalue_new(OVP3);
    EXPECT_FALSE(OVproperty_set(group, "Translation", &again));
    EXPECT_EQ(OVproperty_get(group, "Translation").type, OVNOPROPERTY);
    EXPECT_EQ(OVproperty_gettype(OVxformnode_new(root), "Rotation"), OVM3);
}

TEST_F(NodeProperties, TextRowsRoundTrip) {
    OVnode *lod = OVlodnode_new(root);
    OVvalue ranges = text_value("10 20");
    ASSERT_TRUE(OVproperty_set(lod, "Ranges", &ranges));
    OVvalue_free(&ranges);
    OVvalue back = OVproperty_get(lod, "Ranges");
    EXPECT_STREQ(back.v.s, "10.000000,20.000000");
    OVvalue_free(&back);

    OVnode *anchor = OVanchornode_new(root);
    OVvalue url = text_value("http://example.invalid/x");
    ASSERT_TRUE(OVproperty_set(anchor, "URL", &url));
    OVvalue_free(&url);
    EXPECT_STREQ(OVanchornode_getlocation(anchor), "http://example.invalid/x");

    OVnode *sep = OVsepnode_new(root);
    OVnode *a = OVgroupnode_new(nullptr);
    OVnode_setname(a, "a");
    OVvalue names = text_value("a");
    ASSERT_TRUE(OVproperty_set(sep, "Children", &names));
    OVvalue_free(&names);
    EXPECT_EQ(OVnode_getchild(sep, 0), a);
    back = OVproperty_get(sep, "Children");
    EXPECT_STREQ(back.v.s, "a");
    OVvalue_free(&back);
}

TEST_F(NodeProperties, AttachmentsByName) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *a = OVgroupnode_new(nullptr), *b = OVgroupnode_new(nullptr);
    OVnode_setname(a, "a");
    OVnode_setname(b, "b");
    ASSERT_TRUE(OVproperty_addhandler(m, "MvAt", hear));
    OVvalue names = text_value("a,b");
    ASSERT_TRUE(OVproperty_set(m, "MvAt", &names));
    OVvalue_free(&names);
    EXPECT_EQ(OVmovnode_numattachments(m), 2);
    OVvalue back = OVproperty_get(m, "MvAt");
    EXPECT_STREQ(back.v.s, "a,b");
    OVvalue_free(&back);
    names = text_value("b");
    ASSERT_TRUE(OVproperty_set(m, "MvAt", &names));
    OVvalue_free(&names);
    EXPECT_EQ(OVmovnode_numattachments(m), 1);
    EXPECT_EQ(OVmovnode_getattachment(m, 0), b);
    _OVevent_pass();
    EXPECT_EQ(heard.size(), 2u); // one event per set
    OVnode *plain = OVsepnode_new(root);
    EXPECT_EQ(OVproperty_gettype(plain, "MvAt"), OVSTRING);
    names = text_value("a");
    EXPECT_FALSE(OVproperty_set(plain, "MvAt", &names));
    EXPECT_EQ(OVproperty_get(plain, "MvAt").type, OVNOPROPERTY);
}

TEST_F(NodeProperties, SettersTellTheirHandlers) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *lod = OVlodnode_new(root);
    OVnode *in = OVinlinenode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVproperty_addhandler(sep, "SeCu", hear));
    ASSERT_TRUE(OVproperty_addhandler(sep, "BoundingBox", hear));
    ASSERT_TRUE(OVproperty_addhandler(lod, "LoCe", hear));
    ASSERT_TRUE(OVproperty_addhandler(in, "Location", hear));
    OVnode_enable(sep, 0);
    OVsepnode_setcullmode(sep, 2);
    EXPECT_FALSE(OVsepnode_setcullmode(sep, 4));
    OVnode_boundingbox(sep, 1);
    const OVp3 c = {1, 1, 1};
    OVlodnode_setcenter(lod, c);
    OVinlinenode_setlocation(in, "x.nff");
    _OVevent_pass();
    EXPECT_EQ(heard,
              (std::vector<std::string>{"Enabled", "SeCu", "BoundingBox", "LoCe", "Location"}));
    OVvalue cull = OVproperty_get(sep, "SeCu");
    EXPECT_EQ(cull.v.i, 2);
    OVvalue box = OVproperty_get(sep, "BoundingBox");
    EXPECT_EQ(box.v.i, 1);
}

} // namespace
