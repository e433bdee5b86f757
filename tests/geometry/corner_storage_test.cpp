// Corner storage at its edges: rings that outgrow the polygon record, shrink
// back into it, are reversed, split and copied, with texture coordinates
// following their corners.
#include "geometry_test_util.h"

#include <cmath>
#include <numeric>

using namespace geomtest;

namespace {

// A geometry being built with the given points as vertices 0, 1, ...
OVgeometry *begin_with(const std::vector<std::array<float, 3>> &points) {
    OVgeometry *g = OVgeometry_begin();
    for (const auto &p : points)
        OVgeometry_newvertex(g, p.data());
    return g;
}

OVpoly *poly_through(OVgeometry *g, const std::vector<int> &corners) {
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i : corners)
        EXPECT_TRUE(OVpoly_addvertex(p, i));
    EXPECT_TRUE(OVpoly_close(p));
    return p;
}

// n points on the unit circle in z = 0, counter-clockwise seen from +z.
std::vector<std::array<float, 3>> circle(int n) {
    std::vector<std::array<float, 3>> out;
    for (int k = 0; k < n; ++k) {
        const float t = static_cast<float>(k) * 6.2831853f / static_cast<float>(n);
        out.push_back({std::cos(t), std::sin(t), 0});
    }
    return out;
}

std::vector<int> iota(int n) {
    std::vector<int> out(static_cast<std::size_t>(n));
    std::iota(out.begin(), out.end(), 0);
    return out;
}

std::vector<float> us_of(OVpoly *p) {
    std::vector<float> u(static_cast<std::size_t>(_OVpoly_numuv(p))), v(u.size());
    EXPECT_TRUE(OVpoly_getuv(p, u.data(), v.data()));
    return u;
}

TEST(CornerStorage, RingsOfEverySizeKeepTheOrderTheirCornersWereAddedIn) {
    for (int n : {3, 4, 5, 9, 64, 256}) {
        OVgeometry *g = begin_with(circle(n));
        OVpoly *p = poly_through(g, iota(n));
        ASSERT_TRUE(OVgeometry_close(g));
        EXPECT_EQ(OVpoly_numvertices(p), n);
        EXPECT_EQ(corner_numbers(g, p), iota(n)) << n << " corners";
        EXPECT_EQ(OVpoly_getvertex(p, n), nullptr);
        OVgeometry_delete(g);
    }
}

TEST(CornerStorage, AnOversizedRingIsCountedInFullWhenRefused) {
    Capture capture;
    OVgeometry *g = begin_with(circle(300));
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 300; ++i)
        OVpoly_addvertex(p, i);
    EXPECT_EQ(OVpoly_numvertices(p), 300);
    EXPECT_FALSE(OVpoly_close(p));
    EXPECT_NE(capture.text().find("has 300 vertices -- outside [3,256]"), std::string::npos);
    _OVpoly_cancel(p);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(CornerStorage, AClosedPolygonTakesNewCornersInFrontWhileEditing) {
    OVgeometry *g = begin_with(circle(3));
    OVpoly *p = poly_through(g, {0, 1, 2});
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_TRUE(OVgeometry_beginedit(g));
    std::vector<OVvertex *> before = {OVpoly_getvertex(p, 0), OVpoly_getvertex(p, 1),
                                      OVpoly_getvertex(p, 2)};
    const OVp3 a = {0, 0, 0.5f}, b = {0, 0, 0.25f};
    OVvertex *va = OVgeometry_newvertex(g, a), *vb = OVgeometry_newvertex(g, b);
    ASSERT_TRUE(OVpoly_addvertexptr(p, va)); // out of the record into an array
    ASSERT_TRUE(OVpoly_addvertexptr(p, vb));
    ASSERT_EQ(OVpoly_numvertices(p), 5);
    const std::vector<OVvertex *> expected = {vb, va, before[0], before[1], before[2]};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(OVpoly_getvertex(p, i), expected[static_cast<std::size_t>(i)]) << i;
    EXPECT_TRUE(OVpoly_containsvertex(p, before[2]));
    OVgeometry_endedit(g);
    OVgeometry_delete(g);
}

