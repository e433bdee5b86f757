// Binary NFF: the writer's bytes field by field, and the reader's handling
// of header items, trailing bytes, unknown table bytes, scale and merging.
#include "bnff_bytes.h"
#include "nff_save_fixture.h"

#include "orv/math.h"
#include "orv/texture.h"
#include "orv/viewpoint.h"

#include <algorithm>

namespace nfftest {
namespace {

constexpr int kPropertyOrder[] = {OVAMBIENT,  OVDIFFUSE,        OVSPECULAR, OVSHININESS,
                                  OVEMISSION, OVAMBIENTDIFFUSE, OVOPACITY};

// The material section as the layout gives it.
void table_bytes(Bytes &b, OVmtable *t) {
    const int properties = OVmtable_getproperties(t);
    b.u8(4).u8(8);
    for (int bit : kPropertyOrder)
        if (properties & bit) b.u8(bit);
    b.u8(9);
    for (int e = 0; e < OVmtable_getnumentries(t); ++e) {
        b.u8(0);
        for (int bit : kPropertyOrder) {
            if (!(properties & bit)) continue;
            float v[3] = {};
            OVmtable_getvalue(t, e, v, bit);
            b.u8(bit);
            for (int k = 0; k < (bit == OVSHININESS || bit == OVOPACITY ? 1 : 3); ++k)
                b.f32(v[k]);
        }
    }
    b.u8(5);
}

TEST_F(NffSave, BinaryWriterLayoutFieldByField) {
    OVviewpoint *eye = OVuniverse_getviewpoint();
    const OVp3 where = {1, 2, 3};
    OVviewpoint_setposition(eye, where);
    OVgeometry *g = OVgeometry_newrectangle(2, 1, 0);
    OVgeometry_setname(g, "plate");
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 4, nullptr);
    ASSERT_TRUE(OVgeometry_setmtable(g, t));
    OVpoly *p = OVgeometry_getpolys(g);
    _OVpoly_setcolor24(p, 0x102030);
    OVvertex *first = OVgeometry_getvertices(g), *second = OVvertex_next(first);
    const OVp3 up = {0, 0, 1};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, first, up));
    ASSERT_TRUE(OVgeometry_setvertexrgb(g, second, 0x12, 0x34, 0x56));
    OVpoly_setbothsides(p, 1);
    unsigned char pixels[2 * 2 * 4] = {};
    ASSERT_TRUE(OVtexture_replace("checker", OVIMAGE_RGBA, 2, 2, pixels));
    ASSERT_TRUE(OVpoly_settexture(p, "checker", 1, 1)) << g_log;
    OVpoly_rotatetexture(p, 0.5f);
    OVpoly_scaletexture(p, 2);
    const float shift[2] = {0, 0.25f};
    OVpoly_translatetexture(p, shift);
    OVpoly_mirrortexture(p);
    const std::string bytes = contents(save(g, OVFILE_BNFF, "plate.bnff"));

    Bytes want;
    want.header().u8(1).f32(1).f32(2).f32(3).u8(2);
    OVq q;
    OVviewpoint_getorientation(eye, q);
    OVp3 d;
    OVq_2dir(q, d);
    want.f32(d[0]).f32(d[1]).f32(d[2]);
    want.u8(3).str("plate");
    table_bytes(want, OVgeometry_getmtable(g));
    std::uint32_t vertices = 0;
    for (OVvertex *v = first; v; v = OVvertex_next(v))
        ++vertices;
    want.u32(vertices);
    for (OVvertex *v = first; v; v = OVvertex_next(v)) {
        OVp3 at;
        OVvertex_getposition(v, at);
        want.f32(at[0]).f32(at[1]).f32(at[2]);
        if (v == first) {
            want.u8(1).f32(0).f32(0).f32(1);
        } else if (v == second) {
            want.u8(4).u8(0x12).u8(0x34).u8(0x56);
        } else {
            want.u8(0);
        }
    }
    want.u32(1).u32(4);
    for (int i = 0; i < 4; ++i)
        want.u32(static_cast<std::uint32_t>(vertex_number(g, OVpoly_getvertex(p, i))));
    want.u32(static_cast<std::uint32_t>(OVpoly_getmatid(p)));
    want.u8(1).u8(2).str("U_checker").u8(4).f32(0.5f).u8(5).f32(2);
    want.u8(6).f32(0).f32(0.25f).u8(7).u8(0);
    EXPECT_EQ(bytes, want.s);
    OVgeometry_delete(g);
}

TEST_F(NffSave, BinaryHeaderSkipsOtherBytesAndGeometriesEndAtAnyOtherTag) {
    Bytes b;
    b.header().u8(7).u8(2).f32(0).f32(0).f32(0).u8(1).f32(4).f32(5).f32(6).u8(0x55);
    b.geometry("one").triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    b.u8(9).geometry("two"); // not a geometry tag: the file ends there
    std::string path = (dir_ / "header.bnff").string();
    write_bytes(path, b.s);
    OVpq view;
    OVgeometry *g = load(path, OVFILE_BNFF, &view);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(_OVgeomlist_next(loaded_.back()), nullptr);
    EXPECT_FLOAT_EQ(view.p[0], 4);
    EXPECT_FLOAT_EQ(view.p[2], 6);
    EXPECT_FLOAT_EQ(view.q[3], 1); // a zero direction leaves the orientation
    EXPECT_EQ(g_log, "");
}

TEST_F(NffSave, BinaryTableEntriesSkipOtherBytes) {
    Bytes b;
    b.header().u8(3).str("x").u8(4).u8(8).u8(0x20).u8(0x80).u8(9);
    b.u8(0x77).u8(0).u8(0x20).f32(0).f32(1).f32(0).u8(0x33).u8(0).u8(0x20).f32(0).f32(0).f32(1);
    b.u8(5).triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(1).u8(0);
    std::string path = (dir_ / "entries.bnff").string();
    write_bytes(path, b.s);
    OVgeometry *g = load(path, OVFILE_BNFF);
    ASSERT_NE(g, nullptr) << g_log;
    OVmtable *t = OVgeometry_getmtable(g);
    ASSERT_EQ(OVmtable_getnumentries(t), 2);
    EXPECT_EQ(OVmtable_getproperties(t), OVAMBIENTDIFFUSE);
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0x00FF00u);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(g)), 0x0000FFu);
}

TEST_F(NffSave, BinaryReaderScalesAndMerges) {
    Bytes b;
    b.header();
    for (const char *name : {"a", "b"})
        b.geometry(name).triangle_vertices().u32(1).u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    std::string path = (dir_ / "two.bnff").string();
    write_bytes(path, b.s);
    OVpq view;
    OVgeomlist *l =
        _OVgeometry_load(std::fopen(path.c_str(), "rb"), "two.bnff", OVFILE_BNFF, &view, 3, 1);
    ASSERT_NE(l, nullptr) << g_log;
    loaded_.push_back(l);
    EXPECT_EQ(_OVgeomlist_next(l), nullptr); // merged into the first
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_STREQ(OVgeometry_getname(g), "a");
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    float largest = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 at;
        OVvertex_getposition(v, at);
        largest = std::max(largest, at[0]);
    }
    EXPECT_FLOAT_EQ(largest, 3);
    l = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "two.bnff", OVFILE_BNFF, &view, 1, 0);
    ASSERT_NE(l, nullptr);
    loaded_.push_back(l);
    ASSERT_NE(_OVgeomlist_next(l), nullptr);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(_OVgeomlist_next(l))), "b");
}

} // namespace
} // namespace nfftest
