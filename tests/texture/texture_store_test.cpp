// The texture store: loading and resizing, the coded messages, caller pixels,
// filters, use marks and memory.
#include "texture_fixtures.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

using namespace texture_test;

namespace {

// A w × h 24-bit Targa file of one grey level.
std::string targa_file(const std::string &name, int w, int h, int grey = 100) {
    Bytes b = targa_header(2, w, h, 24, 0);
    b.resize(b.size() + static_cast<std::size_t>(w * h * 3), static_cast<std::uint8_t>(grey));
    std::string path = temp_file(name);
    write_file(path, b);
    return path;
}

unsigned char *rgba_pixels(int w, int h) {
    auto *p = static_cast<unsigned char *>(OVmalloc(static_cast<std::size_t>(w * h * 4)));
    std::memset(p, 200, static_cast<std::size_t>(w * h * 4));
    return p;
}

struct TextureStore : StoreTest {};

TEST_F(TextureStore, SidesRoundToThePowerOfTwoNearestByFiveEighths) {
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(targa_file("300x200.tga", 300, 200).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
    EXPECT_EQ(p[4 * (128 * 256 + 128)], 100); // a uniform picture stays uniform
    OVfree(p);
    p = OVtexture_load(targa_file("400x1.tga", 400, 1).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 1);
    OVfree(p);
}

TEST_F(TextureStore, MissingFileReportedOncePerPath) {
    int w, h;
    EXPECT_EQ(OVtexture_load("no_such_texture.tga", &w, &h), nullptr);
    EXPECT_EQ(OVtexture_load("no_such_texture.tga", &w, &h), nullptr);
    EXPECT_EQ(count_containing("Texture no_such_texture.tga not found\n"), 1);
}

TEST_F(TextureStore, TheReporterRemembersSixPaths) {
    int w, h;
    for (int i = 0; i < 7; ++i)
        OVtexture_load(("missing" + std::to_string(i)).c_str(), &w, &h);
    OVtexture_load("missing6", &w, &h); // still remembered
    EXPECT_EQ(count_containing("Texture missing6 not found"), 1);
    OVtexture_load("missing0", &w, &h); // pushed out by the seventh
    EXPECT_EQ(count_containing("Texture missing0 not found"), 2);
}

TEST_F(TextureStore, NameWithoutExtensionTriesTgaRgbJpg) {
    Bytes sgi = sgi_header(0, 1, 1, 1);
    sgi.push_back(77);
    write_file(temp_file("retry.rgb"), sgi);
    OVfile_setimagepath(::testing::TempDir().c_str());
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load("orv_texture_retry", &w, &h);
    OVfile_setimagepath("");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 77);
    OVfree(p);
}

TEST_F(TextureStore, NewTexturesAreSharedByName) {
    std::string path = targa_file("shared.tga", 4, 4);
    OVtexture *t = OVtexture_new(path.c_str(), 0, 4);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVtexture_new(path.c_str(), 0, 4), t);
    int mag, min;
    EXPECT_TRUE(OVtexture_getfilter(path.c_str(), &mag, &min));
    EXPECT_EQ(mag, 0);
    EXPECT_EQ(min, 4);
    EXPECT_EQ(OVtexture_memory(), (4 * 4 * 4 * 4 + 2) / 3); // mipmapped
}

