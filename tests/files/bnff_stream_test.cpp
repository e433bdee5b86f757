// Binary NFF from a file read through a window and from a pipe read whole:
// the same geometry and the same messages either way, records across the
// window's refills, files read from part-way through, files that are empty,
// that end early or that shrink while they are read, and the whole-record
// decoding of plain vertices and triangles.
#include "bnff_bytes.h"
#include "nff_save_fixture.h"

#include <cstdio>
#include <filesystem>
#include <regex>

namespace nfftest {
namespace {

// A geometry of n plain triangles over three plain vertices, after a
// polygon of two corners, which the reader warns about as it goes.
std::string warning_then_triangles(int n) {
    Bytes b;
    b.header().geometry("x").triangle_vertices();
    b.u32(static_cast<std::uint32_t>(n + 1));
    b.u32(2).u32(0).u32(1).u32(0).u8(0);
    for (int i = 0; i < n; ++i)
        b.u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    return b.s;
}

// Messages with the polygon addresses they name taken out.
std::string without_addresses(const std::string &log) {
    static const std::regex address("Polygon [0-9a-f]+ ");
    return std::regex_replace(log, address, "Polygon ");
}

class BnffView : public NffSave {
  protected:
    // Loads bytes written to a file (read through the window) and through a
    // pipe under the same name; expects the same messages, and the same
    // geometry or none. Returns the file load's messages.
    std::string expect_same_both_ways(const std::string &bytes, const std::string &what) {
        const std::string path = (dir_ / "both.bnff").string();
        write_bytes(path, bytes);
        g_log.clear();
        OVgeometry *from_file = load(path, OVFILE_BNFF);
        const std::string file_log = g_log;
        g_log.clear();
        OVgeomlist *piped = load_piped(bytes, path);
        if (piped) loaded_.push_back(piped);
        EXPECT_EQ(without_addresses(g_log), without_addresses(file_log)) << what;
        EXPECT_EQ(from_file == nullptr, piped == nullptr) << what;
        if (from_file && piped) expect_same_geometry(from_file, _OVgeomlist_geometry(piped), what);
        return file_log;
    }
};

TEST_F(BnffView, FileAndPipeGiveTheSameGeometryAndMessages) {
    OVgeometry *g = OVgeometry_newsphere(1, 3, 4, 1, 1);
    OVgeometry_setvertexrgb(g, OVgeometry_getvertices(g), 1, 2, 3);
    OVpoly_setbothsides(OVgeometry_getpolys(g), 1);
    const std::string whole = contents(save(g, OVFILE_BNFF, "whole.bnff"));
    OVgeometry_delete(g);
    EXPECT_EQ(expect_same_both_ways(whole, "whole"), "");
    for (std::size_t n = 0; n < whole.size(); ++n)
        expect_same_both_ways(whole.substr(0, n), "cut at " + std::to_string(n));
    expect_same_both_ways(warning_then_triangles(3), "a polygon ignored");
}

TEST_F(BnffView, EmptyFilesHaveNoData) {
    const std::string path = (dir_ / "empty.bnff").string();
    write_bytes(path, "");
    EXPECT_EQ(load(path, OVFILE_BNFF), nullptr);
    EXPECT_TRUE(logged("File " + path + " has no data\n")) << g_log;
    // A device: no size to tell, nothing to read.
    g_log.clear();
    EXPECT_EQ(load("/dev/null", OVFILE_BNFF), nullptr);
    EXPECT_TRUE(logged("File /dev/null has no data\n")) << g_log;
}

// A stream already part-way through its file is read from where it stands,
// also when stdio holds bytes ahead.
TEST_F(BnffView, ReadFromTheStreamsPosition) {
    OVgeometry *g = OVgeometry_newcylinder(2, 1, 8, 0, 1);
    const std::string model = contents(save(g, OVFILE_BNFF, "model.bnff"));
    const std::string prefix(5000, 'x');
    const std::string path = (dir_ / "prefixed.bnff").string();
    write_bytes(path, prefix + model);
    std::FILE *f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string skipped(prefix.size(), '\0');
    ASSERT_EQ(std::fread(skipped.data(), 1, skipped.size(), f), prefix.size());
    OVpq view;
    OVgeomlist *l = _OVgeometry_load(f, path.c_str(), OVFILE_BNFF, &view, 1, 0);
    ASSERT_NE(l, nullptr) << g_log;
    loaded_.push_back(l);
    expect_same_geometry(g, _OVgeomlist_geometry(l), "after a prefix");
    OVgeometry_delete(g);
}

// A file cut after it was opened reads as the shorter file.
TEST_F(BnffView, FileThatEndsEarly) {
    OVgeometry *g = OVgeometry_newsphere(1, 12, 12, 0, 1);
    const std::string path = save(g, OVFILE_BNFF, "shrunk.bnff");
    OVgeometry_delete(g);
    const std::string cut = contents(path).substr(0, std::filesystem::file_size(path) / 2);
    EXPECT_EQ(load_piped(cut, path), nullptr);
    const std::string cut_log = g_log;
    ASSERT_NE(cut_log, "");
    g_log.clear();
    std::FILE *f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::filesystem::resize_file(path, cut.size());
    OVpq view;
    EXPECT_EQ(_OVgeometry_load(f, path.c_str(), OVFILE_BNFF, &view, 1, 0), nullptr);
    EXPECT_EQ(g_log, cut_log);
}

// Plain triangles enough to fill the read window several times over.
constexpr int kManyTriangles = 40000;

// Records straddle every refill of the window: a large file reads whole,
// the same as through a pipe, also with long records between plain ones.
TEST_F(BnffView, RecordsAcrossWindowRefills) {
    Bytes b;
    b.header().geometry("x").triangle_vertices();
    b.u32(kManyTriangles);
    for (int i = 0; i < kManyTriangles; ++i) {
        b.u32(3).u32(0).u32(1).u32(2).u32(static_cast<std::uint32_t>(i % 5));
        if (i % 7 == 0) b.u8(0x40); // an item to skip: the long form
        b.u8(0);
    }
    ASSERT_GT(b.s.size(), 3u * 256 * 1024);
    expect_same_both_ways(b.s, "many triangles");
    const std::string path = (dir_ / "many.bnff").string();
    write_bytes(path, b.s);
    OVgeometry *g = load(path, OVFILE_BNFF);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(g), kManyTriangles);
}

std::string g_shrink_path;

// Captures a message, and empties the file being read at the first warning.
int shrink_at_first_warning(const char *text) {
    g_log += text;
    if (!g_shrink_path.empty()) std::filesystem::resize_file(g_shrink_path, 0);
    g_shrink_path.clear();
    return 1;
}

// A file that shrinks while it is read ends where it was cut: what the
// window already holds is read, then the file ends early and is refused.
TEST_F(BnffView, FileThatShrinksWhileRead) {
    const std::string path = (dir_ / "shrinking.bnff").string();
    write_bytes(path, warning_then_triangles(kManyTriangles));
    g_shrink_path = path;
    OVmessage_sethook(shrink_at_first_warning);
    EXPECT_EQ(load(path, OVFILE_BNFF), nullptr);
    EXPECT_TRUE(g_shrink_path.empty()) << "no warning while reading";
    // As a file cut inside a polygon record.
    EXPECT_TRUE(logged("bff_scan_polygon returned null in function bff_scan_geometry. \n"))
        << g_log;
    // The same file, left alone, reads.
    write_bytes(path, warning_then_triangles(kManyTriangles));
    g_log.clear();
    OVgeometry *g = load(path, OVFILE_BNFF);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(g), kManyTriangles);
}

