// How a polygon's texture style shows on the screen: untinted textures keep
// their colours, tinted ones are modulated by the polygon's colour (but not
// under decal), unshaded ones ignore the lights, the NFF style letters and
// "tint" do the same, and sphere-mapped geometries take their coordinates
// from the normals.
#include "texture_fixtures.h"
#include "textured_quad.h"

#include <string>

namespace {

using render_test::brightness;
using render_test::near;
using render_test::pixel;
using namespace textured_quad;

// Where the quadrants of the picture land (snapshot rows count from the bottom).
constexpr int kLeft = kMid - kQuarter, kRight = kMid + kQuarter;
constexpr int kTop = kMid + kQuarter, kBottom = kMid - kQuarter;

// Seen with the light off only the global ambient (0.4) lights a shaded
// polygon: a white texel comes out well below full brightness.
constexpr int kDimmed = 3 * 160;

TEST_F(TexturedQuad, UntintedTextureKeepsItsColoursOnAColouredPolygon) {
    ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
    texture_quad("quadrants", 0);
    OVgeometry_setrgb(quad, 0, 255, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kLeft, kBottom), 0, 0, 255));
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 255, 255, 255));
}

TEST_F(TexturedQuad, TintModulatesByThePolygonColourDecalDoesNot) {
    ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
    texture_quad("quadrants", 0);
    OVgeometry_setrgb(quad, 0, 255, 0);
    OVpoly *p = OVgeometry_getpolys(quad);
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 0, 1));
    OVrender_frame();
    // Red texels times a green polygon: dark; green and white texels: green.
    EXPECT_LT(brightness(pixel(window, kLeft, kTop)), 60);
    EXPECT_TRUE(near(pixel(window, kRight, kTop), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 0, 255, 0));
    // Tint off again: the picture's own colours.
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 0, 0));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
    // Decal replaces the colour with the opaque texels even when tinted.
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 0, 1));
    ASSERT_TRUE(_OVtexture_setmode("quadrants", 0, 0, 1));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kLeft, kBottom), 0, 0, 255));
}

TEST_F(TexturedQuad, UnshadedTextureIgnoresTheLights) {
    ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
    OVgeometry_setrgb(quad, 255, 255, 255);
    OVlightnode_setintensity(light, 0);
    texture_quad("quadrants", 0, 1);
    OVrender_frame();
    EXPECT_LT(brightness(pixel(window, kRight, kBottom)), kDimmed);
    texture_quad("quadrants", 0, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 255, 255, 255));
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
    // Unshaded and tinted: the polygon's colour, unlit.
    OVgeometry_setrgb(quad, 255, 0, 255);
    ASSERT_TRUE(OVpoly_settexturestyle(OVgeometry_getpolys(quad), 0, 0, 1));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 255, 0, 255));
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
}

TEST_F(TexturedQuad, FullMaterialIsWhitenedForAnUntintedTexture) {
    // Ambient, diffuse and specular: sent as materials, not through colour material.
    OVmtable *table = OVmtable_new(OVAMBIENT | OVDIFFUSE | OVSPECULAR, 1, "full");
    ASSERT_NE(table, nullptr);
    const int entry = OVmtable_newentry(table);
    const float green[3] = {0, 1, 0}, black[3] = {0, 0, 0};
    OVmtable_setvalue(table, entry, green, OVAMBIENT);
    OVmtable_setvalue(table, entry, green, OVDIFFUSE);
    OVmtable_setvalue(table, entry, black, OVSPECULAR);
    ASSERT_TRUE(OVgeometry_setmtable(quad, table));
    ASSERT_TRUE(OVgeometry_setmatid(quad, entry));
    ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
    texture_quad("quadrants", 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 255, 255, 255));
    ASSERT_TRUE(OVpoly_settexturestyle(OVgeometry_getpolys(quad), 1, 0, 1));
    OVrender_frame();
    EXPECT_LT(brightness(pixel(window, kLeft, kTop)), 60);
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 0, 255, 0));
}

// 4 × 4 texels: a red rim round a green middle of 2 × 2.
unsigned char *rimmed() {
    static unsigned char texels[4 * 4 * 4];
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool middle = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            unsigned char *t = &texels[(y * 4 + x) * 4];
            t[0] = middle ? 0 : 255;
            t[1] = middle ? 255 : 0;
            t[2] = 0;
            t[3] = 255;
        }
    return texels;
}

TEST_F(TexturedQuad, SphereMapTakesTheMiddleOfThePictureFacingTheEye) {
    ASSERT_TRUE(OVtexture_replace("rimmed", OVIMAGE_RGBA, 4, 4, rimmed()));
    ASSERT_TRUE(OVtexture_setfilter("rimmed", 0, 0));
    OVgeometry_setrgb(quad, 255, 255, 255);
    // Every stored coordinate on the rim; unshaded, so the normals are sent
    // for the sphere map alone.
    const float rim[4] = {0, 0, 0, 0};
    ASSERT_TRUE(OVpoly_settextureuv(OVgeometry_getpolys(quad), "rimmed", rim, rim, 0, 0));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kMid, kMid), 255, 0, 0));
    // A face turned to the eye reflects the eye: the map's middle, all over.
    ASSERT_TRUE(OVgeometry_setrenderingstyle(quad, OVSTYLE_SPHEREMAP, OVSTYLE_ON));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kMid, kMid), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kLeft, kTop), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kRight, kBottom), 0, 255, 0));
    ASSERT_TRUE(OVgeometry_setrenderingstyle(quad, OVSTYLE_SPHEREMAP, OVSTYLE_DEFAULT));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kMid, kMid), 255, 0, 0));
}

// A white picture on two squares read from an NFF file, side by side.
struct NffStyles : TexturedQuad {
    std::string image, model;

    void SetUp() override {
        TexturedQuad::SetUp();
        const OVp3 behind_the_eye = {0, 0, -100};
        OVgeometry_translate(quad, behind_the_eye);
        texture_test::Bytes b = texture_test::targa_header(2, 2, 2, 24, 0);
        b.resize(b.size() + 2 * 2 * 3, 255);
        image = texture_test::temp_file("style_white.tga");
        texture_test::write_file(image, b);
        model = texture_test::temp_file("styles.nff");
        OVlightnode_setintensity(light, 0);
    }

    // Left square (x < 0) and right square with their colours and attributes.
    void load(const std::string &left, const std::string &right) {
        const std::string text = "nff\nversion 2.0\nsquares\n8\n"
                                 "-4 -4 10\n-0.5 -4 10\n-0.5 4 10\n-4 4 10\n"
                                 "0.5 -4 10\n4 -4 10\n4 4 10\n0.5 4 10\n2\n"
                                 "4 0 1 2 3 " +
                                 left + "\n4 4 5 6 7 " + right + "\n";
        texture_test::write_file(model, texture_test::Bytes(text.begin(), text.end()));
        ASSERT_NE(OVgeometrynode_load(OVuniverse_getrootnodes(), model.c_str(), 1), nullptr);
    }
};

TEST_F(NffStyles, LetterVIsUnlitLetterSIsShaded) {
    load("0xfff _V_" + image + " both", "0xfff _S_" + image + " both");
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kMid), 255, 255, 255));
    EXPECT_LT(brightness(pixel(window, kRight, kMid)), kDimmed);
}

TEST_F(NffStyles, TintTakesThePolygonColour) {
    load("0x0f0 _v_" + image + " tint both", "0x0f0 _v_" + image + " both");
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kLeft, kMid), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kRight, kMid), 255, 255, 255));
}

} // namespace
