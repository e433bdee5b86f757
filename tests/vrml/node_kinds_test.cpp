// The scene writer's node kinds: lights, anchors, inlines, culling, movable
// nodes with attachments, object nodes, the camera and the material lists.
#include "vrml_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// The lines of the block that starts with the header line, up to its
// closing brace or bracket at the header's indentation.
std::vector<std::string> block(const std::string &text, const std::string &header) {
    std::vector<std::string> lines;
    const size_t at = text.find(header);
    if (at == std::string::npos) return lines;
    const size_t start = text.rfind('\n', at) + 1;
    const std::string indent = text.substr(start, at - start);
    std::istringstream in(text.substr(start));
    for (std::string l; std::getline(in, l);) {
        lines.push_back(l);
        if (l == indent + "}" || l == indent + "]") break;
    }
    return lines;
}

bool contains(const std::vector<std::string> &lines, const std::string &line) {
    for (const std::string &l : lines)
        if (l.find(line) != std::string::npos) return true;
    return false;
}

} // namespace

TEST_F(VrmlTest, LightsWriteTheirFields) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVsepnode_new(root);
    OVnode *directed = OVlightnode_newdirected(top);
    OVp3 down = {0, 1, 0};
    ASSERT_TRUE(OVlightnode_setdirection(directed, down));
    ASSERT_TRUE(OVnode_enable(directed, 0));
    OVnode *point = OVlightnode_newpoint(top);
    const OVp3 at = {1, 2, 3};
    ASSERT_TRUE(OVlightnode_setposition(point, at));
    ASSERT_TRUE(OVlightnode_setintensity(point, 0.5f));
    ASSERT_TRUE(OVlightnode_setdiffuse(point, 0.25f, 0.5f, 1));
    OVlightnode_newspot(top);
    const std::string text = save(root);
    std::vector<std::string> d = block(text, "DirectionalLight {");
    EXPECT_EQ(d.size(), 6u) << text;
    EXPECT_TRUE(contains(d, "  on FALSE"));
    EXPECT_TRUE(contains(d, "  direction -0.000000 -1.000000 -0.000000")); // negated
    EXPECT_FALSE(contains(d, "location"));
    std::vector<std::string> p = block(text, "PointLight {");
    EXPECT_EQ(p.size(), 5u) << text;
    EXPECT_TRUE(contains(p, "  location 1.000000 2.000000 3.000000"));
    EXPECT_TRUE(contains(p, "  intensity 0.500000"));
    EXPECT_TRUE(contains(p, "  color 0.250000 0.500000 1.000000"));
    EXPECT_FALSE(contains(p, "direction"));
    EXPECT_FALSE(contains(p, "on FALSE"));
    std::vector<std::string> s = block(text, "SpotLight {");
    EXPECT_TRUE(contains(s, "  location "));
    EXPECT_TRUE(contains(s, "  direction "));
    EXPECT_TRUE(contains(s, "  dropOffRate 0.000000"));
    EXPECT_TRUE(contains(s, "  cutOffAngle 0.392699")); // pi / 8 in radians
}

TEST_F(VrmlTest, AnchorsInlinesCullingAndSilentNodes) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVnode *anchor = OVanchornode_new(top);
    ASSERT_TRUE(OVanchornode_setlocation(anchor, "http://host/room.wrl"));
    OVnode_setname(OVgroupnode_new(anchor), "inside");
    OVnode *in = OVinlinenode_new(top);
    ASSERT_TRUE(OVinlinenode_setlocation(in, "other.wrl"));
    OVnode_setname(OVgroupnode_new(in), "hidden");
    OVnode *culled = OVsepnode_new(top);
    ASSERT_TRUE(OVsepnode_setcullmode(culled, 1));
    OVxformsepnode_new(top);
    OVfognode_new(top);
    const std::string text = save(root);
    EXPECT_TRUE(has_line(text, "WWWAnchor {"));
    EXPECT_TRUE(has_line(text, "name \"http://host/room.wrl\""));
    EXPECT_TRUE(has_line(text, "DEF inside Group {"));
    EXPECT_TRUE(has_line(text, "WWWInline {"));
    EXPECT_TRUE(has_line(text, "name \"other.wrl\""));
    EXPECT_EQ(text.find("hidden"), std::string::npos); // an inline's children are not written
    EXPECT_TRUE(has_line(text, "Separator { renderCulling OFF"));
    EXPECT_TRUE(has_line(text, "TransformSeparator {"));
    EXPECT_EQ(text.find("Fog"), std::string::npos);
    EXPECT_EQ(messages.find("Unknown node type"), std::string::npos) << messages;
}

TEST_F(VrmlTest, UnknownNodesAreReportedAndSkipped) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVglnode_new(
        top, [](OVnode *) {}, 0);
    OVnode_setname(OVgroupnode_new(top), "after");
    const std::string text = save(root);
    EXPECT_NE(messages.find("Unknown node type = 28\n"), std::string::npos) << messages;
    EXPECT_TRUE(has_line(text, "DEF after Group {"));
}

TEST_F(VrmlTest, MovableNodesWithAttachmentsAndMovableLights) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVnode *movable = OVmovsepnode_new(top);
    OVnode *attached = OVgroupnode_new(nullptr);
    OVnode_setname(attached, "rider");
    ASSERT_TRUE(OVmovnode_attach(movable, attached, -1));
    OVmovlightnode_newpoint(top);
    const std::string text = save(root);
    const std::vector<std::string> m = block(text, "Separator {\n    Info { string \"Moveable\"");
    const std::vector<std::string> want = {
        "  Separator {",
        "    Info { string \"Moveable\"} ",
        "    Translation { translation 0.000000 0.000000 0.000000}",
        "    Separator {",
        "      Info { string \"Attachment\"} ",
        "      Separator {",
        "      }",
        "      DEF rider Group {",
        "      }",
        "    }",
        "  }"};
    EXPECT_EQ(m, want) << text;
    const std::vector<std::string> light = block(text, "TransformSeparator {");
    ASSERT_GT(light.size(), 3u) << text;
    EXPECT_EQ(light[1], "    Info { string \"Moveable\"} ");
    EXPECT_TRUE(contains(light, "PointLight {"));
}