TEST_F(TextureStore, ReplaceRefusesSidesThatAreNotPowersOfTwo) {
    unsigned char pixels[128 * 128 * 4] = {};
    EXPECT_FALSE(OVtexture_replace("caller", OVIMAGE_RGBA, 100, 64, pixels));
    EXPECT_FALSE(OVtexture_replace("caller", OVIMAGE_RGBA, 0, 64, pixels));
    EXPECT_FALSE(OVtexture_replace("caller", OVIMAGE_RGBA, 64, -64, pixels));
    EXPECT_FALSE(OVtexture_replace("caller", OVIMAGE_RGBA, 2048, 64, pixels));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(OVtexture_replace("caller", 1, 64, 64, pixels));
    EXPECT_EQ(count_containing("The format for bitmap caller is not OVIMAGE_RGBA\n"), 1);
    EXPECT_FALSE(OVtexture_getfilter("caller", nullptr, nullptr));
    EXPECT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 64, 32, pixels));
    EXPECT_TRUE(OVtexture_getfilter("caller", nullptr, nullptr));
    EXPECT_EQ(OVtexture_memory(), 64 * 32 * 4);
    EXPECT_TRUE(OVtexture_replace("caller", OVIMAGE_RGBA, 128, 128, pixels));
    EXPECT_EQ(OVtexture_memory(), 128 * 128 * 4);
}

TEST_F(TextureStore, FromDataIsResizedAndRefillsAnExistingName) {
    OVtexture *t = OVtexture_newfromdata("data", rgba_pixels(3, 9), 3, 9);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVtexture_memory(), 4 * 8 * 4); // 3 → 4, 9 → 8
    EXPECT_EQ(OVtexture_newfromdata("data", rgba_pixels(8, 8), 8, 8), t);
    EXPECT_EQ(OVtexture_memory(), 8 * 8 * 4);
    EXPECT_EQ(OVtexture_newfromdata("bad", rgba_pixels(1, 1), 0, 1), nullptr);
}

TEST_F(TextureStore, FiltersAndDefaults) {
    int mag = -2, min = -2;
    EXPECT_TRUE(OVtexture_getfilter(nullptr, &mag, &min));
    EXPECT_EQ(mag, 1); // texture objects exist
    EXPECT_EQ(min, 1);
    EXPECT_FALSE(OVtexture_getfilter("unknown", &mag, &min));
    EXPECT_EQ(mag, -1);
    EXPECT_EQ(min, -1);
    EXPECT_FALSE(OVtexture_setfilter(nullptr, 4, 1));
    EXPECT_FALSE(OVtexture_setfilter(nullptr, 1, 8));
    EXPECT_TRUE(OVtexture_setfilter(nullptr, 0, 7));
    OVtexture_newfromdata("fresh", rgba_pixels(2, 2), 2, 2);
    EXPECT_TRUE(OVtexture_getfilter("fresh", &mag, &min));
    EXPECT_EQ(mag, 0);
    EXPECT_EQ(min, 7);
    // An unknown name is loaded from its file with the filters given.
    std::string path = targa_file("filtered.tga", 2, 2);
    EXPECT_TRUE(OVtexture_setfilter(path.c_str(), 3, 5));
    EXPECT_TRUE(OVtexture_getfilter(path.c_str(), &mag, &min));
    EXPECT_EQ(min, 5);
}

TEST_F(TextureStore, UseMarksLoadUnknownNamesAndReleaseOnce) {
    std::string path = targa_file("used.tga", 2, 2);
    EXPECT_FALSE(OVtexture_setused("nothing_by_that_name.tga", 0));
    EXPECT_TRUE(OVtexture_setused(path.c_str(), 1));
    EXPECT_EQ(OVtexture_memory(), 2 * 2 * 4);
    EXPECT_TRUE(OVtexture_setused(path.c_str(), 1)); // counted once
    EXPECT_TRUE(OVtexture_setused(path.c_str(), 0));
    // No use left: pending deletion, no longer counted.
    EXPECT_EQ(OVtexture_memory(), 0);
    EXPECT_TRUE(OVtexture_setused(path.c_str(), 1)); // cancels the deletion
    EXPECT_EQ(OVtexture_memory(), 2 * 2 * 4);
}

