#include "geometry/record_pool.h"
#include "geometry_test_util.h"

#include <algorithm>
#include <cmath>

namespace {

enum class Cells { triangles, smooth_triangles, quads };

// A closed grid of side x side vertices and 2 (side - 1)^2 triangles, or
// (side - 1)^2 quadrilaterals; smooth triangles have a normal at every vertex.
OVgeometry *grid(int side, Cells cells = Cells::triangles) {
    OVgeometry *g = OVgeometry_begin();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const OVp3 pos = {static_cast<float>(x), static_cast<float>(y), 0};
            OVgeometry_newvertex(g, pos);
        }
    for (int y = 0; y + 1 < side; ++y)
        for (int x = 0; x + 1 < side; ++x) {
            int a = y * side + x;
            if (cells == Cells::quads) {
                _OVgeometry_addpoly4(g, a, a + 1, a + side + 1, a + side, 0);
                continue;
            }
            _OVgeometry_addpoly3(g, a, a + 1, a + side, 0);
            _OVgeometry_addpoly3(g, a + 1, a + side + 1, a + side, 0);
        }
    cells == Cells::smooth_triangles ? OVgeometry_closesmooth(g) : OVgeometry_close(g);
    return g;
}

// Vertices, polygons, geometries, quadrilaterals' corners, normals, material
// tables: one spare each.
constexpr int kPools = 6;

TEST(RecordPool, DeletedGeometriesGiveTheirBlocksBack) {
    const std::size_t before = orv::geom::pooled_bytes();
    OVgeometry *g = grid(400); // about 320,000 triangles
    const std::size_t loaded = orv::geom::pooled_bytes();
    if (loaded == 0) GTEST_SKIP() << "records are not pooled in this build";
    EXPECT_GT(loaded, before + 10 * orv::geom::kPoolBlockBytes);
    OVgeometry_delete(g);
    EXPECT_LE(orv::geom::pooled_bytes(), before + kPools * orv::geom::kPoolBlockBytes);
}

TEST(RecordPool, VertexNormalsGoBackWithTheirGeometry) {
    const std::size_t before = orv::geom::pooled_bytes();
    OVgeometry *flat = grid(400);
    const std::size_t flat_bytes = orv::geom::pooled_bytes() - before;
    OVgeometry_delete(flat);
    const std::size_t between = orv::geom::pooled_bytes();
    OVgeometry *smooth = grid(400, Cells::smooth_triangles);
    if (orv::geom::pooled_bytes() == 0) GTEST_SKIP() << "records are not pooled in this build";
    // 160,000 normals of 16 bytes: a block and a little more.
    EXPECT_GT(orv::geom::pooled_bytes() - between, flat_bytes);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(smooth, OVgeometry_getvertices(smooth), n));
    EXPECT_FLOAT_EQ(n[2], 1) << "the grid's triangles face +z";
    OVgeometry_delete(smooth);
    EXPECT_LE(orv::geom::pooled_bytes(), before + kPools * orv::geom::kPoolBlockBytes);
}

TEST(RecordPool, QuadrilateralsCornersGoBackWithTheirGeometry) {
    const std::size_t before = orv::geom::pooled_bytes();
    OVgeometry *g = grid(400, Cells::quads);
    if (orv::geom::pooled_bytes() == 0) GTEST_SKIP() << "records are not pooled in this build";
    ASSERT_EQ(OVgeometry_numpolys(g), 399 * 399);
    OVpoly *last = OVgeometry_getpolys(g); // the last cell made: x = y = 398
    ASSERT_EQ(OVpoly_numvertices(last), 4);
    const int a = 398 * 400 + 398;
    EXPECT_EQ(geomtest::corner_numbers(g, last), (std::vector<int>{a, a + 1, a + 401, a + 400}));
    OVgeometry_delete(g);
    EXPECT_LE(orv::geom::pooled_bytes(), before + kPools * orv::geom::kPoolBlockBytes);
}

TEST(RecordPool, RecordsAreReusedAfterADeletion) {
    OVgeometry_delete(grid(200));
    const std::size_t kept = orv::geom::pooled_bytes();
    OVgeometry *g = grid(200);
    // The spares and the freed records take the second geometry.
    EXPECT_LE(orv::geom::pooled_bytes(), kept + 10 * orv::geom::kPoolBlockBytes);
    EXPECT_EQ(OVgeometry_numpolys(g), 2 * 199 * 199);
    OVgeometry_delete(g);
}

TEST(RecordPool, RecordsOfLiveGeometriesStayIntactWhileOthersGo) {
    OVgeometry *kept = grid(50), *dropped = grid(250);
    OVgeometry_delete(dropped);
    OVgeometry *again = grid(250);
    // The first geometry's records were untouched by the churn around them.
    int corner_sum = 0, polys = 0;
    for (OVpoly *p = OVgeometry_getpolys(kept); p; p = OVpoly_next(p), ++polys)
        for (int i = 0; i < OVpoly_numvertices(p); ++i) {
            OVp3 at;
            OVvertex_getposition(OVpoly_getvertex(p, i), at);
            corner_sum += static_cast<int>(at[0] + at[1]);
        }
    EXPECT_EQ(polys, 2 * 49 * 49);
    // Each cell's two triangles have corner sums 3s + 2 and 3s + 4 (s = x + y).
    int expected = 0;
    for (int y = 0; y < 49; ++y)
        for (int x = 0; x < 49; ++x)
            expected += 6 * (x + y) + 6;
    EXPECT_EQ(corner_sum, expected);
    OVgeometry_delete(again);
    OVgeometry_delete(kept);
}