TEST(CornerStorage, MergedCornersMoveARingBackIntoTheRecord) {
    // A square whose last corner sits on its third, and a pentagon with one
    // repeated corner: three and four corners are left.
    OVgeometry *g = begin_with({{1, 1, 0},
                                {1, -1, 0},
                                {-1, -1, 0},
                                {-1, -1, 0},
                                {3, 1, 0},
                                {3, -1, 0},
                                {3, -1, 0},
                                {5, -1, 0},
                                {5, 1, 0}});
    OVpoly *square = poly_through(g, {0, 1, 2, 3});
    OVpoly *pentagon = poly_through(g, {4, 5, 6, 7, 8});
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_EQ(OVpoly_numvertices(square), 3);
    ASSERT_EQ(OVpoly_numvertices(pentagon), 4);
    auto positions = [](OVpoly *p) {
        std::vector<float> xy;
        for (int i = 0; i < OVpoly_numvertices(p); ++i) {
            OVp3 at;
            OVvertex_getposition(OVpoly_getvertex(p, i), at);
            xy.insert(xy.end(), {at[0], at[1]});
        }
        return xy;
    };
    EXPECT_EQ(positions(square), (std::vector<float>{1, 1, 1, -1, -1, -1}));
    EXPECT_EQ(positions(pentagon), (std::vector<float>{3, 1, 3, -1, 5, -1, 5, 1}));
    OVgeometry_delete(g);
}

TEST(CornerStorage, ReversingALongRingReversesItsCorners) {
    OVgeometry *g = begin_with(circle(7));
    OVpoly *p = poly_through(g, iota(7));
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_TRUE(OVpoly_reversevertices(p));
    EXPECT_EQ(corner_numbers(g, p), (std::vector<int>{6, 5, 4, 3, 2, 1, 0}));
    OVgeometry_delete(g);
}

TEST(CornerStorage, SplitPiecesShareOutTheCornersOfTheRing) {
    // An L of six corners: not convex, so closing splits it.
    OVgeometry *g = begin_with({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}});
    poly_through(g, iota(6));
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_GE(OVgeometry_numpolys(g), 2);
    std::vector<int> seen(6, 0);
    int corners = 0;
    for (OVpoly *p : polys(g)) {
        EXPECT_TRUE(_OVpoly_convex(p));
        for (int k : corner_numbers(g, p))
            ++seen[static_cast<std::size_t>(k)];
        corners += OVpoly_numvertices(p);
    }
    EXPECT_EQ(corner_numbers(g, OVgeometry_getpolys(g)).size(),
              static_cast<std::size_t>(OVpoly_numvertices(OVgeometry_getpolys(g))));
    for (int k = 0; k < 6; ++k)
        EXPECT_GE(seen[static_cast<std::size_t>(k)], 1) << "corner " << k;
    // Each diagonal adds its two ends once more.
    EXPECT_EQ(corners, 6 + 2 * (OVgeometry_numpolys(g) - 1));
    OVgeometry_delete(g);
}

TEST(CornerStorage, CopiesHaveRingsOfTheirOwn) {
    OVgeometry *g = begin_with(circle(6));
    poly_through(g, {0, 1, 2});
    poly_through(g, iota(6));
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry *c = OVgeometry_copy(g);
    OVgeometry_delete(g); // the copy's rings must not be the original's
    auto copied = polys(c);
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_EQ(corner_numbers(c, copied[0]), iota(6));
    EXPECT_EQ(corner_numbers(c, copied[1]), (std::vector<int>{0, 1, 2}));
    OVgeometry_delete(c);
}

