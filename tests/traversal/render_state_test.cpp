// Material, fog and ambient entries and what the end of a separator restores.
#include "orv/mtable.h"
#include "scene/node_internal.h"
#include "traversal_fixture.h"

namespace travtest {
namespace {

using namespace orv::scene;

OVnode *material_node(OVnode *parent, int mask, float r, float g, float b) {
    OVnode *n = new_material_node(parent);
    auto *m = static_cast<OVmaterialdata *>(orv::scene::node_payload(n));
    m->mask = mask;
    m->diffuse[0] = m->specular[0] = r;
    m->diffuse[1] = m->specular[1] = g;
    m->diffuse[2] = m->specular[2] = b;
    return n;
}

// A block without a material table: it sets no material values itself.
OVnode *plain_block(OVnode *parent) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_TRUE(OVgeometry_setmtable(g, nullptr));
    return OVgeometrynode_new(parent, g);
}

// A block whose material table sets the diffuse colour of every polygon.
OVnode *coloured_block(OVnode *parent, float opacity) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVmtable *t = OVmtable_new(OVDIFFUSE | OVOPACITY, 4, nullptr);
    const OVp3 red = {1, 0, 0};
    const int id = OVmtable_matchcoloralpha(t, red, opacity);
    EXPECT_TRUE(OVgeometry_setmtable(g, t));
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        EXPECT_TRUE(OVpoly_setmatid(p, id));
    return OVgeometrynode_new(parent, g);
}

const MaterialRecord &material_of(const Item &item) {
    return *static_cast<const MaterialRecord *>(item.item);
}

class RenderState : public Traversal {
  protected:
    void SetUp() override {
        Traversal::SetUp();
        // Everything below sits in front of the eye.
        const OVp3 t = {0, 0, -10};
        OVnode_settranslation(OVxformnode_new(root), t);
    }
};

TEST_F(RenderState, PendingMaterialGoesToGeometriesThatDoNotSetItThemselves) {
    material_node(root, 0x02, 1, 0, 0);
    OVnode *b = plain_block(root);
    OVnode *a = coloured_block(root, 1);
    OVnode *b2 = plain_block(root);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_MATERIAL, ENTRY_GEOMETRY, ENTRY_GEOMETRY,
                                          ENTRY_MATERIAL, ENTRY_GEOMETRY}));
    EXPECT_EQ(material_of(o[0]).mask, 0x02);
    EXPECT_FLOAT_EQ(material_of(o[0]).diffuse[0], 1);
    EXPECT_FLOAT_EQ(material_of(o[0]).diffuse[1], 0);
    EXPECT_EQ(o[1].item, b);
    EXPECT_EQ(o[2].item, a);
    // The coloured block left its own diffuse colour and opacity behind.
    EXPECT_EQ(material_of(o[3]).mask, 0x42);
    EXPECT_FLOAT_EQ(material_of(o[3]).diffuse[0], 1);
    EXPECT_FLOAT_EQ(material_of(o[3]).diffuse[3], 1);
    EXPECT_EQ(o[4].item, b2);
    EXPECT_EQ(o[3].matrix, o[4].matrix);
    EXPECT_TRUE(transparent().empty());
}

TEST_F(RenderState, TheDefaultTableSetsAmbientDiffuseAndOpacity) {
    material_node(root, 0x02 | 0x04, 1, 1, 1);
    OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    plain_block(root);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o),
              (std::vector<int>{ENTRY_MATERIAL, ENTRY_GEOMETRY, ENTRY_MATERIAL, ENTRY_GEOMETRY}));
    EXPECT_EQ(material_of(o[0]).mask, 0x04);
    EXPECT_EQ(material_of(o[2]).mask, 0x01 | 0x02 | 0x40);
}

TEST_F(RenderState, TranslucentPolygonsGoToTheTransparentList) {
    material_node(root, 0x02, 0, 1, 0);
    OVnode *glass = coloured_block(root, 0.5f);
    OVnode *after = plain_block(root);
    collect();
    std::vector<Item> o = opaque(), t = transparent();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_MATERIAL, ENTRY_GEOMETRY}));
    EXPECT_EQ(o[1].item, after);
    // The transparent list owes the level's diffuse only after the glass.
    ASSERT_EQ(kinds(t), (std::vector<int>{ENTRY_GEOMETRY}));
    EXPECT_EQ(t[0].item, glass);
}

TEST_F(RenderState, MaterialInsideASeparatorIsUndoneForTheNextGeometry) {
    OVnode *sep = OVsepnode_new(root);
    material_node(sep, 0x04, 0.5f, 0.5f, 0.5f);
    OVnode *inside = plain_block(sep);
    OVnode *outside = plain_block(root);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o),
              (std::vector<int>{ENTRY_MATERIAL, ENTRY_GEOMETRY, ENTRY_MATERIAL, ENTRY_GEOMETRY}));
    EXPECT_FLOAT_EQ(material_of(o[0]).specular[0], 0.5f);
    EXPECT_EQ(o[1].item, inside);
    EXPECT_EQ(material_of(o[2]).mask, 0x04);
    EXPECT_FLOAT_EQ(material_of(o[2]).specular[0], 0); // the outer default
    EXPECT_EQ(o[3].item, outside);
}

