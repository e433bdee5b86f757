// Textured geometry as VRML: Texture2 by file name or inline image, texture
// coordinates and their indices, the white material entry, and the files
// read back by the independent reader.
#include "vrml_fixture.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>

namespace {

constexpr int kW = 8, kH = 4;

class VrmlTexture : public VrmlTest {
  protected:
    void SetUp() override {
        VrmlTest::SetUp();
        // A texture the store owns (written by name) and one whose pixels
        // the application keeps (written inline).
        auto *owned = static_cast<unsigned char *>(OVmalloc(kW * kH * 4));
        for (int i = 0; i < kW * kH * 4; ++i)
            owned[i] = static_cast<unsigned char>(i);
        ASSERT_NE(OVtexture_newfromdata("grid", owned, kW, kH), nullptr);
        for (int i = 0; i < 2 * 2 * 4; ++i)
            kept_[i] = static_cast<unsigned char>(0x10 * i + 1);
        ASSERT_TRUE(OVtexture_replace("kept", OVIMAGE_RGBA, 2, 2, kept_));
    }
    // A block under its own separator, its faces coloured from a table of
    // one entry that is not white.
    OVgeometry *block() {
        OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
        OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE, 10, "blue");
        const float blue[3] = {0.2f, 0.4f, 0.6f};
        OVmtable_setvalue(table, OVmtable_newentry(table), blue, OVAMBIENTDIFFUSE);
        EXPECT_TRUE(OVgeometry_setmtable(g, table));
        for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
            OVpoly_setmatid(p, 0);
        OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), g);
        return g;
    }
    unsigned char kept_[2 * 2 * 4];
};

std::vector<OVpoly *> polygons(OVgeometry *g) {
    std::vector<OVpoly *> out;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        out.push_back(p);
    return out;
}

// The numbers of one index field of the n-th face set, -1 included.
std::vector<int> index_field(const std::string &text, const std::string &field, int n = 0) {
    std::vector<int> numbers;
    std::string list = field_text(text, field, n);
    std::replace(list.begin(), list.end(), ',', ' '); // numbers end in "," or ", "
    std::istringstream in(list);
    for (std::string word; in >> word;)
        numbers.push_back(std::stoi(word));
    return numbers;
}

int count_of(const std::string &text, const std::string &part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(VrmlTexture, TexturedBlockWritesItsTextureCoordinatesAndIndices) {
    OVgeometry *g = block();
    ASSERT_TRUE(OVgeometry_settexture(g, "grid", 0, 0));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_TRUE(has_line(text, "Texture2 {filename \"grid\" wrapS REPEAT wrapT REPEAT}"));
    EXPECT_EQ(count_of(text, "Texture2 {"), 1);
    EXPECT_TRUE(has_line(text, "TextureCoordinate2 { point ["));
    // Six faces of four corners: the indices run from 0 to 23.
    const std::vector<int> tex = index_field(text, "textureCoordIndex");
    ASSERT_EQ(tex.size(), 30u);
    EXPECT_EQ(tex[0], 0);
    EXPECT_EQ(tex[4], -1);
    EXPECT_EQ(tex[28], 23);
    // The pairs as the toolkit holds them, in face set order.
    float u[4], v[4];
    OVpoly *first = polygons(g).back(); // the oldest face comes first
    ASSERT_TRUE(OVpoly_getuv(first, u, v));
    char pair[64];
    std::snprintf(pair, sizeof pair, "%f %f,", u[0], v[0]);
    EXPECT_LT(text.find("TextureCoordinate2 { point [\n"), text.find(pair));
    // Every -1 stands apart from the numbers around it.
    EXPECT_FALSE(std::regex_search(text, std::regex("[0-9]-1|-1[0-9]")));
    EXPECT_TRUE(has_line(text, "20,21,22,23,-1")); // "%d," per corner, then -1
}

TEST_F(VrmlTexture, UntintedFacesUseAnAppendedWhiteEntry) {
    OVgeometry *g = block();
    std::vector<OVpoly *> faces = polygons(g);
    for (size_t i = 1; i < faces.size(); ++i)
        ASSERT_TRUE(OVpoly_settexture(faces[i], "grid", 1, 0));
    OVmtable *table = OVgeometry_getmtable(g);
    ASSERT_NE(table, nullptr);
    const int entries = OVmtable_getnumentries(table);
    const std::string text = save(OVuniverse_getrootnodes());
    // Untextured face set first, then the textured one.
    EXPECT_EQ(index_field(text, "materialIndex", 0), std::vector<int>{OVpoly_getmatid(faces[0])});
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, entries);
    EXPECT_TRUE(std::regex_search(text, std::regex(",\n *1 1 1\n"))) << text;
    // The table itself is unchanged.
    EXPECT_EQ(OVmtable_getnumentries(table), entries);
}

