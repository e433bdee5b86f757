// Binary NFF reader edges: header directions and headers that end the file,
// style letters in either case, placement thresholds, zero normals, vertex
// coordinates, shared vertex colours, failures after good geometries, and
// long strings on the writer's side.
#include "bnff_bytes.h"
#include "nff_save_fixture.h"

#include "orv/math.h"
#include "orv/texture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace nfftest {
namespace {

constexpr float kExact = 1e-6f;

class BnffReader : public NffSave {
  protected:
    void SetUp() override {
        NffSave::SetUp();
        unsigned char pixels[4 * 4 * 4] = {};
        ASSERT_TRUE(OVtexture_replace("grain", OVIMAGE_RGBA, 4, 4, pixels));
        path_ = (dir_ / "edge.bnff").string();
    }
    // Writes the bytes and reads them back; the first geometry or null.
    OVgeometry *read(const Bytes &b, OVpq *view = nullptr) {
        write_bytes(path_, b.s);
        return load(path_, OVFILE_BNFF, view);
    }
    // A file of one triangle whose polygon ends with the given items.
    OVgeometry *triangle_with(const Bytes &items) {
        Bytes b;
        b.header().geometry("t").triangle_vertices();
        b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0);
        b.s += items.s;
        return read(b.u8(0));
    }
    std::string path_;
};

TEST_F(BnffReader, HeaderDirectionIsNormalised) {
    Bytes b;
    b.header().u8(2).f32(0).f32(0).f32(-5).geometry("d").triangle_vertices();
    b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    OVpq view;
    ASSERT_NE(read(b, &view), nullptr) << g_log;
    OVp3 direction;
    OVq_2dir(view.q, direction);
    EXPECT_NEAR(direction[0], 0, kExact);
    EXPECT_NEAR(direction[1], 0, kExact);
    EXPECT_NEAR(direction[2], -1, kExact);
    EXPECT_NEAR(std::sqrt(view.q[0] * view.q[0] + view.q[1] * view.q[1] + view.q[2] * view.q[2] +
                          view.q[3] * view.q[3]),
                1, 1e-5f);
}

// A header that reaches the end of the file leaves a file without geometries.
TEST_F(BnffReader, HeaderToTheEndOfTheFileHasNoGeometries) {
    Bytes only_version, position, skipped, cut_float;
    only_version.header();
    position.header().u8(1).f32(1).f32(2).f32(3);
    skipped.header().u8(7).u8(0x40);
    cut_float.header().u8(1).f32(1).u8(0x40);
    for (const Bytes *b : {&only_version, &position, &skipped, &cut_float}) {
        g_log.clear();
        OVpq view;
        EXPECT_EQ(read(*b, &view), nullptr);
        EXPECT_TRUE(logged("File '" + path_ + "' has no readable geometries\n")) << g_log;
    }
}

TEST_F(BnffReader, StyleLettersInEitherCase) {
    struct Letter {
        char letter;
        int shaded, transparent;
    };
    for (Letter l : {Letter{'s', 1, 0}, Letter{'S', 1, 0}, Letter{'t', 0, 1}, Letter{'T', 0, 1},
                     Letter{'v', 0, 0}, Letter{'x', 0, 0}}) {
        Bytes items;
        items.u8(2).str(std::string(1, l.letter) + "_grain");
        OVgeometry *g = triangle_with(items);
        ASSERT_NE(g, nullptr) << l.letter << g_log;
        OVtexinfo info;
        ASSERT_TRUE(OVpoly_gettextureinfo(OVgeometry_getpolys(g), &info)) << l.letter;
        EXPECT_STREQ(info.name, "grain");
        EXPECT_EQ(info.shaded, l.shaded) << l.letter;
        EXPECT_EQ(info.transparent, l.transparent) << l.letter;
    }
}