// A triangle read whole and the same triangle read item by item (an
// attribute item to skip makes the record long) are the same polygon; a
// vertex number out of range gives the same message either way.
TEST_F(BnffView, PlainRecordsReadAsTheLongForm) {
    Bytes plain, long_form;
    for (Bytes *b : {&plain, &long_form}) {
        b->header().geometry("x").u32(4);
        b->f32(0).f32(0).f32(0).u8(0);
        b->f32(1).f32(0).f32(0).u8(0);
        b->f32(0).f32(1).f32(0).u8(0);
        b->f32(1).f32(1).f32(0).u8(0);
        b->u32(2);
    }
    plain.u32(3).u32(0).u32(1).u32(2).u32(0).u8(0);
    plain.u32(3).u32(1).u32(3).u32(2).u32(0xFFFFFFFFu).u8(0); // no material
    long_form.u32(3).u32(0).u32(1).u32(2).u32(0).u8(0x40).u8(0);
    long_form.u32(3).u32(1).u32(3).u32(2).u32(0xFFFFFFFFu).u8(0x40).u8(0);
    write_bytes((dir_ / "plain.bnff").string(), plain.s);
    write_bytes((dir_ / "long.bnff").string(), long_form.s);
    OVgeometry *a = load((dir_ / "plain.bnff").string(), OVFILE_BNFF);
    OVgeometry *b = load((dir_ / "long.bnff").string(), OVFILE_BNFF);
    ASSERT_NE(a, nullptr) << g_log;
    ASSERT_NE(b, nullptr) << g_log;
    expect_same_geometry(a, b, "plain and long forms");
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(a)),
              _OVpoly_getcolor24(OVgeometry_getpolys(b)));

    Bytes bad;
    bad.header().geometry("x").triangle_vertices().u32(1).u32(3).u32(0).u32(3).u32(2).u32(0).u8(0);
    const std::string log = expect_same_both_ways(bad.s, "vertex number out of range");
    EXPECT_NE(log.find("bff_scan_polygon returned null in function bff_scan_geometry. \n"),
              std::string::npos)
        << log;
}

} // namespace
} // namespace nfftest