TEST_F(VrmlTexture, AWhiteEntryOfTheTableIsUsed) {
    OVgeometry *g = block();
    std::vector<OVpoly *> faces = polygons(g);
    _OVpoly_setcolor24(faces[0], 0xFFFFFF);
    _OVpoly_setcolor24(faces[1], 0x336699);
    const int white = OVpoly_getmatid(faces[0]);
    for (size_t i = 1; i < faces.size(); ++i)
        ASSERT_TRUE(OVpoly_settexture(faces[i], "grid", 0, 0));
    const std::string text = save(OVuniverse_getrootnodes());
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, white);
    EXPECT_EQ(text.find("1 1 1\n"), std::string::npos) << "nothing appended";
}

TEST_F(VrmlTexture, OnlyUntintedTexturesWriteAPlainWhiteMaterial) {
    OVgeometry *g = block();
    ASSERT_TRUE(OVgeometry_settexture(g, "grid", 0, 0));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_TRUE(has_line(text, "Material {ambientColor [1 1 1] diffuseColor [1 1 1]}"));
    EXPECT_EQ(text.find("diffuseColor [\n"), std::string::npos) << "the table is not needed";
    for (int id : index_field(text, "materialIndex"))
        EXPECT_EQ(id, 0);
}

TEST_F(VrmlTexture, TintedFacesKeepTheirColours) {
    OVgeometry *g = block();
    std::vector<OVpoly *> faces = polygons(g);
    _OVpoly_setcolor24(faces[2], 0x00FF00);
    ASSERT_TRUE(OVpoly_settexture(faces[2], "grid", 0, 0));
    ASSERT_TRUE(OVpoly_settexturestyle(faces[2], 0, 0, 1));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_EQ(index_field(text, "materialIndex", 1), std::vector<int>{OVpoly_getmatid(faces[2])});
    EXPECT_EQ(text.find("1 1 1\n"), std::string::npos) << "no white entry needed";
}

TEST_F(VrmlTexture, TintedFacesWithVertexColoursBindPerVertex) {
    OVgeometry *g = block();
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++i)
        OVgeometry_setvertexrgb(g, v, i * 30, 0, 255 - i * 30);
    ASSERT_TRUE(OVgeometry_settexture(g, "grid", 0, 0));
    for (OVpoly *p : polygons(g))
        ASSERT_TRUE(OVpoly_settexturestyle(p, 0, 0, 1));
    const std::string text = save(OVuniverse_getrootnodes());
    const size_t binding = text.find("MaterialBinding { value PER_VERTEX_INDEXED }");
    ASSERT_NE(binding, std::string::npos);
    EXPECT_LT(binding, text.find("Texture2 {"));
    EXPECT_EQ(index_field(text, "materialIndex").size(), 30u); // four corners and -1 per face
}

TEST_F(VrmlTexture, EachTextureOfAClassGetsItsOwnNodes) {
    OVgeometry *g = block();
    std::vector<OVpoly *> faces = polygons(g);
    for (size_t i = 0; i < faces.size(); ++i)
        ASSERT_TRUE(OVpoly_settexture(faces[i], i % 2 ? "grid" : "kept", 0, 0));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_EQ(count_of(text, "Texture2 {"), 2);
    EXPECT_EQ(count_of(text, "TextureCoordinate2 {"), 2);
    EXPECT_EQ(count_of(text, "IndexedFaceSet {"), 2);
    // The oldest face is textured with "grid" (odd from the newest end).
    EXPECT_LT(text.find("filename \"grid\""), text.find("image 2 2 4"));
    // Coordinates are numbered from 0 again for each face set.
    EXPECT_EQ(index_field(text, "textureCoordIndex", 1)[0], 0);
}

TEST_F(VrmlTexture, KeptPixelsAreWrittenInline) {
    OVgeometry *g = block();
    ASSERT_TRUE(OVgeometry_settexture(g, "kept", 0, 1));
    const std::string text = save(OVuniverse_getrootnodes());
    EXPECT_TRUE(has_line(text, "Texture2 { wrapS REPEAT wrapT REPEAT image 2 2 4"));
    EXPECT_TRUE(has_line(text, "0x01112131 0x41516171"));
    EXPECT_TRUE(has_line(text, "0x8191a1b1 0xc1d1e1f1"));
}

// A block whose faces all use entry 1 of the table, the white candidate at
// entry 0; every face but the first is textured without a tint.
OVgeometry *white_candidate_block(OVmtable *table, float opacity) {
    const float white[3] = {1, 1, 1}, red[3] = {1, 0, 0};
    const int props = OVmtable_getproperties(table);
    for (int e = 0; e < 2; ++e) {
        OVmtable_newentry(table);
        for (int bit : {OVAMBIENT, OVDIFFUSE, OVEMISSION, OVAMBIENTDIFFUSE, OVSPECULAR})
            if ((props & bit) == bit) OVmtable_setvalue(table, e, e ? red : white, bit);
        if (props & OVOPACITY) OVmtable_setvalue(table, e, &opacity, OVOPACITY);
    }
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    EXPECT_TRUE(OVgeometry_setmtable(g, table));
    std::vector<OVpoly *> faces = polygons(g);
    for (size_t i = 0; i < faces.size(); ++i) {
        OVpoly_setmatid(faces[i], 1);
        if (i) {
            EXPECT_TRUE(OVpoly_settexture(faces[i], "grid", 0, 0));
        }
    }
    OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), g);
    return g;
}

