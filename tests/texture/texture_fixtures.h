// Image files written byte by byte, and message capture, for the texture tests.
#pragma once

#include "orv/orv.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace texture_test {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba &) const = default;
};

inline std::vector<std::string> &messages() {
    static std::vector<std::string> all;
    return all;
}

inline int keep(const char *text) {
    messages().push_back(text);
    return 0;
}

inline int count_containing(const std::string &part) {
    int n = 0;
    for (const std::string &m : messages())
        n += m.find(part) != std::string::npos;
    return n;
}

inline std::string temp_file(const std::string &name) {
    return orv_test::scratch_file("orv_texture_" + name);
}

inline void write_file(const std::string &path, const Bytes &bytes) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline Bytes read_file(const std::string &path) {
    Bytes bytes;
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return bytes;
}

inline void le16(Bytes &b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

inline void be16(Bytes &b, int v) {
    b.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

inline void be32(Bytes &b, std::uint32_t v) {
    be16(b, static_cast<int>(v >> 16));
    be16(b, static_cast<int>(v & 0xFFFF));
}

// An 18-byte Targa header (no identification field unless id_length).
inline Bytes targa_header(int type, int width, int height, int bits, int descriptor,
                          int map_type = 0, int map_length = 0, int map_bits = 0,
                          int map_start = 0) {
    Bytes b = {0, static_cast<std::uint8_t>(map_type), static_cast<std::uint8_t>(type)};
    le16(b, map_start);
    le16(b, map_length);
    b.push_back(static_cast<std::uint8_t>(map_bits));
    le16(b, 0);
    le16(b, 0);
    le16(b, width);
    le16(b, height);
    b.push_back(static_cast<std::uint8_t>(bits));
    b.push_back(static_cast<std::uint8_t>(descriptor));
    return b;
}

// A 512-byte SGI header.
inline Bytes sgi_header(int storage, int width, int height, int channels, int bpc = 1) {
    Bytes b;
    be16(b, 474);
    b.push_back(static_cast<std::uint8_t>(storage));
    b.push_back(static_cast<std::uint8_t>(bpc));
    be16(b, channels > 1 ? 3 : 2);
    be16(b, width);
    be16(b, height);
    be16(b, channels);
    b.resize(512, 0);
    return b;
}

// Decoded texels of an image file's bytes; empty when it is refused.
struct Decoded {
    int width = 0, height = 0;
    std::vector<Rgba> texels;
    Rgba at(int x, int y) const { return texels[static_cast<std::size_t>(y * width + x)]; }
};

inline Decoded decode(const Bytes &bytes, const std::string &name) {
    Decoded d;
    unsigned char *p =
        _OVimage_decode(bytes.data(), bytes.size(), name.c_str(), &d.width, &d.height);
    if (!p) return Decoded{};
    for (int i = 0; i < d.width * d.height; ++i)
        d.texels.push_back({p[i * 4], p[i * 4 + 1], p[i * 4 + 2], p[i * 4 + 3]});
    OVfree(p);
    return d;
}

// Every test starts with no messages and the hook installed.
struct MessageTest : ::testing::Test {
    void SetUp() override {
        messages().clear();
        OVmessage_sethook(keep);
    }
    void TearDown() override { OVmessage_sethook(nullptr); }
};

// The same with a universe (and its window) for the texture store.
struct StoreTest : MessageTest {
    void SetUp() override {
        OVuniverse_new(512, 0);
        MessageTest::SetUp();
    }
    void TearDown() override {
        MessageTest::TearDown();
        OVuniverse_delete();
    }
};

// A universe, a stored texture "tex" of width x height pixels, and a
// rectangle whose polygon p the tests bind to it.
struct RectangleTest : StoreTest {
    RectangleTest(int width, int height, float rect_width, float rect_height)
        : width(width), height(height), rect_width(rect_width), rect_height(rect_height),
          pixels(static_cast<std::size_t>(width * height * 4)) {}
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(OVtexture_replace("tex", OVIMAGE_RGBA, width, height, pixels.data()));
        g = OVgeometry_newrectangle(rect_width, rect_height, 0);
        ASSERT_NE(g, nullptr);
        p = OVgeometry_getpolys(g);
    }
    void TearDown() override {
        OVgeometry_delete(g);
        StoreTest::TearDown();
    }
    // The u (or v) coordinates of the first n corners of poly.
    std::vector<float> coords(OVpoly *poly, bool want_u, int n = 4) {
        std::vector<float> u(static_cast<std::size_t>(n)), v(static_cast<std::size_t>(n));
        EXPECT_TRUE(OVpoly_getuv(poly, u.data(), v.data()));
        return want_u ? u : v;
    }

    int width, height;
    float rect_width, rect_height;
    std::vector<unsigned char> pixels;
    OVgeometry *g = nullptr;
    OVpoly *p = nullptr;
};

} // namespace texture_test