// Geometries made one after another lie one after another, whatever their
// polygons take in between: a walk over many geometry nodes reads them in
// few pages.
TEST(RecordPool, GeometryRecordsLieTogetherInCreationOrder) {
    if (orv::geom::pooled_bytes() == 0) GTEST_SKIP() << "records are not pooled in this build";
    constexpr int kCount = 50;
    OVgeometry *made[kCount];
    for (OVgeometry *&g : made)
        g = OVgeometry_newblock(1, 1, 1, 0);
    // Neighbours but where a new block starts, records of at most 256 bytes.
    constexpr std::ptrdiff_t kMostRecordBytes = 256;
    int together = 0;
    for (int i = 1; i < kCount; ++i) {
        const std::ptrdiff_t step =
            reinterpret_cast<char *>(made[i]) - reinterpret_cast<char *>(made[i - 1]);
        if (step > 0 && step <= kMostRecordBytes) ++together;
    }
    EXPECT_GE(together, kCount - 2);
    for (OVgeometry *g : made)
        OVgeometry_delete(g);
}

// Every geometry begun makes a material table of its own: the tables come
// from their pool one after another and go back with their geometries.
TEST(RecordPool, MaterialTablesOfDeletedGeometriesGoBackToTheirPool) {
    if (orv::geom::pooled_bytes() == 0) GTEST_SKIP() << "records are not pooled in this build";
    const std::size_t before = orv::geom::pooled_bytes();
    OVmtable *const first_before = OVuniverse_getfirstmtable();
    constexpr int kCount = 20000; // several blocks of tables
    std::vector<OVgeometry *> made;
    for (int i = 0; i < kCount; ++i)
        made.push_back(OVgeometry_newblock(1, 1, 1, 0));
    const std::size_t loaded = orv::geom::pooled_bytes();
    std::vector<OVmtable *> tables;
    for (OVgeometry *g : made)
        tables.push_back(OVgeometry_getmtable(g));
    int together = 0;
    for (std::size_t i = 1; i < tables.size(); ++i)
        if (reinterpret_cast<std::uintptr_t>(tables[i]) / orv::geom::kPoolBlockBytes ==
            reinterpret_cast<std::uintptr_t>(tables[i - 1]) / orv::geom::kPoolBlockBytes)
            ++together;
    EXPECT_GE(together, kCount - 20) << "tables scattered over blocks";
    const std::string last_name = OVmtable_getname(tables.back());
    // Deleted oldest first, then made again: the freed records take them.
    for (OVgeometry *g : made)
        OVgeometry_delete(g);
    EXPECT_LE(orv::geom::pooled_bytes(), before + kPools * orv::geom::kPoolBlockBytes);
    for (OVgeometry *&g : made)
        g = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_LE(orv::geom::pooled_bytes(), loaded + kPools * orv::geom::kPoolBlockBytes);
    EXPECT_EQ(OVmtable_getname(OVgeometry_getmtable(made.back())), last_name)
        << "the numbers of deleted tables are free again";
    for (OVgeometry *g : made)
        OVgeometry_delete(g);
    EXPECT_EQ(OVuniverse_getfirstmtable(), first_before);
}

// Polygons of three to six corners (in the record, in a pooled quadrilateral
// array, in an array of their own) are freed in batches with their geometry.
TEST(RecordPool, PolygonsOfEveryCornerCountGoWithTheirGeometry) {
    const std::size_t before = orv::geom::pooled_bytes();
    OVgeometry *g = OVgeometry_begin();
    constexpr int kVertices = 1000;
    // On a circle: corners taken in order along it make convex, planar polygons.
    for (int i = 0; i < kVertices; ++i) {
        const float angle = 2 * 3.14159265f * static_cast<float>(i) / kVertices;
        const OVp3 pos = {100 * std::cos(angle), 100 * std::sin(angle), 0};
        OVgeometry_newvertex(g, pos);
    }
    constexpr int kPolys = 60000; // several blocks of polygon records
    for (int k = 0; k < kPolys; ++k) {
        OVpoly *p = OVgeometry_beginpoly(g);
        const int corners = 3 + k % 4;
        for (int c = 0; c < corners; ++c)
            ASSERT_TRUE(OVpoly_addvertex(p, (k + c * 50) % kVertices));
        OVpoly_close(p);
    }
    OVgeometry_close(g);
    ASSERT_EQ(OVgeometry_numpolys(g), kPolys);
    std::vector<int> counts(7);
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        ++counts[static_cast<std::size_t>(OVpoly_numvertices(p))];
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, kPolys / 4, kPolys / 4, kPolys / 4, kPolys / 4}));
    if (orv::geom::pooled_bytes() == 0) GTEST_SKIP() << "records are not pooled in this build";
    // Records left free by earlier tests may take some: the blocks held
    // after the deletion are compared with the most held before it.
    const std::size_t loaded = orv::geom::pooled_bytes();
    OVgeometry_delete(g);
    EXPECT_LE(orv::geom::pooled_bytes(),
              std::min(loaded, before + kPools * orv::geom::kPoolBlockBytes));
}

} // namespace