TEST_F(TextureStore, AfterATooLargeReportTheNextProblemIsReportedByItsOwnCode) {
    int w, h;
    // 1025 rows: one more than a Targa file may have.
    EXPECT_EQ(OVtexture_load(targa_file("tall.tga", 1, 1025).c_str(), &w, &h), nullptr);
    EXPECT_EQ(count_containing("too large.\n"), 1);
    EXPECT_EQ(OVtexture_load("after_too_large.tga", &w, &h), nullptr);
    EXPECT_EQ(count_containing("Texture after_too_large.tga not found\n"), 1);
    EXPECT_EQ(count_containing("too large"), 1);
    // 1024 is still a size a file may have.
    unsigned char *p = OVtexture_load(targa_file("edge.tga", 1, 1024).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(h, 1024);
    OVfree(p);
}

TEST_F(TextureStore, NewFromAMissingFileIsNullAndLeavesNoTexture) {
    EXPECT_EQ(OVtexture_new("never_there.tga", 1, 1), nullptr);
    EXPECT_EQ(count_containing("Texture never_there.tga not found\n"), 1);
    EXPECT_FALSE(OVtexture_getfilter("never_there.tga", nullptr, nullptr));
    EXPECT_EQ(OVtexture_memory(), 0);
    // Filters out of range are refused for a known texture as for the defaults.
    OVtexture_newfromdata("known", rgba_pixels(2, 2), 2, 2);
    EXPECT_FALSE(OVtexture_setfilter("known", -1, 1));
    EXPECT_FALSE(OVtexture_setfilter("known", 1, -1));
    EXPECT_FALSE(OVtexture_setfilter("known", 4, 1));
    int mag = -2, min = -2;
    EXPECT_TRUE(OVtexture_getfilter("known", &mag, &min));
    EXPECT_EQ(mag, 1);
    EXPECT_EQ(min, 1);
}

TEST_F(TextureStore, MemoryCountsEveryTextureAndAThirdMoreForMipmaps) {
    OVtexture_newfromdata("plain", rgba_pixels(8, 4), 8, 4);
    OVtexture_newfromdata("mipmapped", rgba_pixels(2, 2), 2, 2);
    ASSERT_TRUE(OVtexture_setfilter("mipmapped", 0, 6));
    EXPECT_EQ(OVtexture_memory(), 8 * 4 * 4 + (2 * 2 * 4 * 4 + 2) / 3);
}

TEST_F(TextureStore, NullNamesAndPixelsAreRefusedWithoutACrash) {
    int w = -1, h = -1;
    EXPECT_EQ(OVtexture_load(nullptr, &w, &h), nullptr);
    EXPECT_EQ(OVtexture_new(nullptr, 1, 1), nullptr);
    EXPECT_EQ(OVtexture_newfromdata("empty", nullptr, 2, 2), nullptr);
    EXPECT_EQ(OVtexture_newfromdata(nullptr, rgba_pixels(2, 2), 2, 2), nullptr);
    EXPECT_FALSE(OVtexture_replace("empty", OVIMAGE_RGBA, 2, 2, nullptr));
    unsigned char pixels[4 * 4] = {};
    EXPECT_FALSE(OVtexture_replace(nullptr, OVIMAGE_RGBA, 2, 2, pixels));
    EXPECT_FALSE(OVtexture_setused(nullptr, 1));
    EXPECT_FALSE(OVtexture_getfilter("empty", nullptr, nullptr));
    EXPECT_EQ(OVtexture_memory(), 0);
}

struct SquareTextures : MessageTest {
    void SetUp() override {
        setenv("ORVSQRTEX", "1", 1);
        setenv("ORVMAXTEXSIZE", "64", 1);
        OVuniverse_new(512, 0);
        unsetenv("ORVSQRTEX");
        unsetenv("ORVMAXTEXSIZE");
        MessageTest::SetUp();
    }
    void TearDown() override {
        MessageTest::TearDown();
        OVuniverse_delete();
    }
};

TEST_F(SquareTextures, SquareOptionAndMaximumReduceByBoxes) {
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(targa_file("64x32.tga", 64, 32).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    OVfree(p);
    p = OVtexture_load(targa_file("256x128.tga", 256, 128).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 64); // the maximum first, then the smaller side
    EXPECT_EQ(h, 64);
    OVfree(p);
}

struct SquareOnly : MessageTest {
    void SetUp() override {
        setenv("ORVSQRTEX", "1", 1);
        OVuniverse_new(512, 0);
        unsetenv("ORVSQRTEX");
        MessageTest::SetUp();
    }
    void TearDown() override {
        MessageTest::TearDown();
        OVuniverse_delete();
    }
};

TEST_F(SquareOnly, AWideImageBecomesSquareAtItsSmallerSide) {
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(targa_file("256x128.tga", 256, 128, 60).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 128);
    EXPECT_EQ(h, 128);
    EXPECT_EQ(p[4 * (64 * 128 + 64)], 60);
    OVfree(p);
    // A square one is left as it is.
    p = OVtexture_load(targa_file("32x32.tga", 32, 32).c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    OVfree(p);
}

TEST_F(SquareTextures, AlphaThresholdOrAveraging) {
    // One opaque red texel and one transparent black one, made square.
    Bytes b = targa_header(2, 2, 1, 32, 0x28);
    b.insert(b.end(), {0, 0, 255, 255, 0, 0, 0, 0});
    write_file(temp_file("keyed.tga"), b);
    int w, h;
    unsigned char *p = OVtexture_load(temp_file("keyed.tga").c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(w, 1);
    EXPECT_EQ(p[0], 255); // the opaque texel's colour
    EXPECT_EQ(p[3], 255); // half opaque counts as opaque
    OVfree(p);
    OVuniverse_setoption(15, 1);
    p = OVtexture_load(temp_file("keyed.tga").c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 127);
    EXPECT_EQ(p[3], 127);
    OVfree(p);
}

// A Targa file of w × h texels, top row first, each texel given by a function.
template <typename Texel>
std::string targa_rgba(const std::string &name, int w, int h, Texel texel) {
    Bytes b = targa_header(2, w, h, 32, 0x28);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgba t = texel(x, y);
            for (int c : {t.b, t.g, t.r, t.a})
                b.push_back(static_cast<std::uint8_t>(c));
        }
    std::string path = temp_file(name);
    write_file(path, b);
    return path;
}

Rgba texel_at(const unsigned char *p, int w, int x, int y) {
    const unsigned char *t = p + 4 * (y * w + x);
    return {t[0], t[1], t[2], t[3]};
}

TEST_F(TextureStore, EachSideRoundsAtFiveEighthsOfItsPower) {
    // side → rounded: P/2 below P × 5/8, else P.
    const int cases[][2] = {{1, 1},   {2, 2}, {3, 4},     {5, 8},     {6, 8},    {12, 16},
                            {10, 16}, {9, 8}, {159, 128}, {160, 256}, {200, 256}};
    for (const auto &c : cases) {
        int w = 0, h = 0;
        const std::string name = "side" + std::to_string(c[0]) + ".tga";
        unsigned char *p = OVtexture_load(targa_file(name, c[0], 2).c_str(), &w, &h);
        ASSERT_NE(p, nullptr) << c[0];
        EXPECT_EQ(w, c[1]) << c[0];
        EXPECT_EQ(h, 2);
        OVfree(p);
    }
}

TEST_F(TextureStore, AReportedPathMovesToTheMostRecentPlace) {
    int w, h;
    for (int i = 0; i < 6; ++i)
        OVtexture_load(("gone" + std::to_string(i) + ".tga").c_str(), &w, &h);
    OVtexture_load("gone0.tga", &w, &h); // remembered: now the most recent
    OVtexture_load("gone6.tga", &w, &h); // pushes out the oldest, gone1
    OVtexture_load("gone0.tga", &w, &h);
    OVtexture_load("gone1.tga", &w, &h);
    EXPECT_EQ(count_containing("Texture gone0.tga not found\n"), 1);
    EXPECT_EQ(count_containing("Texture gone1.tga not found\n"), 2);
}

struct ImageSearch : StoreTest {
    void SetUp() override {
        StoreTest::SetUp();
        dir = orv_test::scratch_dir("orv_image_search");
        OVfile_setimagepath(dir.c_str());
    }
    void TearDown() override {
        OVfile_setimagepath("");
        std::filesystem::remove_all(dir);
        StoreTest::TearDown();
    }
    // Writes a 1 × 1 Targa or SGI image of one grey level into the directory.
    void image(const std::string &name, int grey) {
        Bytes b;
        if (name.ends_with(".rgb")) {
            b = sgi_header(0, 1, 1, 1);
            b.push_back(static_cast<std::uint8_t>(grey));
        } else {
            b = targa_header(3, 1, 1, 8, 0);
            b.push_back(static_cast<std::uint8_t>(grey));
        }
        write_file((dir / name).string(), b);
    }
    // The grey level of the loaded image, or -1.
    int grey_of(const char *name) {
        int w = 0, h = 0;
        unsigned char *p = OVtexture_load(name, &w, &h);
        if (!p) return -1;
        const int grey = p[0];
        OVfree(p);
        return grey;
    }
    std::filesystem::path dir;
};

TEST_F(ImageSearch, ExtensionsAreTriedTgaThenRgbThenJpg) {
    image("pic.rgb", 20);
    image("pic.tga", 10);
    EXPECT_EQ(grey_of("pic"), 10);
    std::filesystem::remove(dir / "pic.tga");
    EXPECT_EQ(grey_of("pic"), 20);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ImageSearch, ANameWithAnExtensionIsNotExtended) {
    image("photo.png.tga", 30);
    EXPECT_EQ(grey_of("photo.png"), -1);
    EXPECT_EQ(count_containing("Texture photo.png not found\n"), 1);
}

TEST_F(ImageSearch, ANameFoundNowhereIsReportedAsGiven) {
    EXPECT_EQ(grey_of("nowhere"), -1);
    EXPECT_EQ(count_containing("Texture nowhere not found\n"), 1);
    EXPECT_FALSE(OVtexture_setused("nowhere_used", 1));
    EXPECT_EQ(count_containing("Texture nowhere_used not found\n"), 1);
}

struct SmallMaximum : MessageTest {
    void SetUp() override {
        setenv("ORVMAXTEXSIZE", "64", 1);
        OVuniverse_new(512, 0);
        unsetenv("ORVMAXTEXSIZE");
        MessageTest::SetUp();
    }
    void TearDown() override {
        MessageTest::TearDown();
        OVuniverse_delete();
    }
};

TEST_F(SmallMaximum, OnlyTheSideAboveTheMaximumIsReducedByAveraging) {
    // Columns alternate between two greys: pairs of them average out.
    const std::string path = targa_rgba("stripes.tga", 128, 32, [](int x, int) {
        const int grey = x % 2 ? 200 : 0;
        return Rgba{grey, grey, grey, 255};
    });
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(path.c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32); // not made square
    EXPECT_EQ(texel_at(p, w, 10, 5), (Rgba{100, 100, 100, 255}));
    OVfree(p);
    EXPECT_FALSE(OVtexture_replace("wide", OVIMAGE_RGBA, 128, 64, p)); // above the maximum
    unsigned char kept[64 * 64 * 4] = {};
    EXPECT_TRUE(OVtexture_replace("edge", OVIMAGE_RGBA, 64, 64, kept));
}

// Blocks of 2 × 2 texels: on the left one opaque red texel in four, on the
// right two; the others are transparent black.
std::string keyed_blocks() {
    return targa_rgba("blocks.tga", 128, 128, [](int x, int y) {
        const int in_block = (y % 2) * 2 + x % 2;
        const bool opaque = x < 64 ? in_block == 0 : in_block < 2;
        return opaque ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 0, 0};
    });
}

TEST_F(SmallMaximum, ABlockIsOpaqueWhenAtLeastHalfOfItIs) {
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(keyed_blocks().c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(w, 64);
    ASSERT_EQ(h, 64);
    EXPECT_EQ(texel_at(p, w, 5, 5).a, 0);    // one in four
    EXPECT_EQ(texel_at(p, w, 50, 5).a, 255); // two in four
    EXPECT_EQ(texel_at(p, w, 50, 5).r, 255); // the opaque texels' colour
    OVfree(p);
}

TEST_F(SmallMaximum, AlphaAveragingAveragesAllFourChannels) {
    OVuniverse_setoption(15, 1);
    int w = 0, h = 0;
    unsigned char *p = OVtexture_load(keyed_blocks().c_str(), &w, &h);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(w, 64);
    const Rgba quarter = texel_at(p, w, 5, 5), half = texel_at(p, w, 50, 5);
    EXPECT_NEAR(quarter.a, 255 / 4.0, 1);
    EXPECT_NEAR(quarter.r, 255 / 4.0, 1);
    EXPECT_EQ(quarter.g, 0);
    EXPECT_NEAR(half.a, 255 / 2.0, 1);
    EXPECT_NEAR(half.r, 255 / 2.0, 1);
    OVfree(p);
}

TEST_F(ImageSearch, TheFirstBytesDecideTheFormatNotTheName) {
    Bytes sgi = sgi_header(0, 1, 1, 1);
    sgi.push_back(90);
    write_file((dir / "sgi_inside.tga").string(), sgi);
    EXPECT_EQ(grey_of("sgi_inside.tga"), 90);
    Bytes targa = targa_header(3, 1, 1, 8, 0);
    targa.push_back(70);
    write_file((dir / "targa_inside.rgb").string(), targa);
    EXPECT_EQ(grey_of("targa_inside.rgb"), 70);
}

TEST_F(TextureStore, NewPixelsForAnImageTheCallerKeepsLeaveTheCallersPixelsAlone) {
    unsigned char kept[4 * 4 * 4];
    std::memset(kept, 7, sizeof kept);
    ASSERT_TRUE(OVtexture_replace("swap", OVIMAGE_RGBA, 4, 4, kept));
    // Taking over new pixels must not free the caller's array.
    ASSERT_NE(OVtexture_newfromdata("swap", rgba_pixels(2, 2), 2, 2), nullptr);
    EXPECT_EQ(OVtexture_memory(), 2 * 2 * 4);
    EXPECT_EQ(kept[0], 7);
    // And the store's own pixels are given up when the caller's replace them.
    ASSERT_TRUE(OVtexture_replace("swap", OVIMAGE_RGBA, 4, 4, kept));
    EXPECT_EQ(OVtexture_memory(), 4 * 4 * 4);
}

TEST_F(ImageSearch, FiltersForAnUnknownNameLoadItsFileOrFail) {
    image("filtered.tga", 5);
    EXPECT_TRUE(OVtexture_setfilter("filtered", 0, 6));
    int mag = -2, min = -2;
    EXPECT_TRUE(OVtexture_getfilter("filtered", &mag, &min));
    EXPECT_EQ(mag, 0);
    EXPECT_EQ(min, 6);
    EXPECT_FALSE(OVtexture_setfilter("absent", 0, 6));
    EXPECT_EQ(count_containing("Texture absent not found\n"), 1);
    EXPECT_FALSE(OVtexture_getfilter("absent", &mag, &min));
    EXPECT_EQ(mag, -1);
    EXPECT_EQ(min, -1);
}

TEST_F(TextureStore, EveryCodedReportIsMadeOncePerPath) {
    const std::string tall = targa_file("tall_twice.tga", 1, 1100);
    int w, h;
    EXPECT_EQ(OVtexture_load(tall.c_str(), &w, &h), nullptr);
    EXPECT_EQ(OVtexture_load(tall.c_str(), &w, &h), nullptr);
    EXPECT_EQ(count_containing("Texture " + tall + " too large.\n"), 1);
}

} // namespace