TEST_F(VrmlTexture, AnOpaqueWhiteEntryOfAnAmbientAndDiffuseTableIsUsed) {
    white_candidate_block(OVmtable_new(OVAMBIENT | OVDIFFUSE | OVOPACITY, 4, nullptr), 1);
    const std::string text = save(OVuniverse_getrootnodes());
    ASSERT_EQ(index_field(text, "materialIndex", 1).size(), 5u) << text;
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, 0);
    EXPECT_EQ(count_of(text, "1 1 1\n"), 0) << text;
}

TEST_F(VrmlTexture, AWhiteEntryOfAnEmissionTableIsUsed) {
    white_candidate_block(OVmtable_new(OVEMISSION, 4, nullptr), 1);
    const std::string text = save(OVuniverse_getrootnodes());
    ASSERT_EQ(index_field(text, "materialIndex", 1).size(), 5u) << text;
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, 0);
    EXPECT_EQ(count_of(text, "1 1 1\n"), 0) << text;
}

TEST_F(VrmlTexture, AWhiteEntryThatIsNotOpaqueIsNotUsed) {
    white_candidate_block(OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 4, nullptr), 0.5f);
    const std::string text = save(OVuniverse_getrootnodes());
    ASSERT_EQ(index_field(text, "materialIndex", 1).size(), 5u) << text;
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, 2);
    EXPECT_TRUE(std::regex_search(text, std::regex(",\n *1 1 1\n *\\]"))) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("transparency \\[\n[^\\]]*,\n *0\n *\\]")))
        << text;
}

TEST_F(VrmlTexture, TablesWithOtherComponentsGetTheWhiteEntryAppendedToEveryList) {
    white_candidate_block(OVmtable_new(OVDIFFUSE | OVSPECULAR | OVSHININESS, 4, nullptr), 1);
    const std::string text = save(OVuniverse_getrootnodes());
    ASSERT_EQ(index_field(text, "materialIndex", 1).size(), 5u) << text;
    for (int id : index_field(text, "materialIndex", 1))
        EXPECT_EQ(id, 2) << text;
    for (const char *list : {"diffuseColor", "specularColor"})
        EXPECT_TRUE(std::regex_search(
            text, std::regex(std::string(list) + " \\[\n[^\\]]*,\n *1 1 1\n *\\]")))
            << list << "\n"
            << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("shininess \\[\n[^\\]]*,\n *0\n *\\]"))) << text;
    // The black ambient list stands for the table's missing component.
    EXPECT_TRUE(has_line(text, "ambientColor [ 0 0 0]"));
}

#ifdef ORV_COIN_CHECKER

// The toolkit's own count of texture pairs (one per corner of every
// textured polygon) and of textured polygons.
void count_textured(OVnode *node, long &pairs, long &faces) {
    if (OVgeometry *g = OVnode_getgeometry(node))
        for (OVpoly *p : polygons(g)) {
            OVtexinfo info;
            if (!OVpoly_gettextureinfo(p, &info)) continue;
            pairs += OVpoly_numvertices(p);
            ++faces;
        }
    for (int i = 0, n = OVnode_numchildren(node); i < n; ++i)
        count_textured(OVnode_getchild(node, i), pairs, faces);
}

TEST_F(VrmlTexture, TexturedSceneReadsBackWithItsCoordinatesAndTextures) {
    OVgeometry *a = block();
    std::vector<OVpoly *> faces = polygons(a);
    for (size_t i = 1; i < faces.size(); ++i)
        ASSERT_TRUE(OVpoly_settexture(faces[i], i % 2 ? "grid" : "kept", i % 3 == 0, 0));
    ASSERT_TRUE(OVpoly_settexturestyle(faces[3], 0, 0, 1));
    OVgeometry *sphere = OVgeometry_newsphere(1, 5, 7, 0, 1);
    OVgeometrynode_new(OVsepnode_new(OVuniverse_getrootnodes()), sphere);
    ASSERT_TRUE(OVgeometry_settexture(sphere, "grid", 1, 1));
    OVnode *root = OVuniverse_getrootnodes();
    save(root, OVuniverse_getviewpoint());
    const ReadBack r = read_back(file);
    long pairs = 0, textured = 0;
    count_textured(root, pairs, textured);
    EXPECT_EQ(r.texture_pairs, pairs);
    EXPECT_EQ(r.textured_faces, textured);
    long vertices = 0, all_faces = OVgeometry_numpolys(a) + OVgeometry_numpolys(sphere);
    for (OVgeometry *g : {a, sphere})
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
            ++vertices;
    EXPECT_EQ(r.coordinates, vertices);
    EXPECT_EQ(r.faces, all_faces);
    // The block's textured faces form one class (the tint shows in the
    // class only with vertex colours): grid, then kept; the sphere: grid.
    std::vector<std::string> want = {"file grid", "image 2 2 4", "file grid"};
    EXPECT_EQ(r.textures, want);
}

#endif

} // namespace