TEST(CornerStorage, CentreAndRadiusFollowTheCorners) {
    OVgeometry *g = begin_with({{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {0, 2, 0}});
    OVpoly *p = poly_through(g, {0, 1, 2, 3});
    ASSERT_TRUE(OVgeometry_close(g));
    OVp3 c;
    OVpoly_getcg(p, c);
    EXPECT_FLOAT_EQ(c[0], 2);
    EXPECT_FLOAT_EQ(c[1], 1);
    const OVp3 about = {0, 0, 0};
    ASSERT_TRUE(OVgeometry_scale(g, 3, about));
    OVpoly_getcg(p, c);
    EXPECT_FLOAT_EQ(c[0], 6);
    EXPECT_FLOAT_EQ(c[1], 3);
    // A ray just inside the scaled square's far corner still hits it.
    const OVp3 from = {11.9f, 5.9f, 5}, down = {0, 0, -1};
    float best = 1e38f;
    OVpoly_setbothsides(p, 1);
    EXPECT_TRUE(_OVpoly_rayintersect(p, from, down, &best));
    EXPECT_FLOAT_EQ(best, 5);
    OVgeometry_delete(g);
}

// Texture coordinates are bound per corner, so they need a texture store.
struct CornerTexture : ::testing::Test {
    unsigned char pixels[4 * 4 * 4] = {};
    void SetUp() override {
        OVuniverse_new(512, 0);
        ASSERT_TRUE(OVtexture_replace("corner_tex", OVIMAGE_RGBA, 4, 4, pixels));
    }
    void TearDown() override { OVuniverse_delete(); }
    // u of every corner is its place in the ring, v its tenth.
    static void bind_by_place(OVpoly *p) {
        const int n = OVpoly_numvertices(p);
        std::vector<float> u(static_cast<std::size_t>(n)), v(u.size());
        for (int i = 0; i < n; ++i) {
            u[static_cast<std::size_t>(i)] = static_cast<float>(i);
            v[static_cast<std::size_t>(i)] = static_cast<float>(i) / 10;
        }
        ASSERT_TRUE(OVpoly_settextureuv(p, "corner_tex", u.data(), v.data(), 0, 0));
    }
};

TEST_F(CornerTexture, CoordinatesFollowMergedAndReversedCorners) {
    OVgeometry *g = begin_with(circle(5));
    OVpoly *p = poly_through(g, iota(5));
    ASSERT_TRUE(OVgeometry_close(g));
    bind_by_place(p);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    OVp3 onto;
    OVvertex_getposition(OVpoly_getvertex(p, 1), onto);
    ASSERT_TRUE(OVgeometry_setvertexposition(g, OVpoly_getvertex(p, 2), onto));
    OVgeometry_endedit(g); // corner 2 merges into corner 1
    ASSERT_EQ(OVpoly_numvertices(p), 4);
    EXPECT_EQ(us_of(p), (std::vector<float>{0, 1, 3, 4}));
    ASSERT_TRUE(OVpoly_reversevertices(p));
    EXPECT_EQ(us_of(p), (std::vector<float>{4, 3, 1, 0}));
    OVgeometry_delete(g);
}

TEST_F(CornerTexture, SplitPiecesTakeTheCoordinatesOfTheirCorners) {
    // The L again, textured before an edit makes the pieces: moving a
    // corner splits the ring at the end of editing.
    OVgeometry *g =
        begin_with({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1.5f, 1.5f, 0}, {1, 2, 0}, {0, 2, 0}});
    OVpoly *p = poly_through(g, iota(6));
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 1) << "convex before the edit";
    bind_by_place(p);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 in = {1, 1, 0};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, OVpoly_getvertex(p, 3), in));
    OVgeometry_endedit(g);
    ASSERT_GE(OVgeometry_numpolys(g), 2);
    for (OVpoly *piece : polys(g)) {
        std::vector<float> expected;
        for (int k : corner_numbers(g, piece))
            expected.push_back(static_cast<float>(k));
        EXPECT_EQ(us_of(piece), expected);
    }
    OVgeometry_delete(g);
}

} // namespace
