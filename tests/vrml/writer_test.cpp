// The scene writer's text: header, nodes, DEF and USE, names, geometry.
#include "vrml_fixture.h"

#include <regex>

namespace {

OVgeometry *box(float size = 1) {
    return OVgeometry_newblock(size, size, size, 0);
}

} // namespace

TEST_F(VrmlTest, HeaderAndARootsSingleSeparatorAsTheOutermostNode) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *sep = OVsepnode_new(root);
    OVgeometrynode_new(sep, box());
    const std::string text = save(root);
    EXPECT_EQ(text.rfind("#VRML V1.0 ascii\n# ", 0), 0u);
    const size_t third = text.find('\n', text.find('\n') + 1) + 1;
    EXPECT_EQ(text.substr(third, 12), "Separator {\n");
    EXPECT_EQ(text.substr(text.size() - 2), "}\n");
    // The initial bindings follow the first node, one level deeper.
    EXPECT_NE(text.find("Separator {\n  NormalBinding { value PER_FACE_INDEXED }\n"),
              std::string::npos);
}

TEST_F(VrmlTest, NodeUnderTwoSeparatorsIsWrittenOnceThenUsed) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *a = OVsepnode_new(root);
    OVnode *b = OVsepnode_new(root);
    OVnode *shared = OVgeometrynode_new(a, box());
    ASSERT_TRUE(OVnode_addchild(b, shared));
    const std::string text = save(root);
    std::smatch def;
    ASSERT_TRUE(std::regex_search(text, def, std::regex("DEF (Node[0-9]+) Separator \\{")));
    EXPECT_NE(text.find("USE " + def[1].str() + "\n"), std::string::npos);
    EXPECT_EQ(text.find("Coordinate3"), text.rfind("Coordinate3")); // written in full once
}

TEST_F(VrmlTest, SharedAndInvalidNamesBecomeValidUniqueNames) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *first = OVsepnode_new(root);
    OVnode *second = OVsepnode_new(root);
    OVnode_setname(first, "box");
    OVnode_setname(second, "box");
    OVnode_setname(OVgroupnode_new(first), "my box{1}");
    OVnode_setname(OVgroupnode_new(second), "2fast");
    const std::string text = save(root);
    // The last of the two boxes in depth-first order keeps the name.
    EXPECT_EQ(text.find("DEF box "), text.rfind("DEF box "));
    EXPECT_GT(text.find("DEF box "), text.find("DEF Node"));
    EXPECT_NE(text.find("DEF my_box_1_ Group {"), std::string::npos);
    EXPECT_NE(text.find("DEF _2fast Group {"), std::string::npos);
    // Names are the file's own: the nodes keep theirs.
    EXPECT_STREQ(OVnode_getname(first), "box");
}

TEST_F(VrmlTest, SwitchLodAndSpotLightFields) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVgroupnode_new(root);
    OVnode *sw = OVswitchnode_new(top);
    for (int i = 0; i < 3; ++i)
        OVgroupnode_new(sw);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, 2));
    OVnode *lod = OVlodnode_new(top);
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    OVnode *spot = OVlightnode_newspot(top);
    ASSERT_TRUE(OVlightnode_setexponent(spot, 64));
    const std::string text = save(root);
    EXPECT_TRUE(has_line(text, "Switch { whichChild 2"));
    EXPECT_TRUE(has_line(text, "range [10.000000,20.000000]"));
    EXPECT_TRUE(has_line(text, "dropOffRate 0.500000"));
    EXPECT_TRUE(has_line(text, "SpotLight {"));
}

TEST_F(VrmlTest, TransformsAreTranslationsOrMatrices) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVsepnode_new(root);
    OVnode *shift = OVxformnode_new(top);
    const OVp3 t = {1, 2, 3};
    OVnode_settranslation(shift, t);
    OVnode *turn = OVxformnode_new(top);
    OVnode_rotateaxis(turn, 2, 90, 0);
    const std::string text = save(root);
    EXPECT_TRUE(has_line(text, "Translation { translation 1.000000 2.000000 3.000000}"));
    EXPECT_TRUE(has_line(text, "MatrixTransform { matrix"));
    EXPECT_TRUE(has_line(text, "0.000000 0.000000 1.000000 0.0"));
}

// A turn by nothing still marks the transform as turned: the matrix is written.
TEST_F(VrmlTest, ATransformKindWithARotationPartWritesTheMatrix) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *top = OVsepnode_new(root);
    OVnode *turn = OVxformnode_new(top);
    ASSERT_TRUE(OVnode_rotateaxis(turn, 1, 0, 0));
    const OVp3 t = {4, 5, 6};
    OVnode_translate(turn, t, 3);
    const std::string text = save(root);
    EXPECT_TRUE(has_line(text, "MatrixTransform { matrix")) << text;
    EXPECT_TRUE(has_line(text, "1.000000 0.000000 0.000000 0.0"));
    EXPECT_TRUE(has_line(text, "4.000000 5.000000 6.000000 1.0 }"));
    EXPECT_EQ(text.find("Translation {"), std::string::npos);
}

TEST_F(VrmlTest, VertexColoursBindPerVertexBeforeTheirFaceSet) {
    OVnode *root = OVuniverse_getrootnodes();
    OVgeometry *block = box();
    OVgeometry_beginedit(block);
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(block); v; v = OVvertex_next(v), ++i)
        OVgeometry_setvertexrgb(block, v, i & 1 ? 255 : 0, i & 2 ? 255 : 0, i & 4 ? 255 : 0);
    OVgeometry_endedit(block);
    OVgeometrynode_new(OVsepnode_new(root), block);
    const std::string text = save(root);
    const size_t binding = text.find("MaterialBinding { value PER_VERTEX_INDEXED }");
    ASSERT_NE(binding, std::string::npos);
    EXPECT_LT(binding, text.find("IndexedFaceSet {"));
    // Every polygon's terminator stands apart from the index before it.
    EXPECT_FALSE(std::regex_search(text, std::regex("[0-9]-1")));
}

TEST_F(VrmlTest, MovableNodesWriteTheirTransformAndContent) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *movable = OVmovgeometrynode_new(root, box());
    const OVp3 t = {0, 5, 0};
    OVnode_settranslation(movable, t);
    OVnode_setname(movable, "mover");
    const std::string text = save(root);
    EXPECT_NE(text.find("DEF mover Separator {"), std::string::npos);
    EXPECT_TRUE(has_line(text, "Info { string \"Moveable\"} "));
    EXPECT_TRUE(has_line(text, "Translation { translation 0.000000 5.000000 0.000000}"));
    EXPECT_TRUE(has_line(text, "Coordinate3 { point ["));
}

TEST_F(VrmlTest, GeometryInfoNamesTheGeometry) {
    OVgeometry *block = box();
    OVgeometry_setname(block, "crate");
    OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), block);
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_TRUE(has_line(text, "Info { string \" glom name crate\" }"));
}

TEST_F(VrmlTest, AFullDiskIsAFailedSave) {
    OVnode *root = OVuniverse_getrootnodes();
    OVgeometrynode_new(OVsepnode_new(root), OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_FALSE(OVnode_save(root, "/dev/full", nullptr, OVFILE_VRML1, 0));
}
