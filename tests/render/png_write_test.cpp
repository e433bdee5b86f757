// PNG files written from pixel rows read back as the same pixels.
#include "orv/render.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// The file's pixels as RGB or RGBA rows, top-down; empty when unreadable.
std::vector<unsigned char> read_rows(FILE *f, int &width, int &height, int &channels) {
    std::vector<unsigned char> pixels;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    png_init_io(png, f);
    png_read_info(png, info);
    width = static_cast<int>(png_get_image_width(png, info));
    height = static_cast<int>(png_get_image_height(png, info));
    channels = png_get_channels(png, info);
    pixels.resize(static_cast<size_t>(width) * height * channels);
    for (int y = 0; y < height; ++y)
        png_read_row(png, &pixels[static_cast<size_t>(y) * width * channels], nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return pixels;
}

std::vector<unsigned char> read_png(const char *path, int &width, int &height, int &channels) {
    FILE *f = std::fopen(path, "rb");
    if (!f) return {};
    std::vector<unsigned char> pixels = read_rows(f, width, height, channels);
    std::fclose(f);
    return pixels;
}

TEST(PngWrite, RgbRowsTopDownRoundTrip) {
    const std::vector<unsigned char> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255,
                                            1,   2, 3, 4, 5,   6, 7, 8, 9};
    ASSERT_EQ(_OVpng_write("png_rgb.png", 3, 2, 3, rgb.data(), 0), 1);
    int w = 0, h = 0, c = 0;
    EXPECT_EQ(read_png("png_rgb.png", w, h, c), rgb);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(c, 3);
    std::remove("png_rgb.png");
}

// OpenGL's bottom-up rows come out top-down in the file.
TEST(PngWrite, RgbaRowsBottomUpAreTurned) {
    const std::vector<unsigned char> gl = {10, 20, 30, 40, 50, 60, 70, 80};
    ASSERT_EQ(_OVpng_write("png_rgba.png", 1, 2, 4, gl.data(), 1), 1);
    int w = 0, h = 0, c = 0;
    EXPECT_EQ(read_png("png_rgba.png", w, h, c),
              (std::vector<unsigned char>{50, 60, 70, 80, 10, 20, 30, 40}));
    EXPECT_EQ(c, 4);
    std::remove("png_rgba.png");
}

TEST(PngWrite, RefusesWhatItCannotWrite) {
    const unsigned char px[4] = {};
    EXPECT_EQ(_OVpng_write("png_bad.png", 1, 1, 2, px, 0), 0);
    EXPECT_EQ(_OVpng_write("png_bad.png", 0, 1, 3, px, 0), 0);
    EXPECT_EQ(_OVpng_write("png_bad.png", 1, 1, 3, nullptr, 0), 0);
    EXPECT_EQ(_OVpng_write(nullptr, 1, 1, 3, px, 0), 0);
    EXPECT_EQ(_OVpng_write("/nonexistent-dir/x.png", 1, 1, 3, px, 0), 0);
    EXPECT_EQ(std::fopen("png_bad.png", "rb"), nullptr);
}

} // namespace
