// Targa images of every type, written byte by byte, decode to the texels they hold.
#include "texture_fixtures.h"

using namespace texture_test;

namespace {

constexpr int kTopToBottom = 0x20;
constexpr int kRightToLeft = 0x10;

const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255},
    white{255, 255, 255, 255};

// 2 × 2 true colour, 24 bits (B, G, R), rows in file order: red green / blue white.
Bytes bgr_quad() {
    return {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
}

struct TargaDecode : MessageTest {};

TEST_F(TargaDecode, TrueColourBottomUpPutsTheFirstRowAtTheBottom) {
    Bytes b = targa_header(2, 2, 2, 24, 0);
    for (auto x : bgr_quad())
        b.push_back(x);
    Decoded d = decode(b, "tc24.tga");
    ASSERT_EQ(d.width, 2);
    ASSERT_EQ(d.height, 2);
    EXPECT_EQ(d.at(0, 1), red);
    EXPECT_EQ(d.at(1, 1), green);
    EXPECT_EQ(d.at(0, 0), blue);
    EXPECT_EQ(d.at(1, 0), white);
}

TEST_F(TargaDecode, TopToBottomAndRightToLeftBits) {
    Bytes b = targa_header(2, 2, 2, 24, kTopToBottom | kRightToLeft);
    for (auto x : bgr_quad())
        b.push_back(x);
    Decoded d = decode(b, "tc24top.tga");
    ASSERT_EQ(d.width, 2);
    EXPECT_EQ(d.at(1, 0), red);
    EXPECT_EQ(d.at(0, 0), green);
    EXPECT_EQ(d.at(1, 1), blue);
    EXPECT_EQ(d.at(0, 1), white);
}

TEST_F(TargaDecode, ThirtyTwoBitsKeepAlphaWhenTheDescriptorHasAttributeBits) {
    Bytes b = targa_header(2, 2, 1, 32, kTopToBottom | 8);
    for (int x : {0, 0, 255, 128, 255, 0, 0, 0})
        b.push_back(static_cast<std::uint8_t>(x));
    Decoded d = decode(b, "tc32.tga");
    ASSERT_EQ(d.width, 2);
    EXPECT_EQ(d.at(0, 0), (Rgba{255, 0, 0, 128}));
    EXPECT_EQ(d.at(1, 0), (Rgba{0, 0, 255, 0}));
    // Without attribute bits the fourth byte is not alpha.
    b[17] = kTopToBottom;
    EXPECT_EQ(decode(b, "tc32noalpha.tga").at(1, 0), (Rgba{0, 0, 255, 255}));
}

TEST_F(TargaDecode, SixteenBitFiveFiveFive) {
    Bytes b = targa_header(2, 2, 1, 16, kTopToBottom | 1);
    le16(b, 0x8000 | 31 << 10); // opaque red
    le16(b, 31);                // blue, attribute bit clear: transparent
    Decoded d = decode(b, "tc16.tga");
    ASSERT_EQ(d.width, 2);
    EXPECT_EQ(d.at(0, 0), red);
    EXPECT_EQ(d.at(1, 0), (Rgba{0, 0, 255, 0}));
}

TEST_F(TargaDecode, GreyEightAndSixteenBits) {
    Bytes b = targa_header(3, 2, 1, 8, kTopToBottom);
    b.push_back(7);
    b.push_back(200);
    Decoded d = decode(b, "grey8.tga");
    ASSERT_EQ(d.width, 2);
    EXPECT_EQ(d.at(0, 0), (Rgba{7, 7, 7, 255}));
    EXPECT_EQ(d.at(1, 0), (Rgba{200, 200, 200, 255}));
    Bytes a = targa_header(3, 1, 1, 16, kTopToBottom | 8);
    a.push_back(90);
    a.push_back(40);
    EXPECT_EQ(decode(a, "grey16.tga").at(0, 0), (Rgba{90, 90, 90, 40}));
}

TEST_F(TargaDecode, ColourMappedWithAMapStartAndAnIdentificationField) {
    Bytes b = targa_header(1, 3, 1, 8, kTopToBottom, 1, 2, 24, 5);
    b[0] = 3; // identification field of three bytes
    for (int x : {'a', 'b', 'c'})
        b.push_back(static_cast<std::uint8_t>(x));
    for (int x : {0, 255, 0, 255, 0, 0}) // entries 5 (green) and 6 (blue)
        b.push_back(static_cast<std::uint8_t>(x));
    for (int x : {6, 5, 6})
        b.push_back(static_cast<std::uint8_t>(x));
    Decoded d = decode(b, "mapped.tga");
    ASSERT_EQ(d.width, 3);
    EXPECT_EQ(d.at(0, 0), blue);
    EXPECT_EQ(d.at(1, 0), green);
    EXPECT_EQ(d.at(2, 0), blue);
}

TEST_F(TargaDecode, RunLengthTrueColourRunsCrossRows) {
    Bytes b = targa_header(10, 2, 2, 24, kTopToBottom);
    for (int x : {0x82, 0, 0, 255, 0x00, 0, 255, 0}) // run of 3 red, 1 raw green
        b.push_back(static_cast<std::uint8_t>(x));
    Decoded d = decode(b, "rle24.tga");
    ASSERT_EQ(d.width, 2);
    EXPECT_EQ(d.at(0, 0), red);
    EXPECT_EQ(d.at(1, 0), red);
    EXPECT_EQ(d.at(0, 1), red);
    EXPECT_EQ(d.at(1, 1), green);
}

TEST_F(TargaDecode, RunLengthGreyAndMapped) {
    Bytes g = targa_header(11, 4, 1, 8, kTopToBottom);
    for (int x : {0x01, 10, 20, 0x81, 30})
        g.push_back(static_cast<std::uint8_t>(x));
    Decoded d = decode(g, "rlegrey.tga");
    ASSERT_EQ(d.width, 4);
    EXPECT_EQ(d.at(1, 0).r, 20);
    EXPECT_EQ(d.at(3, 0).r, 30);
    Bytes m = targa_header(9, 4, 1, 8, kTopToBottom, 1, 2, 32);
    for (int x : {255, 0, 0, 255, 0, 0, 255, 255}) // blue, red
        m.push_back(static_cast<std::uint8_t>(x));
    for (int x : {0x83, 1})
        m.push_back(static_cast<std::uint8_t>(x));
    Decoded e = decode(m, "rlemapped.tga");
    ASSERT_EQ(e.width, 4);
    EXPECT_EQ(e.at(3, 0), red);
}

TEST_F(TargaDecode, UnknownTypesAndSizesGiveTheirMessages) {
    EXPECT_TRUE(decode(targa_header(2, 1, 1, 12, 0), "bits.tga").texels.empty());
    EXPECT_EQ(count_containing("bits.tga - unknown pixel size - 12\n"), 1);
    EXPECT_TRUE(decode(targa_header(1, 1, 1, 8, 0, 0), "nomap.tga").texels.empty());
    EXPECT_EQ(count_containing(
                  "nomap.tga - mapped image (type 1) with color \t\t\t\t\t\t\t\tmap type != 1\n"),
              1);
    EXPECT_TRUE(decode(targa_header(1, 1, 1, 8, 0, 1, 1, 20), "mapbits.tga").texels.empty());
    EXPECT_EQ(
        count_containing("mapbits.tga - unknown colormap pixel size \t\t\t\t\t\t\t\t\t- 20\n"), 1);
    EXPECT_TRUE(decode(targa_header(7, 1, 1, 8, 0), "type.tga").texels.empty());
    EXPECT_EQ(count_containing("type.tga - unknown Targa image type 7\n"), 1);
    EXPECT_TRUE(decode(targa_header(2, 1025, 1, 24, 0), "wide.tga").texels.empty());
    EXPECT_EQ(count_containing("Texture wide.tga too large.\n"), 1);
    EXPECT_TRUE(decode(targa_header(32, 1, 1, 8, 0, 1, 1, 24), "huff.tga").texels.empty());
    EXPECT_EQ(count_containing("Texture huff.tga uses colormap: unsupported\n"), 1);
}

TEST_F(TargaDecode, InterleavedAndShortFilesReportOnTheErrorStream) {
    Bytes b = targa_header(2, 1, 1, 24, 0x40);
    b.insert(b.end(), {1, 2, 3});
    testing::internal::CaptureStderr();
    EXPECT_TRUE(decode(b, "interleaved.tga").texels.empty());
    b = targa_header(2, 2, 2, 24, 0);
    b.insert(b.end(), {1, 2, 3});
    EXPECT_TRUE(decode(b, "short.tga").texels.empty());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Do not support interleaved TARGA files.\n"), std::string::npos);
    EXPECT_NE(err.find("error in reading short.tga\n"), std::string::npos);
}

TEST_F(TargaDecode, FifteenBitPixelsAreFiveFiveFive) {
    Bytes b = targa_header(2, 2, 1, 15, kTopToBottom);
    // 0x7C00 is full red, 0x001F full blue, little-endian.
    b.insert(b.end(), {0x00, 0x7C, 0x1F, 0x00});
    Decoded d = decode(b, "tc15.tga");
    ASSERT_EQ(d.width, 2) << "a pixel size of 15 is accepted";
    EXPECT_EQ(d.at(0, 0).r, 255);
    EXPECT_EQ(d.at(0, 0).b, 0);
    EXPECT_EQ(d.at(1, 0).b, 255);
    EXPECT_EQ(d.at(1, 0).r, 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(TargaDecode, EveryMappedTypeNeedsAColourMap) {
    for (int type : {1, 9, 32, 33}) {
        const std::string name = "nomap" + std::to_string(type) + ".tga";
        EXPECT_TRUE(decode(targa_header(type, 1, 1, 8, 0, 0), name).texels.empty()) << type;
        EXPECT_EQ(count_containing(name + " - mapped image (type " + std::to_string(type) +
                                   ") with color \t\t\t\t\t\t\t\tmap type != 1\n"),
                  1)
            << type;
    }
}

TEST_F(TargaDecode, TrueColourAndGreyRefuseOtherPixelSizes) {
    for (int type : {2, 3, 10, 11}) {
        const std::string name = "bits" + std::to_string(type) + ".tga";
        EXPECT_TRUE(decode(targa_header(type, 1, 1, 9, 0), name).texels.empty()) << type;
        EXPECT_EQ(count_containing(name + " - unknown pixel size - 9\n"), 1) << type;
    }
}

} // namespace
