// Images written by a real encoder (ImageMagick's convert) decode to the
// texels they were drawn with, in the same orientation whatever the format.
#include "texture_fixtures.h"

#include <cstdlib>

using namespace texture_test;

namespace {

constexpr int kJpegTolerance = 24;

// Runs convert to write a 2n × 2n picture: red top left, green top right,
// blue bottom left, white bottom right; options go before the output name.
std::string quadrants(const std::string &name, int n, const std::string &options) {
    std::string path = temp_file(name);
    std::string size = std::to_string(n) + "x" + std::to_string(n);
    std::string command = "convert -size " + size + " xc:red xc:lime +append \\( -size " + size +
                          " xc:blue xc:white +append \\) -append " + options + " '" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
}

bool near(const Rgba &a, const Rgba &b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && a.a == b.a;
}

// The centre texel of each quadrant.
void expect_quadrants(const Decoded &d, int n, int tolerance) {
    ASSERT_EQ(d.width, 2 * n);
    ASSERT_EQ(d.height, 2 * n);
    const int lo = n / 2, hi = n + n / 2;
    EXPECT_TRUE(near(d.at(lo, lo), {255, 0, 0, 255}, tolerance));
    EXPECT_TRUE(near(d.at(hi, lo), {0, 255, 0, 255}, tolerance));
    EXPECT_TRUE(near(d.at(lo, hi), {0, 0, 255, 255}, tolerance));
    EXPECT_TRUE(near(d.at(hi, hi), {255, 255, 255, 255}, tolerance));
}

Decoded decode_file(const std::string &path) {
    return decode(read_file(path), path);
}

struct EncoderFiles : MessageTest {};

// convert writes a Targa's rows in memory order and flags them with the
// picture's orientation, so the orientation is given: top-left rows as they
// are, bottom-left rows flipped first.
TEST_F(EncoderFiles, TargaPlainAndRunLengthInBothRowOrders) {
    expect_quadrants(decode_file(quadrants("plain.tga", 2, "-orient TopLeft -compress None")), 2,
                     0);
    expect_quadrants(decode_file(quadrants("rle.tga", 2, "-orient TopLeft -compress RLE")), 2, 0);
    expect_quadrants(
        decode_file(quadrants("bottom.tga", 2, "-flip -orient BottomLeft -compress None")), 2, 0);
    expect_quadrants(
        decode_file(quadrants("bottomrle.tga", 2, "-flip -orient BottomLeft -compress RLE")), 2, 0);
}

TEST_F(EncoderFiles, TargaWithTransparentTexels) {
    std::string path = temp_file("alpha.tga");
    ASSERT_EQ(std::system(("convert -size 2x2 xc:red xc:none +append '" + path + "'").c_str()), 0);
    Decoded d = decode_file(path);
    ASSERT_EQ(d.width, 4);
    EXPECT_EQ(d.at(0, 0).a, 255);
    EXPECT_EQ(d.at(3, 1).a, 0);
}

TEST_F(EncoderFiles, SgiPlainAndRunLength) {
    expect_quadrants(decode_file(quadrants("plain.sgi", 2, "-compress None")), 2, 0);
    expect_quadrants(decode_file(quadrants("rle.sgi", 2, "-compress RLE")), 2, 0);
}

TEST_F(EncoderFiles, BaselineAndProgressiveJpeg) {
    expect_quadrants(decode_file(quadrants("base.jpg", 8, "-quality 100")), 8, kJpegTolerance);
    expect_quadrants(decode_file(quadrants("prog.jpg", 8, "-quality 100 -interlace Plane")), 8,
                     kJpegTolerance);
}

TEST_F(EncoderFiles, GreyJpegIsOneComponent) {
    std::string path = temp_file("grey.jpg");
    ASSERT_EQ(std::system(("convert -size 8x8 xc:gray50 -colorspace Gray '" + path + "'").c_str()),
              0);
    Decoded d = decode_file(path);
    ASSERT_EQ(d.width, 8);
    EXPECT_TRUE(near(d.at(4, 4), {128, 128, 128, 255}, 4));
}

// The JFIF segment of a written JPEG swapped for an Exif one, as cameras write.
Bytes as_exif(const Bytes &jfif) {
    EXPECT_TRUE(jfif.size() > 20 && jfif[2] == 0xFF && jfif[3] == 0xE0);
    std::size_t app0 = 4 + static_cast<std::size_t>(jfif[4] << 8 | jfif[5]);
    Bytes tiff = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Bytes out = {0xFF, 0xD8, 0xFF, 0xE1};
    be16(out, static_cast<int>(tiff.size() + 2));
    for (std::uint8_t x : tiff)
        out.push_back(x);
    for (std::size_t i = app0; i < jfif.size(); ++i)
        out.push_back(jfif[i]);
    return out;
}

TEST_F(EncoderFiles, ExifJpegIsTakenAsJpeg) {
    Bytes exif = as_exif(read_file(quadrants("camera.jpg", 8, "-quality 100")));
    ASSERT_EQ(exif[3], 0xE1);
    expect_quadrants(decode(exif, "camera_exif.jpg"), 8, kJpegTolerance);
}

TEST_F(EncoderFiles, CorruptAndTruncatedJpegReturnToTheReader) {
    Bytes whole = read_file(quadrants("whole.jpg", 8, "-quality 90"));
    testing::internal::CaptureStderr();
    for (std::size_t n = 3; n < whole.size(); ++n) {
        Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_TRUE(decode(prefix, "cut" + std::to_string(n) + ".jpg").texels.empty()) << n;
    }
    testing::internal::GetCapturedStderr();
    EXPECT_GT(count_containing("IO Error reading cut"), 0);
}

TEST_F(EncoderFiles, HugeJpegDimensionsAreRefusedBeforeDecoding) {
    Bytes b = read_file(quadrants("small.jpg", 8, "-quality 90"));
    // The frame header (SOF0 or SOF2) holds height and width after the precision byte.
    for (std::size_t i = 2; i + 8 < b.size(); ++i)
        if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
            b[i + 5] = b[i + 7] = 0x7F; // 32767 × 32767, within JPEG's own limit
            break;
        }
    EXPECT_TRUE(decode(b, "huge.jpg").texels.empty());
    EXPECT_EQ(count_containing("Texture huge.jpg too large.\n"), 1);
}

TEST_F(EncoderFiles, FourComponentJpegIsRefusedWithItsMessage) {
    std::string path = temp_file("cmyk.jpg");
    ASSERT_EQ(std::system(("convert -size 8x8 xc:red -colorspace CMYK '" + path + "'").c_str()), 0);
    EXPECT_TRUE(decode_file(path).texels.empty());
    EXPECT_EQ(
        count_containing("Unsupported number of components per pixel in JPEG \t\t\t\t\tfile " +
                         path + "\n"),
        1);
}

} // namespace
