// The printed scene graph names every node type, movable forms included, and
// shows a movable node's content children and then its attachments.
#include "orv/light.h"
#include "scene_fixture.h"

#include <string>

namespace {

std::string g_printed;
int capture(const char *text) {
    g_printed += text;
    return 0;
}

void draw_nothing(OVnode *) {}

std::string printed(OVnode *node) {
    g_printed.clear();
    OVmessage_sethook(capture);
    OVnode_print(node);
    OVmessage_sethook(nullptr);
    return g_printed;
}

TEST_F(SceneTest, PrintNamesEveryType) {
    OVnode *top = OVsepnode_new(root);
    OVxformnode_new(top);
    OVlodnode_new(top);
    OVmovlodnode_new(top);
    OVswitchnode_new(top);
    OVmovswitchnode_new(top);
    OVgeometrynode_new(top, OVgeometry_newblock(1, 1, 1, 0));
    OVmovgeometrynode_new(top, OVgeometry_newblock(1, 1, 1, 0));
    OVgroupnode_new(top);
    OVlightnode_newpoint(top);
    OVmovlightnode_newspot(top);
    OVlightnode_newambient(top);
    OVanchornode_new(top);
    OVinlinenode_new(top);
    OVxformsepnode_new(top);
    OVfognode_new(top);
    OVglnode_new(top, draw_nothing, 0);
    EXPECT_EQ(printed(top), "Depth 0 Separator  \"None\"\n"
                            "  Depth 1 Xform      \"None\"\n"
                            "  Depth 1 Lod        \"None\"\n"
                            "  Depth 1 MLod       \"None\"\n"
                            "  Depth 1 Switch     \"None\"\n"
                            "  Depth 1 MSwitch    \"None\"\n"
                            "  Depth 1 Geometry   \"None\"\n"
                            "  Depth 1 MGeometry  \"None\"\n"
                            "  Depth 1 Group      \"None\"\n"
                            "  Depth 1 Light      \"None\"\n"
                            "  Depth 1 MLight     \"None\"\n"
                            "  Depth 1 Light      \"None\"\n"
                            "  Depth 1 Anchor     \"None\"\n"
                            "  Depth 1 Inline     \"None\"\n"
                            "  Depth 1 Xformsep   \"None\"\n"
                            "  Depth 1 Fog        \"None\"\n"
                            "  Depth 1 GL\t     \"None\"\n");
}

TEST_F(SceneTest, PrintShowsAMovablesContentThenItsAttachments) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode_setname(m, "carrier");
    OVnode_setname(OVgroupnode_new(m), "load");
    OVnode *tag = OVgroupnode_new(nullptr);
    OVnode_setname(tag, "tag");
    OVgroupnode_new(tag);
    ASSERT_TRUE(OVmovnode_attach(m, tag, -1));
    EXPECT_EQ(printed(m), "Depth 0 MSeparator \"carrier\"\n"
                          "  Depth 1 Group      \"load\"\n"
                          "  Depth 1 Group      \"tag\"\n"
                          "    Depth 2 Group      \"None\"\n");
}

} // namespace
