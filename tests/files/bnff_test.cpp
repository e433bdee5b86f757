// Binary NFF: the layout written field by field, round trips, the header's
// viewpoint, material tables, and every message of the reader on damaged
// and truncated files.
#include "bnff_bytes.h"
#include "nff_save_fixture.h"

#include "orv/math.h"
#include "orv/viewpoint.h"

#include <bit>
#include <cstdint>

namespace nfftest {
namespace {

// A triangle file written by hand.
std::string triangle_file(int first_index = 0) {
    Bytes b;
    b.header().u8(1).f32(1).f32(2).f32(3).geometry("tri");
    b.u32(3);
    b.f32(0).f32(0).f32(0).u8(0);
    b.f32(1).f32(0).f32(0).u8(1).f32(0).f32(0).f32(1);
    b.f32(0).f32(1).f32(0).u8(4).u8(0x12).u8(0x34).u8(0x56);
    b.u32(1).u32(3).u32(static_cast<std::uint32_t>(first_index)).u32(1).u32(2).u32(0);
    b.u8(1).u8(0x40).u8(0); // two-sided, an unknown item skipped, end
    return b.s;
}

TEST_F(NffSave, HandWrittenBinaryFileReads) {
    std::string path = (dir_ / "tri.bnff").string();
    write_bytes(path, triangle_file());
    OVpq view;
    OVgeometry *g = load(path, OVFILE_BNFF, &view);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_STREQ(OVgeometry_getname(g), "tri");
    EXPECT_FLOAT_EQ(view.p[1], 2);
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    EXPECT_EQ(_OVpoly_getcolor24(p), 0xFF0000u);
    OVvertex *v = OVgeometry_getvertices(g);
    OVp3 n;
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, v, n));
    v = OVvertex_next(v);
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
    EXPECT_FLOAT_EQ(n[2], 1);
    int r, gg, b;
    ASSERT_TRUE(OVgeometry_getvertexrgb(g, OVvertex_next(v), &r, &gg, &b));
    EXPECT_EQ(r << 16 | gg << 8 | b, 0x123456);
}

TEST_F(NffSave, EveryPrimitiveReadsBackFromBinary) {
    std::vector<OVgeometry *> shapes = decorated_primitives();
    int i = 0;
    for (OVgeometry *g : shapes) {
        std::string file = "shape" + std::to_string(i++) + ".bnff";
        OVgeometry *read = load(save(g, OVFILE_BNFF, file.c_str()), OVFILE_BNFF);
        expect_same_geometry(g, read, std::string(OVgeometry_getname(g)) + " binary");
        ASSERT_NE(read, nullptr);
        EXPECT_STREQ(OVgeometry_getname(read), OVgeometry_getname(g));
        // Binary keeps the floats exactly.
        OVp3 a, b;
        OVvertex_getposition(OVgeometry_getvertices(g), a);
        OVvertex_getposition(OVgeometry_getvertices(read), b);
        EXPECT_EQ(a[0], b[0]);
    }
    EXPECT_EQ(g_log.find("ORV Warning"), std::string::npos) << g_log;
    for (OVgeometry *g : shapes)
        OVgeometry_delete(g);
}

TEST_F(NffSave, VertexColourThroughBinary) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVvertex *v = OVvertex_next(OVgeometry_getvertices(g));
    ASSERT_TRUE(OVgeometry_setvertexrgb(g, v, 0x12, 0x34, 0x56));
    OVgeometry *read = load(save(g, OVFILE_BNFF, "colour.bnff"), OVFILE_BNFF);
    ASSERT_NE(read, nullptr) << g_log;
    OVvertex *back = OVvertex_next(OVgeometry_getvertices(read));
    int id = OVgeometry_getvertexmatid(read, back);
    ASSERT_GE(id, 0);
    EXPECT_EQ(OVmtable_getcolor24(OVgeometry_getmtable(read), id), 0x123456u);
    EXPECT_EQ(OVgeometry_getvertexmatid(read, OVgeometry_getvertices(read)), -1);
    OVgeometry_delete(g);
}

