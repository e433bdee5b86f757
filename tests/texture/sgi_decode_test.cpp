// SGI images, verbatim and run-length, written byte by byte: the bottom row
// of the file becomes the last row of the texture, as with Targa.
#include "texture_fixtures.h"

using namespace texture_test;

namespace {

struct SgiDecode : MessageTest {};

// 2 × 2 RGB planes; rows bottom first: bottom row red, blue; top row green, white.
Bytes rgb_planes() {
    return {255, 0,   0,   255,  // R: bottom row, top row
            0,   0,   255, 255,  // G
            0,   255, 0,   255}; // B
}

void expect_quad(const Decoded &d) {
    ASSERT_EQ(d.width, 2);
    ASSERT_EQ(d.height, 2);
    EXPECT_EQ(d.at(0, 1), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(d.at(1, 1), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(d.at(0, 0), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(d.at(1, 0), (Rgba{255, 255, 255, 255}));
}

TEST_F(SgiDecode, VerbatimRgb) {
    Bytes b = sgi_header(0, 2, 2, 3);
    for (auto x : rgb_planes())
        b.push_back(x);
    expect_quad(decode(b, "plain.rgb"));
}

// Each row as one literal packet of two values, then the end marker.
Bytes rle_rgb() {
    Bytes b = sgi_header(1, 2, 2, 3);
    const Bytes planes = rgb_planes();
    const int rows = 6, table = 512 + rows * 8;
    for (int r = 0; r < rows; ++r)
        be32(b, static_cast<std::uint32_t>(table + r * 4));
    for (int r = 0; r < rows; ++r)
        be32(b, 4);
    for (int r = 0; r < rows; ++r)
        b.insert(b.end(), {0x82, planes[static_cast<std::size_t>(r * 2)],
                           planes[static_cast<std::size_t>(r * 2 + 1)], 0});
    return b;
}

TEST_F(SgiDecode, RunLengthRgb) {
    expect_quad(decode(rle_rgb(), "rle.rgb"));
}

TEST_F(SgiDecode, RepeatRunsAndGreyWithAlpha) {
    Bytes b = sgi_header(1, 3, 1, 2);
    const int table = 512 + 2 * 8;
    be32(b, table);
    be32(b, table + 3);
    be32(b, 3);
    be32(b, 3);
    b.insert(b.end(), {0x03, 90, 0});  // grey: 90 three times
    b.insert(b.end(), {0x03, 255, 0}); // alpha: opaque
    Decoded d = decode(b, "greyalpha.rgb");
    ASSERT_EQ(d.width, 3);
    EXPECT_EQ(d.at(2, 0), (Rgba{90, 90, 90, 255}));
}

TEST_F(SgiDecode, SixteenBitChannelsKeepTheHighByte) {
    Bytes b = sgi_header(0, 1, 1, 3, 2);
    b.insert(b.end(), {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00});
    EXPECT_EQ(decode(b, "deep.rgb").at(0, 0), (Rgba{0x12, 0xAB, 0xFF, 255}));
}

TEST_F(SgiDecode, ColourMappedAndHugeImagesAreRefused) {
    Bytes b = sgi_header(0, 1, 1, 1);
    b[107] = 1; // colour-map id
    b.push_back(0);
    EXPECT_TRUE(decode(b, "cmap.rgb").texels.empty());
    EXPECT_EQ(count_containing("Texture cmap.rgb uses colormap: unsupported\n"), 1);
    // A few bytes declaring 65535 × 65535 ask for nothing.
    Bytes huge = sgi_header(1, 65535, 65535, 3);
    EXPECT_TRUE(decode(huge, "huge.rgb").texels.empty());
    EXPECT_EQ(count_containing("Texture huge.rgb too large.\n"), 1);
    Bytes big = sgi_header(0, 4096, 4096, 4);
    EXPECT_TRUE(decode(big, "big.rgb").texels.empty());
    EXPECT_EQ(count_containing("IO Error reading big.rgb\n"), 1);
}

TEST_F(SgiDecode, RunsBeyondTheRowAreRefused) {
    Bytes b = rle_rgb();
    b[512 + 6 * 8] = 0x83; // three literal values in a row of two
    EXPECT_TRUE(decode(b, "overrun.rgb").texels.empty());
    EXPECT_EQ(count_containing("File overrun.rgb is not an image file in the correct format.\n"),
              1);
}

} // namespace