TEST_F(BnffReader, PlacementBelowTheThresholdIsNotApplied) {
    Bytes small, large;
    small.u8(2).str("V_grain").u8(4).f32(0.003f).u8(5).f32(1.003f).u8(6).f32(0.003f).f32(-0.003f);
    large.u8(2).str("V_grain").u8(4).f32(-0.5f).u8(5).f32(0.996f).u8(6).f32(0).f32(-0.004f);
    large.u8(7);
    OVgeometry *g = triangle_with(small);
    ASSERT_NE(g, nullptr) << g_log;
    OVtexinfo info;
    ASSERT_TRUE(OVpoly_gettextureinfo(OVgeometry_getpolys(g), &info));
    EXPECT_EQ(info.rotation, 0);
    EXPECT_EQ(info.scale, 1);
    EXPECT_EQ(info.translation[0], 0);
    EXPECT_EQ(info.translation[1], 0);
    EXPECT_EQ(info.mirrored, 0);
    g = triangle_with(large);
    ASSERT_NE(g, nullptr) << g_log;
    ASSERT_TRUE(OVpoly_gettextureinfo(OVgeometry_getpolys(g), &info));
    EXPECT_NE(info.rotation, 0);
    EXPECT_NE(info.scale, 1);
    EXPECT_TRUE(info.translation[0] != 0 || info.translation[1] != 0);
    EXPECT_NE(info.mirrored, 0);
}

// Coordinates on every corner are used as they are; a corner without one
// gives the default mapping.
TEST_F(BnffReader, VertexCoordinatesOnlyWhenEveryCornerHasThem) {
    auto file = [](bool all) {
        Bytes b;
        b.header().geometry("uv").u32(3);
        b.f32(0).f32(0).f32(0).u8(2).f32(0.125f).f32(0.25f);
        b.f32(1).f32(0).f32(0).u8(2).f32(0.5f).f32(0.75f);
        b.f32(0).f32(1).f32(0);
        if (all)
            b.u8(2).f32(0.875f).f32(1);
        else
            b.u8(0);
        b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(2).str("S_grain").u8(4).f32(1).u8(0);
        return b;
    };
    OVgeometry *g = read(file(true));
    ASSERT_NE(g, nullptr) << g_log;
    float u[3], v[3];
    ASSERT_TRUE(OVpoly_getuv(OVgeometry_getpolys(g), u, v));
    EXPECT_EQ(u[0], 0.125f);
    EXPECT_EQ(v[1], 0.75f);
    EXPECT_EQ(u[2], 0.875f);
    OVtexinfo info;
    ASSERT_TRUE(OVpoly_gettextureinfo(OVgeometry_getpolys(g), &info));
    EXPECT_EQ(info.rotation, 0); // placement items go with the default mapping only
    OVgeometry *mapped = read(file(false));
    ASSERT_NE(mapped, nullptr) << g_log;
    ASSERT_TRUE(OVpoly_gettextureinfo(OVgeometry_getpolys(mapped), &info));
    EXPECT_FLOAT_EQ(info.rotation, 1);
}

TEST_F(BnffReader, ZeroNormalIsNotStoredAndEqualColoursShareAnEntry) {
    Bytes b;
    b.header().geometry("n").u32(3);
    b.f32(0).f32(0).f32(0).u8(1 | 4).f32(0).f32(0).f32(0).u8(0x12).u8(0x34).u8(0x56);
    b.f32(1).f32(0).f32(0).u8(4).u8(0x12).u8(0x34).u8(0x56);
    b.f32(0).f32(1).f32(0).u8(1).f32(0).f32(2).f32(0);
    b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    OVgeometry *g = read(b);
    ASSERT_NE(g, nullptr) << g_log;
    OVvertex *first = OVgeometry_getvertices(g), *second = OVvertex_next(first),
             *third = OVvertex_next(second);
    OVp3 n;
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, first, n));
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, third, n));
    EXPECT_FLOAT_EQ(n[1], 2); // stored as given
    const int id = OVgeometry_getvertexmatid(g, first);
    EXPECT_EQ(OVgeometry_getvertexmatid(g, second), id);
    EXPECT_EQ(OVmtable_getnumentries(OVgeometry_getmtable(g)), 2); // the table's red and this
    EXPECT_EQ(OVmtable_getcolor24(OVgeometry_getmtable(g), id), 0x123456u);
}