TEST_F(RenderState, MaterialAlphaAndShininessReachTheNextPlainGeometry) {
    OVnode *m = material_node(root, 0x40 | 0x08 | 0x10, 0, 0, 0);
    auto *data = static_cast<OVmaterialdata *>(node_payload(m));
    data->diffuse[3] = 0.25f;
    data->shininess = 12;
    data->emission[1] = 0.5f;
    plain_block(root);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_MATERIAL, ENTRY_GEOMETRY}));
    const MaterialRecord &r = material_of(o[0]);
    EXPECT_EQ(r.mask, 0x40 | 0x08 | 0x10);
    EXPECT_FLOAT_EQ(r.alpha, 0.25f);
    EXPECT_FLOAT_EQ(r.diffuse[3], 0.25f);
    EXPECT_FLOAT_EQ(r.shininess, 12);
    EXPECT_FLOAT_EQ(r.emission[1], 0.5f);
    EXPECT_FLOAT_EQ(r.diffuse[0], 0); // not in the mask: the level's default
}

TEST_F(RenderState, FogAndAmbientAreRestoredAtTheEndOfTheSeparator) {
    OVnode *outer_fog = OVfognode_new(root);
    ASSERT_TRUE(OVfognode_setrange(outer_fog, 50));
    OVnode *sep = OVsepnode_new(root);
    OVnode *inner_fog = OVfognode_new(sep);
    ASSERT_TRUE(OVfognode_setmode(inner_fog, 1));
    ASSERT_TRUE(OVfognode_setcolor(inner_fog, 0.25f, 0.5f, 0.75f, 1));
    OVlightnode_newambient(sep);
    plain_block(sep);
    plain_block(root);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_FOG, ENTRY_FOG, ENTRY_AMBIENT, ENTRY_GEOMETRY,
                                          ENTRY_AMBIENT, ENTRY_FOG, ENTRY_GEOMETRY}));
    const auto *f0 = static_cast<const FogRecord *>(o[0].item);
    const auto *f1 = static_cast<const FogRecord *>(o[1].item);
    ASSERT_NE(f0, nullptr);
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f0->mode, 0);
    EXPECT_FLOAT_EQ(f0->end, 50);
    EXPECT_EQ(f1->mode, 1);
    EXPECT_FLOAT_EQ(f1->end, 100); // range 0: the far distance
    EXPECT_FLOAT_EQ(f1->color[2], 0.75f);
    const auto *a = static_cast<const AmbientRecord *>(o[2].item);
    ASSERT_NE(a, nullptr);
    EXPECT_FLOAT_EQ(a->rgba[0], 0.4f);
    EXPECT_FLOAT_EQ(a->rgba[3], 1);
    EXPECT_EQ(o[4].item, nullptr); // back to the global ambient
    EXPECT_EQ(o[5].item, f0);
    EXPECT_EQ(kinds(transparent()),
              (std::vector<int>{ENTRY_FOG, ENTRY_FOG, ENTRY_AMBIENT, ENTRY_AMBIENT, ENTRY_FOG}));
}

TEST_F(RenderState, FogModeMinusOneSwitchesFogOffForTheRestOfTheSeparator) {
    ASSERT_NE(OVfognode_new(root), nullptr);
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVfognode_setmode(OVfognode_new(sep), -1));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_FOG, ENTRY_FOG, ENTRY_FOG}));
    EXPECT_NE(o[0].item, nullptr);
    EXPECT_EQ(o[1].item, nullptr);
    EXPECT_EQ(o[2].item, o[0].item);
}

TEST_F(RenderState, UnchangedFogAndAmbientNeedNoRestoring) {
    OVfognode_new(root);
    OVnode *sep = OVsepnode_new(root);
    plain_block(sep);
    collect();
    EXPECT_EQ(kinds(opaque()), (std::vector<int>{ENTRY_FOG, ENTRY_GEOMETRY}));
}

TEST_F(RenderState, CallbackNodesAndBoundingBoxes) {
    OVnode *gl = OVglnode_new(
        root, [](OVnode *) {}, 0);
    ASSERT_NE(gl, nullptr);
    const OVp3 lo = {-1, -2, -3}, hi = {1, 2, 3};
    ASSERT_TRUE(OVglnode_setcullingbox(gl, lo, hi));
    ASSERT_TRUE(OVnode_boundingbox(gl, 1));
    OVnode *g = plain_block(root);
    ASSERT_TRUE(OVnode_boundingbox(g, 1));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_CALLBACK, ENTRY_BOUNDINGBOX, ENTRY_GEOMETRY,
                                          ENTRY_BOUNDINGBOX}));
    EXPECT_EQ(o[0].item, gl);
    const auto *box = static_cast<const BoxRecord *>(o[1].item);
    EXPECT_FLOAT_EQ(box->extents[1], 2);
    EXPECT_FLOAT_EQ(box->midpoint[0], 0);
    const auto *gbox = static_cast<const BoxRecord *>(o[3].item);
    EXPECT_FLOAT_EQ(gbox->extents[0], 0.5f);
    EXPECT_EQ(o[3].matrix, o[2].matrix);
    EXPECT_TRUE(transparent().empty());
}

} // namespace
} // namespace travtest
