// Texture attributes of NFF polygon lines: style letters in either case, the
// thresholds below which rotation, scale and translation are not applied, and
// the default mapping when not every corner has coordinates.
#include "texture/texture_access.h"
#include "texture_fixtures.h"

#include <vector>

using namespace texture_test;

namespace {

struct NffPlacement : StoreTest {
    std::vector<unsigned char> pixels = std::vector<unsigned char>(4 * 4 * 4, 200);
    std::vector<OVgeometry *> read_;

    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(OVtexture_replace("brick", OVIMAGE_RGBA, 4, 4, pixels.data()));
    }
    void TearDown() override {
        for (OVgeometry *g : read_)
            OVgeometry_delete(g);
        StoreTest::TearDown();
    }

    // A unit square whose corners carry the given extras, with the polygon
    // line's colour and attributes.
    OVpoly *square(const std::string &attributes, const char *uv[4] = nullptr) {
        std::string text = "nff version 2.0\nsquare\n4\n";
        const char *corners[4] = {"0 0 0", "1 0 0", "1 1 0", "0 1 0"};
        for (int i = 0; i < 4; ++i)
            text += std::string(corners[i]) + (uv && uv[i] ? uv[i] : "") + "\n";
        text += "1\n4 0 1 2 3 0xfff " + attributes + "\n";
        const std::string path = temp_file("placement.nff");
        write_file(path, Bytes(text.begin(), text.end()));
        OVpq view;
        OVgeomlist *list = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "placement.nff",
                                            OVFILE_NFF, &view, 1, 0);
        if (!list) return nullptr;
        OVgeometry *g = _OVgeomlist_geometry(list);
        _OVgeomlist_delete(list);
        read_.push_back(g);
        return OVgeometry_getpolys(g);
    }
    OVtexinfo info(const std::string &attributes) {
        OVtexinfo out{};
        OVpoly *p = square(attributes);
        EXPECT_NE(p, nullptr) << attributes;
        if (p) {
            EXPECT_TRUE(OVpoly_gettextureinfo(p, &out)) << attributes;
        }
        return out;
    }
};

TEST_F(NffPlacement, StyleLettersInEitherCase) {
    struct Case {
        const char *token;
        int shaded, transparent;
    } cases[] = {{"_s_brick", 1, 0}, {"_S_brick", 1, 0}, {"_t_brick", 0, 1}, {"_T_brick", 0, 1},
                 {"_u_brick", 1, 1}, {"_U-brick", 1, 1}, {"_x_brick", 0, 0}, {"_v_brick", 0, 0}};
    for (const Case &c : cases) {
        const OVtexinfo i = info(c.token);
        EXPECT_STREQ(i.name, "brick") << c.token;
        EXPECT_EQ(i.shaded, c.shaded) << c.token;
        EXPECT_EQ(i.transparent, c.transparent) << c.token;
        EXPECT_EQ(i.tint, 0) << c.token;
    }
    EXPECT_EQ(info("_s_brick tint").tint, 1);
}

TEST_F(NffPlacement, SmallPlacementsAreNotApplied) {
    OVtexinfo i = info("_s_brick rot 0.003 scale 1.003 trans 0.003 -0.003");
    EXPECT_EQ(i.rotation, 0.0f);
    EXPECT_EQ(i.scale, 1.0f);
    EXPECT_EQ(i.translation[0], 0.0f);
    EXPECT_EQ(i.translation[1], 0.0f);
    i = info("_s_brick rot 30 scale 2 trans 0 0.5");
    EXPECT_FLOAT_EQ(i.rotation, 30.0f);
    EXPECT_FLOAT_EQ(i.scale, 2.0f);
    EXPECT_FLOAT_EQ(i.translation[0], 0.0f); // one component is enough
    EXPECT_FLOAT_EQ(i.translation[1], 0.5f);
    i = info("_s_brick scale 0.996");
    EXPECT_FLOAT_EQ(i.scale, 0.996f);
}

TEST_F(NffPlacement, SomeCornersWithoutCoordinatesGiveTheDefaultMapping) {
    OVpoly *plain = square("_s_brick");
    ASSERT_NE(plain, nullptr);
    float u0[4], v0[4];
    ASSERT_TRUE(OVpoly_getuv(plain, u0, v0));
    const char *three[4] = {" uv 0.5 0.5", " uv 0.5 0.5", " uv 0.5 0.5", nullptr};
    OVpoly *partial = square("_s_brick", three);
    ASSERT_NE(partial, nullptr);
    float u[4], v[4];
    ASSERT_TRUE(OVpoly_getuv(partial, u, v));
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(u[k], u0[k]) << k;
        EXPECT_FLOAT_EQ(v[k], v0[k]) << k;
    }
    // With every corner's coordinates, the placement attributes are not applied.
    const char *four[4] = {" uv 0 0", " uv 1 0", " uv 1 1", " uv 0 1"};
    OVpoly *given = square("_s_brick mirror rot 45", four);
    ASSERT_NE(given, nullptr);
    OVtexinfo i{};
    ASSERT_TRUE(OVpoly_gettextureinfo(given, &i));
    EXPECT_EQ(i.mirrored, 0);
    EXPECT_EQ(i.rotation, 0.0f);
    ASSERT_TRUE(OVpoly_getuv(given, u, v));
    for (int k = 0; k < 4; ++k) {
        OVp3 at;
        OVvertex_getposition(OVpoly_getvertex(given, k), at);
        EXPECT_FLOAT_EQ(u[k], at[0]) << k;
        EXPECT_FLOAT_EQ(v[k], at[1]) << k;
    }
}

// Without the file module's search, a name without extension is tried with
// each image extension as given; the name found must outlive the try.
TEST(ImageNames, ExtensionTriedWithoutASearchList) {
    const std::string stem = temp_file("plain_brick");
    Bytes b = targa_header(2, 2, 2, 24, 0);
    b.resize(b.size() + 2 * 2 * 3, 40);
    write_file(stem + ".tga", b);
    orv::tex::set_image_finder(nullptr);
    int w = 0, h = 0;
    unsigned char *pixels = OVtexture_load(stem.c_str(), &w, &h);
    orv::tex::set_image_finder(_OVfile_findpath);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    OVfree(pixels);
    std::remove((stem + ".tga").c_str());
}

} // namespace