// A failure in a later geometry keeps the geometries read before it.
TEST_F(BnffReader, LaterFailureKeepsEarlierGeometries) {
    Bytes b;
    b.header().geometry("good").triangle_vertices();
    b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    b.geometry("bad").triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(9).u32(0).u8(0);
    b.geometry("never").triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    OVgeometry *g = read(b);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_STREQ(OVgeometry_getname(g), "good");
    EXPECT_EQ(_OVgeomlist_next(loaded_.back()), nullptr);
    EXPECT_TRUE(logged("bff_scan_polygon returned null in function bff_scan_geometry. \n"));
    EXPECT_FALSE(logged("has no readable geometries"));
}

TEST_F(BnffReader, GeometryWithoutPolygonsIsDropped) {
    Bytes b;
    b.header().geometry("empty").triangle_vertices().u32(0);
    EXPECT_EQ(read(b), nullptr);
    EXPECT_TRUE(logged("No valid polygons in object.\n")) << g_log;
    EXPECT_TRUE(logged("File '" + path_ + "' has no readable geometries\n")) << g_log;
}

// Texture and portal strings longer than a length byte the reader accepts
// are cut, so the file still reads.
TEST_F(BnffReader, LongTextureNamesStillRead) {
    const std::string name(120, 'w');
    unsigned char pixels[4 * 4 * 4] = {};
    ASSERT_TRUE(OVtexture_replace(name.c_str(), OVIMAGE_RGBA, 4, 4, pixels));
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    ASSERT_TRUE(OVpoly_settexture(OVgeometry_getpolys(g), name.c_str(), 1, 1));
    g_log.clear();
    OVgeometry *back = load(save(g, OVFILE_BNFF, "long.bnff"), OVFILE_BNFF);
    EXPECT_NE(g_log, "") << "a cut string must be reported";
    ASSERT_NE(back, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(back), 1);
    OVgeometry_delete(g);
}

// Merged into the first geometry, each polygon keeps its own table's colour.
TEST_F(BnffReader, MergedGeometriesKeepTheirColours) {
    Bytes b;
    b.header().geometry("red").triangle_vertices();
    b.u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    b.u8(3).str("green").u8(4).u8(8).u8(0x20).u8(9);
    b.u8(0).u8(0x20).f32(0).f32(0).f32(1).u8(0).u8(0x20).f32(0).f32(1).f32(0).u8(5);
    b.triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(1).u8(0);
    write_bytes(path_, b.s);
    OVpq view;
    OVgeomlist *l =
        _OVgeometry_load(std::fopen(path_.c_str(), "rb"), path_.c_str(), OVFILE_BNFF, &view, 1, 1);
    ASSERT_NE(l, nullptr) << g_log;
    loaded_.push_back(l);
    ASSERT_EQ(_OVgeomlist_next(l), nullptr);
    OVgeometry *g = _OVgeomlist_geometry(l);
    ASSERT_EQ(OVgeometry_numpolys(g), 2);
    std::vector<unsigned> colours;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        colours.push_back(_OVpoly_getcolor24(p));
    std::sort(colours.begin(), colours.end());
    EXPECT_EQ(colours, (std::vector<unsigned>{0x00FF00u, 0xFF0000u}));
}

// The table read from the file gets a generated name; a property value
// before any entry has no entry to go to.
TEST_F(BnffReader, TableHasAGeneratedName) {
    Bytes b;
    b.header().u8(3).str("t").u8(4).u8(8).u8(0x20).u8(9);
    b.u8(0x20).f32(0).f32(0).f32(1).u8(0).u8(0x20).f32(0).f32(1).f32(0).u8(5);
    b.triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    OVgeometry *g = read(b);
    ASSERT_NE(g, nullptr) << g_log;
    OVmtable *t = OVgeometry_getmtable(g);
    ASSERT_NE(t, nullptr);
    const std::string name = OVmtable_getname(t);
    EXPECT_EQ(name.rfind("mt", 0), 0u) << name;
    EXPECT_GT(std::atoi(name.c_str() + 2), 0) << name;
    ASSERT_EQ(OVmtable_getnumentries(t), 1);
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0x00FF00u);
}

} // namespace
} // namespace nfftest
