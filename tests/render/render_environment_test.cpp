// The renderer's environment variables, read when the universe opens its display.
#include "orv/orv.h"
#include "render/render_config.h"

#include "support/universe_test.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using orv_test::messages;

struct Environment : orv_test::UniverseTest {
    void TearDown() override {
        orv_test::UniverseTest::TearDown();
        unsetenv("ORVMAXTEXSIZE");
        unsetenv("ORVZBUFFERSIZE");
        unsetenv("ORVDITHER");
        for (const char *name : {"ORVALPHATEST", "ORVMAXPRIM", "ORVFORCECOLOR", "ORVSQRTEX"})
            unsetenv(name);
    }
    static int count(const std::string &text) {
        int n = 0;
        for (const std::string &m : messages)
            n += m.find(text) != std::string::npos;
        return n;
    }
    // The largest texture edge a universe gets from the variable's value.
    static int texture_limit(const char *value) {
        OVuniverse_delete();
        setenv("ORVMAXTEXSIZE", value, 1);
        OVuniverse_new(512, 0);
        return _OVrender_getmaxtexsize();
    }
};

const char *const power_message = "ORVMAXTEXSIZE must be a power of 2\n";

TEST_F(Environment, TextureSizeNotAPowerOfTwoIsReportedAndTheDefaultKept) {
    EXPECT_EQ(texture_limit("300"), 1024);
    EXPECT_EQ(count(power_message), 1);
}

TEST_F(Environment, TextureSizeZeroNegativeOrTextIsRefused) {
    EXPECT_EQ(texture_limit("0"), 1024);
    EXPECT_EQ(texture_limit("-256"), 1024);
    EXPECT_EQ(texture_limit("big"), 1024);
    EXPECT_EQ(count(power_message), 3);
}

TEST_F(Environment, TextureSizePowerOfTwoIsTaken) {
    EXPECT_EQ(texture_limit("256"), 256);
    EXPECT_EQ(texture_limit("1"), 1);
    EXPECT_EQ(count(power_message), 0);
    // Unset again: the default of a new universe.
    OVuniverse_delete();
    unsetenv("ORVMAXTEXSIZE");
    OVuniverse_new(512, 0);
    EXPECT_EQ(_OVrender_getmaxtexsize(), 1024);
}

// The far clipping distance of a new window under the depth-size variable.
float window_yon(const char *depth_bits) {
    OVuniverse_delete();
    setenv("ORVZBUFFERSIZE", depth_bits, 1);
    OVuniverse_new(512, 0);
    return OVwindow_getyon(OVwindow_new(0, 0, 32, 32, 0));
}

TEST_F(Environment, ShallowDepthBufferShortensTheDefaultYon) {
    EXPECT_FLOAT_EQ(window_yon("16"), 8192.0f);
    EXPECT_FLOAT_EQ(window_yon("24"), 65536.0f);
    // Out of range: the request is left alone.
    EXPECT_FLOAT_EQ(window_yon("2"), 8192.0f);
    EXPECT_FLOAT_EQ(window_yon("23"), 8192.0f);
    EXPECT_FLOAT_EQ(window_yon("32"), 65536.0f);
    EXPECT_FLOAT_EQ(window_yon("1"), 65536.0f);
    EXPECT_FLOAT_EQ(window_yon("33"), 65536.0f);
}

// A new universe's renderer configuration with the variable set.
const orv::RenderConfig &config_with(const char *name, const char *value) {
    OVuniverse_delete();
    setenv(name, value, 1);
    OVuniverse_new(512, 0);
    unsetenv(name);
    return orv::render_config();
}

TEST_F(Environment, DefaultsWithoutVariables) {
    OVuniverse_new(512, 0);
    const orv::RenderConfig &c = orv::render_config();
    EXPECT_EQ(c.max_texture_size, 1024);
    EXPECT_EQ(c.stereo_gap, 18);
    EXPECT_EQ(OVrender_getstereogap(), 18);
    EXPECT_FLOAT_EQ(c.alpha_reference, 0);
    EXPECT_EQ(c.max_primitives, 5000);
    EXPECT_EQ(c.force_color, 0);
    EXPECT_EQ(c.square_textures, 0);
    EXPECT_EQ(c.vendor_flag, 0); // the software renderer is no Intergraph
}

TEST_F(Environment, AlphaTestReferenceIsClampedAndDividedBy256) {
    EXPECT_FLOAT_EQ(config_with("ORVALPHATEST", "128").alpha_reference, 0.5f);
    EXPECT_FLOAT_EQ(config_with("ORVALPHATEST", "300").alpha_reference, 255 / 256.0f);
    EXPECT_FLOAT_EQ(config_with("ORVALPHATEST", "-7").alpha_reference, 0);
}

TEST_F(Environment, PrimitiveLimitZeroOrNegativeKeeps5000) {
    EXPECT_EQ(config_with("ORVMAXPRIM", "64").max_primitives, 64);
    EXPECT_EQ(config_with("ORVMAXPRIM", "0").max_primitives, 5000);
    EXPECT_EQ(config_with("ORVMAXPRIM", "-3").max_primitives, 5000);
}

TEST_F(Environment, ForceColourAndSquareTexturesAreNonZeroSwitches) {
    EXPECT_EQ(config_with("ORVFORCECOLOR", "2").force_color, 1);
    EXPECT_EQ(config_with("ORVFORCECOLOR", "0").force_color, 0);
    EXPECT_EQ(config_with("ORVSQRTEX", "1").square_textures, 1);
    EXPECT_EQ(config_with("ORVSQRTEX", "0").square_textures, 0);
    EXPECT_EQ(count("must be a power of 2"), 0);
}

int dither_seen = -1;
void see_dither(OVwindow *, int) {
    dither_seen = glIsEnabled(GL_DITHER);
}

// Whether a window of a new universe draws dithered with the variable's value
// (null: unset).
int dithering(const char *value) {
    OVuniverse_delete();
    if (value)
        setenv("ORVDITHER", value, 1);
    else
        unsetenv("ORVDITHER");
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 16, 16, 0);
    if (!w) return -1;
    OVwindow_setdraw2dfn(w, see_dither);
    dither_seen = -1;
    OVrender_frame();
    return dither_seen;
}

TEST_F(Environment, DitheringOnlyForAPositiveDitherValue) {
    EXPECT_EQ(dithering(nullptr), 0);
    EXPECT_EQ(dithering("1"), 1);
    EXPECT_EQ(dithering("3"), 1);
    EXPECT_EQ(dithering("0"), 0);
    EXPECT_EQ(dithering("-1"), 0);
    EXPECT_EQ(dithering("yes"), 0);
}

} // namespace
