// Texture attributes of NFF polygons applied when the file is read: the
// vertices' coordinates when every corner has them, else the default mapping
// with mirror, rotation, scale and translation; style letters and tint.
#include "texture_fixtures.h"

#include <cmath>

using namespace texture_test;

namespace {

struct NffTextures : StoreTest {
    std::string texture;

    void SetUp() override {
        StoreTest::SetUp();
        Bytes b = targa_header(2, 4, 2, 24, 0);
        b.resize(b.size() + 4 * 2 * 3, 90);
        texture = temp_file("nff_texture.tga");
        write_file(texture, b);
    }

    OVgeometry *read(const std::string &text) {
        std::string path = temp_file("textured.nff");
        write_file(path, Bytes(text.begin(), text.end()));
        std::FILE *f = std::fopen(path.c_str(), "r");
        OVpq view;
        OVgeomlist *list = _OVgeometry_load(f, path.c_str(), 2, &view, 1, 0);
        if (!list) return nullptr;
        OVgeometry *g = _OVgeomlist_geometry(list);
        _OVgeomlist_delete(list);
        return g;
    }

    std::string square(const std::string &vertex_extra, const std::string &attributes) {
        return "nff\nversion 2.0\nsquare\n4\n-1 -1 0" + vertex_extra + " 0 0\n1 -1 0" +
               vertex_extra + " 1 0\n1 1 0" + vertex_extra + " 1 1\n-1 1 0" + vertex_extra +
               " 0 1\n1\n4 0 1 2 3 0xfff " + attributes + "\n";
    }
};

TEST_F(NffTextures, CornerCoordinatesAndStyleLetter) {
    OVgeometry *g = read(square(" uv", "_u_" + texture));
    ASSERT_NE(g, nullptr);
    OVpoly *p = OVgeometry_getpolys(g);
    float u[4], v[4];
    ASSERT_TRUE(OVpoly_getuv(p, u, v));
    // Each corner's coordinates whatever order closing left the corners in.
    for (int i = 0; i < 4; ++i) {
        OVp3 pos;
        OVvertex_getposition(OVpoly_getvertex(p, i), pos);
        EXPECT_EQ(u[i], pos[0] > 0 ? 1.0f : 0.0f);
        EXPECT_EQ(v[i], pos[1] > 0 ? 1.0f : 0.0f);
    }
    int shaded, transparent, tint;
    ASSERT_TRUE(OVpoly_gettexturestyle(p, &shaded, &transparent, &tint));
    EXPECT_EQ(shaded, 1);
    EXPECT_EQ(transparent, 1);
    EXPECT_EQ(tint, 0);
    OVgeometry_delete(g);
}

TEST_F(NffTextures, DefaultMappingWithPlacementAndTint) {
    // The "uv" token is missing: the numbers after the vertices are ignored.
    OVgeometry *plain = read(square(" x", "_S_" + texture));
    ASSERT_NE(plain, nullptr);
    float u0[4], v0[4];
    ASSERT_TRUE(OVpoly_getuv(OVgeometry_getpolys(plain), u0, v0));
    OVgeometry *g = read(square(" x", "_t_" + texture + " mirror trans 4 0 tint"));
    ASSERT_NE(g, nullptr);
    OVpoly *p = OVgeometry_getpolys(g);
    float u[4], v[4];
    ASSERT_TRUE(OVpoly_getuv(p, u, v));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(u[i], 1 - u0[i] + 1, 1e-5f); // mirrored, then 4 texels of 4
        EXPECT_NEAR(v[i], v0[i], 1e-5f);
    }
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_EQ(info.mirrored, 1);
    EXPECT_EQ(info.tint, 1);
    EXPECT_EQ(info.shaded, 0);
    EXPECT_EQ(info.transparent, 1);
    EXPECT_EQ(info.translation[0], 4);
    OVgeometry_delete(plain);
    OVgeometry_delete(g);
}

TEST_F(NffTextures, MissingTextureLeavesThePolygonUntextured) {
    OVgeometry *g = read(square("", "_s_no_such_image.tga"));
    ASSERT_NE(g, nullptr);
    OVtexinfo info;
    EXPECT_FALSE(OVpoly_gettextureinfo(OVgeometry_getpolys(g), &info));
    EXPECT_EQ(count_containing("Texture no_such_image.tga not found\n"), 1);
    OVgeometry_delete(g);
}

} // namespace
