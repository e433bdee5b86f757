// What a texture's binding list leaves in OpenGL after the upload at frame
// start: filters by index, mipmap levels, wrapping and the texture mode.
#include "render/render_pixels.h"
#include "texture/texture_access.h"

#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Bound {
    GLint mag = -1, min = -1, wrap_s = -1, wrap_t = -1, env = -1;
    GLint level_width[4] = {-1, -1, -1, -1}, level_height[4] = {-1, -1, -1, -1};
};

std::function<void()> inside_frame;
void call_inside(OVwindow *, int) {
    inside_frame();
}

struct TextureUpload : render_test::Render {
    OVwindow *window = nullptr;
    unsigned char pixels[4 * 2 * 4] = {};

    void SetUp() override {
        Render::SetUp();
        window = OVwindow_new(0, 0, 32, 32, 0);
        ASSERT_NE(window, nullptr);
        OVwindow_setviewpoint(window, nullptr);
        OVwindow_setdraw2dfn(window, call_inside);
        ASSERT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 4, 2, pixels));
    }
    void TearDown() override {
        inside_frame = nullptr;
        Render::TearDown();
    }
    // The state the texture's list binds, read on the window's context.
    Bound bound_after_frame(const char *name) {
        Bound b;
        inside_frame = [&] {
            const unsigned list = orv::tex::texture_list(orv::tex::find(name));
            if (!list) return;
            glCallList(list);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &b.mag);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &b.min);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &b.wrap_s);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &b.wrap_t);
            glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &b.env);
            for (int level = 0; level < 4; ++level) {
                glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH,
                                         &b.level_width[level]);
                glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT,
                                         &b.level_height[level]);
            }
        };
        OVrender_frame();
        return b;
    }
};

TEST_F(TextureUpload, DefaultFiltersOneLevelRepeatAndModulate) {
    const Bound b = bound_after_frame("caller");
    EXPECT_EQ(b.mag, GL_LINEAR);
    EXPECT_EQ(b.min, GL_LINEAR);
    EXPECT_EQ(b.wrap_s, GL_REPEAT);
    EXPECT_EQ(b.wrap_t, GL_REPEAT);
    EXPECT_EQ(b.env, GL_MODULATE);
    EXPECT_EQ(b.level_width[0], 4);
    EXPECT_EQ(b.level_height[0], 2);
    EXPECT_EQ(b.level_width[1], 0);
}

TEST_F(TextureUpload, MipmappedFiltersHalveEachSideDownToOne) {
    ASSERT_TRUE(OVtexture_setfilter("caller", 0, 4));
    Bound b = bound_after_frame("caller");
    EXPECT_EQ(b.mag, GL_NEAREST);
    EXPECT_EQ(b.min, GL_NEAREST_MIPMAP_NEAREST);
    EXPECT_EQ(b.level_width[1], 2);
    EXPECT_EQ(b.level_height[1], 1);
    EXPECT_EQ(b.level_width[2], 1);
    EXPECT_EQ(b.level_height[2], 1);
    EXPECT_EQ(b.level_width[3], 0);
    // A filter change is uploaded again at the next frame.
    ASSERT_TRUE(OVtexture_setfilter("caller", 3, 7));
    b = bound_after_frame("caller");
    EXPECT_EQ(b.mag, GL_LINEAR);
    EXPECT_EQ(b.min, GL_LINEAR_MIPMAP_LINEAR);
    ASSERT_TRUE(OVtexture_setfilter("caller", 2, 6));
    b = bound_after_frame("caller");
    EXPECT_EQ(b.min, GL_NEAREST_MIPMAP_LINEAR);
    ASSERT_TRUE(OVtexture_setfilter("caller", 1, 5));
    b = bound_after_frame("caller");
    EXPECT_EQ(b.min, GL_LINEAR_MIPMAP_NEAREST);
}

TEST_F(TextureUpload, ClampAndDecalAfterAModeChange) {
    ASSERT_TRUE(_OVtexture_setmode("caller", 1, 0, 1));
    const Bound b = bound_after_frame("caller");
    EXPECT_EQ(b.wrap_s, GL_CLAMP);
    EXPECT_EQ(b.wrap_t, GL_REPEAT);
    EXPECT_EQ(b.env, GL_DECAL);
}

// The RGBA texels of one level of the texture the list binds.
std::vector<unsigned char> level_texels(const char *name, int level, int count) {
    std::vector<unsigned char> texels(static_cast<size_t>(count) * 4, 0);
    inside_frame = [&] {
        const unsigned list = orv::tex::texture_list(orv::tex::find(name));
        if (!list) return;
        glCallList(list);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    };
    OVrender_frame();
    return texels;
}

TEST_F(TextureUpload, LevelsHoldThePixelsAndTheirBoxAverages) {
    // Red grows along x, green along y; all opaque.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            unsigned char *t = pixels + 4 * (y * 4 + x);
            t[0] = static_cast<unsigned char>(40 * x);
            t[1] = static_cast<unsigned char>(100 * y);
            t[2] = 7;
            t[3] = 255;
        }
    ASSERT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 4, 2, pixels));
    ASSERT_TRUE(OVtexture_setfilter("caller", 0, 7));
    const std::vector<unsigned char> base = level_texels("caller", 0, 8);
    EXPECT_EQ(std::vector<unsigned char>(pixels, pixels + 32), base);
    const std::vector<unsigned char> half = level_texels("caller", 1, 2);
    // Each texel of level 1 averages a 2 × 2 block of level 0.
    EXPECT_NEAR(half[0], 20, 1);
    EXPECT_NEAR(half[1], 50, 1);
    EXPECT_EQ(half[2], 7);
    EXPECT_EQ(half[3], 255);
    EXPECT_NEAR(half[4], 100, 1);
    // New pixels for the name are uploaded again at the next frame.
    unsigned char other[4 * 2 * 4];
    std::fill(std::begin(other), std::end(other), 90);
    ASSERT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 4, 2, other));
    EXPECT_EQ(level_texels("caller", 0, 8), std::vector<unsigned char>(32, 90));
}

TEST_F(TextureUpload, AReleasedTextureLeavesTheStoreAtTheNextFrame) {
    inside_frame = [] {};
    pixels[0] = 42;
    ASSERT_TRUE(OVtexture_setused("caller", 1));
    OVrender_frame();
    ASSERT_TRUE(OVtexture_setused("caller", 0));
    EXPECT_EQ(OVtexture_memory(), 0);
    EXPECT_TRUE(OVtexture_getfilter("caller", nullptr, nullptr)); // until the frame
    OVrender_frame();
    EXPECT_FALSE(OVtexture_getfilter("caller", nullptr, nullptr));
    EXPECT_EQ(pixels[0], 42); // the caller's pixels are not the store's to free
    // The name can be used again afterwards.
    EXPECT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 4, 2, pixels));
    EXPECT_EQ(bound_after_frame("caller").level_width[0], 4);
}

} // namespace