TEST_F(NffSave, MaterialTablesKeepEveryProperty) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVmtable *table = OVmtable_new(
        OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY, 3, nullptr);
    float colour[3] = {0.25f, 0.5f, 0.75f}, one = 0.375f;
    for (int e = 0; e < 2; ++e) {
        int i = OVmtable_newentry(table);
        for (int bit : {OVAMBIENT, OVDIFFUSE, OVSPECULAR, OVEMISSION})
            OVmtable_setvalue(table, i, colour, bit);
        OVmtable_setvalue(table, i, &one, OVSHININESS);
        OVmtable_setvalue(table, i, &one, OVOPACITY);
        colour[0] += 0.125f;
    }
    ASSERT_TRUE(OVgeometry_setmtable(g, table));
    OVpoly_setmatid(OVgeometry_getpolys(g), 1);
    OVgeometry *read = load(save(g, OVFILE_BNFF, "table.bnff"), OVFILE_BNFF);
    ASSERT_NE(read, nullptr) << g_log;
    OVmtable *back = OVgeometry_getmtable(read);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(OVmtable_getproperties(back), OVmtable_getproperties(table));
    ASSERT_EQ(OVmtable_getnumentries(back), 2);
    for (int bit : {OVAMBIENT, OVDIFFUSE, OVSPECULAR, OVSHININESS, OVEMISSION, OVOPACITY}) {
        float want[3] = {}, got[3] = {};
        OVmtable_getvalue(table, 1, want, bit);
        OVmtable_getvalue(back, 1, got, bit);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(want[k], got[k]) << bit;
    }
    EXPECT_EQ(OVpoly_getmatid(OVgeometry_getpolys(read)), 1);
    OVgeometry_delete(g);
}

// The material section is written even without a table, so the file reads.
TEST_F(NffSave, GeometryWithoutTableReadsBack) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 1);
    ASSERT_TRUE(OVgeometry_setmtable(g, nullptr));
    std::string path = save(g, OVFILE_BNFF, "plain.bnff");
    OVgeometry *read = load(path, OVFILE_BNFF);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_getmtable(read), nullptr);
    EXPECT_EQ(g_log, "");
    OVgeometry_delete(g);
}

// A stream that cannot seek (a pipe) is read in growing pieces.
TEST_F(NffSave, FileReadThroughAPipe) {
    OVgeometry *g = OVgeometry_newsphere(1, 70, 70, 0, 1); // several pieces
    std::string path = save(g, OVFILE_BNFF, "sphere.bnff");
    ASSERT_GT(contents(path).size(), 3u << 16);
    OVgeomlist *l = load_piped(contents(path), path);
    ASSERT_NE(l, nullptr) << g_log;
    loaded_.push_back(l);
    expect_same_geometry(g, _OVgeomlist_geometry(l), "piped");
    OVgeometry_delete(g);
}

TEST_F(NffSave, HeaderCarriesTheCurrentViewpoint) {
    OVviewpoint *eye = OVuniverse_getviewpoint();
    ASSERT_NE(eye, nullptr);
    OVp3 where = {4, 5, 6}, dir = {0, 0.6f, -0.8f};
    OVviewpoint_setposition(eye, where);
    OVviewpoint_setdirection(eye, dir);
    OVgeometry *g = OVgeometry_newcone(1, 1, 5, 0);
    OVpq ignored = {{9, 9, 9}, {0, 0, 0, 1}};
    OVpq view;
    ASSERT_NE(load(save(g, OVFILE_BNFF, "view.bnff", &ignored), OVFILE_BNFF, &view), nullptr);
    EXPECT_FLOAT_EQ(view.p[0], 4);
    EXPECT_FLOAT_EQ(view.p[2], 6);
    OVp3 back;
    OVq_2dir(view.q, back);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(back[k], dir[k], 1e-4f);
    OVgeometry_delete(g);
}

TEST_F(NffSave, LongNamesAreCutWithAWarning) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    std::string name(100, 'n');
    OVgeometry_setname(g, name.c_str());
    OVgeometry *read = load(save(g, OVFILE_BNFF, "long.bnff"), OVFILE_BNFF);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_EQ(std::string(OVgeometry_getname(read)), std::string(80, 'n'));
    EXPECT_TRUE(logged("Geometry name \"" + name + "\" is longer than 80 bytes: written as"));
    OVgeometry_delete(g);
}

struct Damage {
    const char *what;
    std::string bytes;
    const char *message;
};

