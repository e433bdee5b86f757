// Hostile image files: truncated at every length, huge sizes, bad runs and
// indices give a message and no texture, never a crash or the fatal path.
#include "texture_fixtures.h"

#include <cstdlib>

using namespace texture_test;

namespace {

struct HostileImages : MessageTest {};

Bytes small_targa(int type) {
    Bytes b = targa_header(type, 2, 2, 24, 0);
    if (type == 10) {
        b.insert(b.end(), {0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
    } else {
        for (int i = 0; i < 12; ++i)
            b.push_back(static_cast<std::uint8_t>(i * 20));
    }
    return b;
}

Bytes small_mapped() {
    Bytes b = targa_header(1, 2, 1, 8, 0, 1, 2, 24);
    b.insert(b.end(), {1, 2, 3, 4, 5, 6, 0, 1});
    return b;
}

Bytes small_sgi() {
    Bytes b = sgi_header(0, 2, 2, 3);
    for (int i = 0; i < 12; ++i)
        b.push_back(static_cast<std::uint8_t>(i));
    return b;
}

Bytes small_sgi_rle() {
    Bytes b = sgi_header(1, 1, 1, 1);
    be32(b, 520);
    be32(b, 3);
    b.insert(b.end(), {0x81, 9, 0});
    return b;
}

// Every prefix of the file is refused (the whole file decodes).
void expect_prefixes_refused(const Bytes &whole, const std::string &name) {
    ASSERT_FALSE(decode(whole, name).texels.empty()) << name;
    testing::internal::CaptureStderr();
    for (std::size_t n = 0; n < whole.size(); ++n) {
        messages().clear();
        Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_TRUE(decode(prefix, name + std::to_string(n)).texels.empty()) << name << " " << n;
    }
    testing::internal::GetCapturedStderr();
}

TEST_F(HostileImages, TruncatedTargaAtEveryLength) {
    expect_prefixes_refused(small_targa(2), "cut2.tga");
    expect_prefixes_refused(small_targa(10), "cut10.tga");
    expect_prefixes_refused(small_mapped(), "cut1.tga");
}

TEST_F(HostileImages, TruncatedSgiAtEveryLength) {
    expect_prefixes_refused(small_sgi(), "cut.rgb");
    expect_prefixes_refused(small_sgi_rle(), "cutrle.rgb");
}

TEST_F(HostileImages, TruncatedSgiSaysSo) {
    Bytes b = small_sgi();
    b.pop_back();
    EXPECT_TRUE(decode(b, "short.rgb").texels.empty());
    EXPECT_EQ(count_containing("IO Error reading short.rgb\n"), 1);
}

TEST_F(HostileImages, TargaRunPastTheImageEnd) {
    Bytes b = targa_header(10, 2, 1, 24, 0);
    b.insert(b.end(), {0x85, 1, 2, 3});
    EXPECT_TRUE(decode(b, "longrun.tga").texels.empty());
    EXPECT_EQ(count_containing("File longrun.tga is not an image file in the correct format.\n"),
              1);
}

TEST_F(HostileImages, ColourMapIndexPastTheMap) {
    Bytes b = targa_header(1, 2, 1, 8, 0, 1, 2, 24);
    b.insert(b.end(), {1, 2, 3, 4, 5, 6, 0, 2});
    EXPECT_TRUE(decode(b, "index.tga").texels.empty());
    EXPECT_EQ(count_containing("File index.tga is not an image file in the correct format.\n"), 1);
    Bytes below = targa_header(1, 1, 1, 8, 0, 1, 1, 24, 4);
    below.insert(below.end(), {1, 2, 3, 3});
    EXPECT_TRUE(decode(below, "below.tga").texels.empty());
}

TEST_F(HostileImages, TrueColourWithAMapOfAnOddEntrySizeSkipsTheMap) {
    Bytes b = targa_header(2, 1, 1, 24, 0, 1, 2, 20); // two 3-byte entries, never decoded
    b.insert(b.end(), {9, 9, 9, 9, 9, 9, 0, 0, 255});
    Decoded d = decode(b, "oddmap.tga");
    ASSERT_EQ(d.width, 1);
    EXPECT_EQ(d.at(0, 0), (Rgba{255, 0, 0, 255}));
}

TEST_F(HostileImages, HugeTargaIsTooLarge) {
    EXPECT_TRUE(decode(targa_header(2, 65535, 65535, 32, 0), "huge.tga").texels.empty());
    EXPECT_EQ(count_containing("Texture huge.tga too large.\n"), 1);
    EXPECT_TRUE(decode(targa_header(2, 0, 4, 32, 0), "empty.tga").texels.empty());
    EXPECT_EQ(count_containing("Texture empty.tga has an unsupported size\n"), 1);
}

TEST_F(HostileImages, RandomBytesNeverCrash) {
    std::srand(19);
    testing::internal::CaptureStderr();
    for (int round = 0; round < 2000; ++round) {
        Bytes b = round % 3 == 0   ? small_targa(10)
                  : round % 3 == 1 ? small_sgi_rle()
                                   : small_mapped();
        for (int k = 0; k < 4; ++k)
            b[static_cast<std::size_t>(std::rand()) % b.size()] =
                static_cast<std::uint8_t>(std::rand());
        Decoded d = decode(b, "random" + std::to_string(round));
        EXPECT_EQ(d.texels.size(), static_cast<std::size_t>(d.width * d.height));
    }
    testing::internal::GetCapturedStderr();
}

} // namespace