TEST_F(VrmlTest, CameraAndInitialBindingsFollowTheFirstNode) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVgeometrynode_new(top, OVgeometry_newblock(1, 1, 1, 0));
    OVviewpoint *eye = OVuniverse_getviewpoint();
    const OVp3 at = {1, 2, 3};
    OVviewpoint_setposition(eye, at);
    std::string text = save(root, eye);
    const size_t third = text.find('\n', text.find('\n') + 1) + 1;
    const std::string head = "Group {\n"
                             "  PerspectiveCamera {\n"
                             "    position 1.000000 2.000000 3.000000\n"
                             "    orientation 1.000000 0.000000 0.000000 3.141593\n"
                             "  }\n"
                             "  NormalBinding { value PER_FACE_INDEXED }\n"
                             "  MaterialBinding { value PER_FACE_INDEXED }\n"
                             "  ShapeHints {vertexOrdering COUNTERCLOCKWISE\n"
                             "  shapeType SOLID faceType CONVEX\n"
                             "  creaseAngle 0}\n"
                             "  Separator {\n";
    EXPECT_EQ(text.substr(third, head.size()), head) << text;
    EXPECT_EQ(text.find("PerspectiveCamera"), text.rfind("PerspectiveCamera"));
    // A geometry node first: the bindings inside its separator, no camera.
    text = save(OVnode_getchild(top, 0), eye);
    EXPECT_EQ(text.find("PerspectiveCamera"), std::string::npos);
    EXPECT_NE(text.find("Separator {\n  NormalBinding { value PER_FACE_INDEXED }\n"),
              std::string::npos)
        << text;
    // A light first: nothing at all.
    OVnode *light = OVlightnode_newpoint(top);
    text = save(light, eye);
    EXPECT_EQ(text.find("PerspectiveCamera"), std::string::npos);
    EXPECT_EQ(text.find("Binding"), std::string::npos);
}

TEST_F(VrmlTest, MaterialListsPerComponent) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVmtable *full = OVmtable_new(
        OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY, 2, nullptr);
    const float colour[3] = {0.25f, 0.5f, 0.75f}, shine = 64, opacity = 0.25f;
    const int e = OVmtable_newentry(full);
    for (int bit : {OVAMBIENT, OVDIFFUSE, OVSPECULAR, OVEMISSION})
        OVmtable_setvalue(full, e, colour, bit);
    OVmtable_setvalue(full, e, &shine, OVSHININESS);
    OVmtable_setvalue(full, e, &opacity, OVOPACITY);
    ASSERT_TRUE(OVgeometry_setmtable(g, full));
    OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), g);
    std::string text = save(OVuniverse_getrootnodes());
    for (const char *list : {"ambientColor [", "diffuseColor [", "emissiveColor [",
                             "specularColor [", "shininess [", "transparency ["}) {
        const std::vector<std::string> l = block(text, list);
        ASSERT_EQ(l.size(), 3u) << list << "\n" << text;
    }
    EXPECT_EQ(block(text, "shininess [")[1].substr(block(text, "shininess [")[1].find('0')),
              "0.500000"); // divided by 128
    EXPECT_EQ(block(text, "transparency [")[1].substr(block(text, "transparency [")[1].find('0')),
              "0.750000"); // 1 - opacity
    EXPECT_FALSE(has_line(text, "ambientColor [ 0 0 0]"));
    // Missing components are given as black; specular without shininess as 0.
    OVmtable *partial = OVmtable_new(OVDIFFUSE | OVSPECULAR, 2, nullptr);
    OVmtable_setvalue(partial, OVmtable_newentry(partial), colour, OVDIFFUSE);
    ASSERT_TRUE(OVgeometry_setmtable(g, partial));
    text = save(OVuniverse_getrootnodes());
    EXPECT_TRUE(has_line(text, "ambientColor [ 0 0 0]"));
    EXPECT_FALSE(has_line(text, "diffuseColor [ 0 0 0]"));
    EXPECT_TRUE(has_line(text, "shininess [0]"));
    EXPECT_TRUE(has_line(text, "diffuseColor ["));
}

TEST_F(VrmlTest, ObjectNodesWriteTheirTransformAndGeometry) {
    const std::string model = ::testing::TempDir() + "room" + std::to_string(getpid()) + ".nff";
    std::ofstream(model) << "nff\nfloor\n4\n0 0 0\n4 0 0\n4 0 6\n0 0 6\n1\n4 0 1 2 3 0xf00\n";
    ASSERT_TRUE(OVuniverse_load(model.c_str(), nullptr, 1.0f)) << messages;
    std::remove(model.c_str());
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_EQ(messages.find("Unknown node type"), std::string::npos) << messages;
    EXPECT_TRUE(has_line(text, "MatrixTransform { matrix")) << text;
    EXPECT_TRUE(has_line(text, "1.000000 0.000000 0.000000 0.0"));
    EXPECT_TRUE(has_line(text, "0.000000 0.000000 0.000000 1.0 }"));
    EXPECT_TRUE(has_line(text, "4.000000 0.000000 6.000000,"));
    EXPECT_TRUE(has_line(text, "IndexedFaceSet {"));
    EXPECT_LT(text.find("MatrixTransform"), text.find("Coordinate3"));
}