TEST_F(NffSave, ReaderMessages) {
    Bytes no_material, no_properties, empty_properties, bad_index, long_string, huge_count,
        huge_polys, short_magic;
    no_material.header().u8(3).str("x").u8(7);
    no_properties.header().u8(3).str("x").u8(4).u8(9);
    empty_properties.header().u8(3).str("x").u8(4).u8(8).u8(77).u8(9).u8(5);
    bad_index.s = triangle_file(3);
    long_string.header().u8(3).u8(81).s += std::string(81, 'a');
    huge_count.header().geometry("x").u32(0xFFFFFFFFu).f32(0);
    huge_polys.header().geometry("x").triangle_vertices().u32(0x40000000u).u32(3);
    short_magic.s = "bnf";
    std::vector<Damage> cases = {
        {"no data", short_magic.s, "File %s has no data\n"},
        {"magic", "nffb....", "File %s. 'nffb' is not the magic string ('bnff')\n"},
        {"no material", no_material.s, "No material related information in the input file!!\n"},
        {"no property list", no_properties.s,
         "No valid-property-list in the material part of the input file !!\n"},
        {"no properties", empty_properties.s, "no valid properties defined for material table\n"},
        {"vertex index", bad_index.s,
         "bff_scan_polygon returned null in function bff_scan_geometry. \n"},
        {"string length", long_string.s, "is longer than 80 bytes\n"},
        {"vertex count", huge_count.s, "is more than the file holds\n"},
        {"polygon count", huge_polys.s, "is more than the file holds\n"},
    };
    std::string path = (dir_ / "bad.bnff").string();
    for (const Damage &d : cases) {
        g_log.clear();
        write_bytes(path, d.bytes);
        EXPECT_EQ(load(path, OVFILE_BNFF), nullptr) << d.what;
        std::string message = d.message;
        if (std::size_t at = message.find("%s"); at != std::string::npos)
            message.replace(at, 2, path);
        EXPECT_TRUE(logged(message)) << d.what << ": " << g_log;
    }
    g_log.clear();
    write_bytes(path, no_properties.s);
    load(path, OVFILE_BNFF);
    EXPECT_TRUE(logged("_bff_scan_mtable returned NULL \nORV Warning: Cannot parse mtable for "
                       "object.\n"))
        << g_log;
}

// A polygon that cannot close is ignored; with none left the geometry goes.
TEST_F(NffSave, PolygonsThatCannotCloseAreIgnored) {
    Bytes b;
    b.header().geometry("x").triangle_vertices();
    b.u32(2).u32(2).u32(0).u32(1).u32(0).u8(0); // two corners
    b.u32(3).u32(0).u32(1).u32(2).u32(0).u8(0); // a good triangle
    std::string path = (dir_ / "ignored.bnff").string();
    write_bytes(path, b.s);
    OVgeometry *g = load(path, OVFILE_BNFF);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    EXPECT_TRUE(logged("problem with polygon.\n"));
    EXPECT_TRUE(logged("1 polygons were ignored.\n"));
    Bytes none;
    none.header().geometry("x").triangle_vertices().u32(1).u32(2).u32(0).u32(1).u32(0).u8(0);
    write_bytes(path, none.s);
    g_log.clear();
    EXPECT_EQ(load(path, OVFILE_BNFF), nullptr) << g_log;
    EXPECT_TRUE(logged("No valid polygons in object.\n"));
    EXPECT_TRUE(logged("has no readable geometries\n"));
}

// A geometry that closing refuses is gone; reading it frees it once.
TEST_F(NffSave, GeometryRefusedAtCloseIsFreedOnce) {
    std::string text = (dir_ / "flat.nff").string();
    write_bytes(text, "nff\nx\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 0 0x000\n");
    EXPECT_EQ(load(text, OVFILE_NFF), nullptr);
    EXPECT_TRUE(logged("Can't make geometry - too few vertices\n")) << g_log;
    Bytes b;
    b.header().geometry("x").triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(0).u32(0).u8(0);
    std::string binary = (dir_ / "flat.bnff").string();
    write_bytes(binary, b.s);
    g_log.clear();
    EXPECT_EQ(load(binary, OVFILE_BNFF), nullptr);
    EXPECT_TRUE(logged("Can't make geometry - too few vertices\n")) << g_log;
}

// Every cut of a saved file is read without crash or hang and gives a message.
TEST_F(NffSave, TruncatedFilesGiveAMessage) {
    OVgeometry *g = OVgeometry_newsphere(1, 3, 4, 1, 1);
    OVgeometry_setvertexrgb(g, OVgeometry_getvertices(g), 1, 2, 3);
    std::string whole = contents(save(g, OVFILE_BNFF, "whole.bnff"));
    OVgeometry_delete(g);
    std::string path = (dir_ / "cut.bnff").string();
    for (std::size_t n = 0; n < whole.size(); ++n) {
        g_log.clear();
        write_bytes(path, whole.substr(0, n));
        EXPECT_EQ(load(path, OVFILE_BNFF), nullptr) << n;
        EXPECT_NE(g_log, "") << "a cut at " << n << " bytes was silent";
    }
    ASSERT_NE(load((dir_ / "whole.bnff").string(), OVFILE_BNFF), nullptr);
}

} // namespace
} // namespace nfftest
