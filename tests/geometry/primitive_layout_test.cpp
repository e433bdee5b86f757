// Applications walk the vertices and polygons of the primitives, so their
// numbering and corner order are checked vertex by vertex.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

constexpr float pi = 3.14159265358979323846f;
using Corners = std::vector<std::vector<int>>;

// Corner numbers of every polygon in creation order (the list is newest first).
Corners creation_order(OVgeometry *g) {
    Corners out;
    auto ps = polys(g);
    for (auto it = ps.rbegin(); it != ps.rend(); ++it)
        out.push_back(corner_numbers(g, *it));
    return out;
}

void expect_at(OVvertex *v, float x, float y, float z) {
    EXPECT_NEAR(v->position[0], x, 1e-5);
    EXPECT_NEAR(v->position[1], y, 1e-5);
    EXPECT_NEAR(v->position[2], z, 1e-5);
}

std::vector<int> range(int from, int count, int step = 1) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(from + i * step);
    return out;
}

} // namespace

TEST(PrimitiveLayout, Cylinder) {
    const int n = 5;
    for (int smooth : {0, 1}) {
        OVgeometry *g = OVgeometry_newcylinder(4, 2, n, 0, smooth);
        ASSERT_NE(g, nullptr);
        EXPECT_STREQ(OVgeometry_getname(g), "cylinder");
        auto vs = vertices(g);
        ASSERT_EQ(vs.size(), static_cast<std::size_t>(smooth ? 4 * n : 2 * n));
        for (std::size_t i = 0; i < vs.size(); ++i) {
            int k = static_cast<int>(i) % n;
            bool upper = (i / n) % 2 == 0;
            float t = k * 2 * pi / n;
            expect_at(vs[i], 2 * std::cos(t), upper ? 2 : -2, 2 * std::sin(t));
            ASSERT_EQ(vs[i]->normal != nullptr, i >= 2u * n);
            if (vs[i]->normal) {
                EXPECT_NEAR(vs[i]->normal[0], std::cos(t), 1e-5);
                EXPECT_NEAR(vs[i]->normal[1], 0, 1e-5);
                EXPECT_NEAR(vs[i]->normal[2], std::sin(t), 1e-5);
            }
        }
        Corners want = {range(n - 1, n, -1), range(n, n)};
        int o = smooth ? 2 * n : 0;
        for (int k = 0; k < n; ++k) {
            int m = (k + 1) % n;
            want.push_back({o + k, o + m, o + n + m, o + n + k});
        }
        EXPECT_EQ(creation_order(g), want);
        OVgeometry_delete(g);
    }
}

TEST(PrimitiveLayout, Cone) {
    const int n = 6;
    OVgeometry *g = OVgeometry_newcone(4, 2, n, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "cone");
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), static_cast<std::size_t>(n + 1));
    for (int k = 0; k < n; ++k) {
        float t = k * 2 * pi / n;
        expect_at(vs[k], 2 * std::sin(t), 2, 2 * std::cos(t));
    }
    expect_at(vs[n], 0, -2, 0);
    Corners want = {range(0, n)};
    for (int k = 0; k < n; ++k)
        want.push_back({k, n, (k + 1) % n});
    EXPECT_EQ(creation_order(g), want);
    OVgeometry_delete(g);
}

TEST(PrimitiveLayout, TruncatedCone) {
    const int n = 5;
    const float h = 2, r1 = 3, r2 = 1;
    for (int smooth : {0, 1}) {
        OVgeometry *g = OVgeometry_newtruncone(h, r1, r2, n, 0, smooth);
        ASSERT_NE(g, nullptr);
        auto vs = vertices(g);
        ASSERT_EQ(vs.size(), static_cast<std::size_t>(smooth ? 4 * n : 2 * n));
        const float a = std::atan((r1 - r2) / h);
        for (std::size_t i = 0; i < vs.size(); ++i) {
            int k = static_cast<int>(i) % n;
            bool first = (i / n) % 2 == 0;
            float t = k * 2 * pi / n, r = first ? r1 : r2;
            expect_at(vs[i], r * std::cos(t), first ? -h / 2 : h / 2, r * std::sin(t));
            ASSERT_EQ(vs[i]->normal != nullptr, i >= 2u * n);
            if (vs[i]->normal) {
                EXPECT_NEAR(vs[i]->normal[0], std::cos(t) * std::fabs(std::cos(a)), 1e-5);
                EXPECT_NEAR(vs[i]->normal[1], std::sin(a), 1e-5);
                EXPECT_NEAR(vs[i]->normal[2], std::sin(t) * std::fabs(std::cos(a)), 1e-5);
            }
        }
        Corners want = {range(0, n), range(2 * n - 1, n, -1)};
        int o = smooth ? 2 * n : 0;
        for (int k = 0; k < n; ++k) {
            int m = (k + 1) % n;
            want.push_back({o + m, o + k, o + n + k, o + n + m});
        }
        EXPECT_EQ(creation_order(g), want);
        OVgeometry_delete(g);
    }
}

TEST(PrimitiveLayout, Sphere) {
    const int b = 4, n = 5;
    const float r = 2;
    OVgeometry *g = OVgeometry_newsphere(r, b, n, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "sphere");
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), static_cast<std::size_t>(2 + (b - 1) * n));
    expect_at(vs[0], 0, -r, 0);
    expect_at(vs[1], 0, r, 0);
    for (int i = 0; i < b - 1; ++i)
        for (int k = 0; k < n; ++k) {
            float p = (i + 1) * pi / b, t = k * 2 * pi / n;
            expect_at(vs[2 + i * n + k], r * std::sin(p) * std::cos(t), -r * std::cos(p),
                      r * std::sin(p) * std::sin(t));
        }
    Corners want;
    for (int k = 0; k < n; ++k)
        want.push_back({0, 2 + k, 2 + (k + 1) % n});
    for (int i = 0; i <= b - 3; ++i)
        for (int k = 0; k < n; ++k) {
            int q = 2 + i * n, m = (k + 1) % n;
            want.push_back({q + m, q + k, q + k + n, q + m + n});
        }
    int top = 2 + (b - 2) * n;
    for (int k = 0; k < n; ++k)
        want.push_back({1, top + (k + 1) % n, top + k});
    EXPECT_EQ(creation_order(g), want);
    OVgeometry_delete(g);
}

TEST(PrimitiveLayout, Hemisphere) {
    const int b = 3, n = 4;
    const float r = 2;
    OVgeometry *g = OVgeometry_newhemisphere(r, b, n, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "hemisphere");
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), static_cast<std::size_t>(1 + b * n));
    expect_at(vs[0], 0, -r, 0);
    for (int i = 0; i < b; ++i)
        for (int k = 0; k < n; ++k) {
            float p = (i + 1) * pi / (2 * b), t = k * 2 * pi / n;
            expect_at(vs[1 + i * n + k], r * std::sin(p) * std::cos(t), -r * std::cos(p),
                      r * std::sin(p) * std::sin(t));
        }
    for (int k = 0; k < n; ++k)
        EXPECT_NEAR(vs[1 + (b - 1) * n + k]->position[1], 0, 1e-5); // the last ring
    Corners want;
    for (int k = 0; k < n; ++k)
        want.push_back({0, 1 + k, 1 + (k + 1) % n});
    for (int i = 0; i <= b - 2; ++i)
        for (int k = 0; k < n; ++k) {
            int q = 1 + i * n, m = (k + 1) % n;
            want.push_back({q + m, q + k, q + k + n, q + m + n});
        }
    EXPECT_EQ(creation_order(g), want);
    OVgeometry_delete(g);
}

TEST(PrimitiveLayout, ExtrusionRingsAndSides) {
    // Anticlockwise seen from +y: kept as given. The second outline runs the
    // other way and is reversed into the first.
    const OVp2 kept[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    const OVp2 turned[4] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
    const int c = 4;
    const float h = 2;
    for (const OVp2 *given : {kept, turned}) {
        for (int smooth : {0, 1}) {
            OVgeometry *g = OVgeometry_newextrusion(given, c, h, 0, smooth);
            ASSERT_NE(g, nullptr);
            EXPECT_STREQ(OVgeometry_getname(g), "extrusion");
            auto vs = vertices(g);
            ASSERT_EQ(vs.size(), static_cast<std::size_t>(smooth ? 4 * c : 2 * c));
            for (std::size_t i = 0; i < vs.size(); ++i) {
                int j = static_cast<int>(i) % c;
                bool ring_a = (i / c) % 2 == 0;
                const float *pt = kept[ring_a ? c - 1 - j : j];
                expect_at(vs[i], pt[0], ring_a ? -h / 2 : h / 2, pt[1]);
                ASSERT_EQ(vs[i]->normal != nullptr, i >= 2u * c);
                if (vs[i]->normal) {
                    EXPECT_NEAR(vs[i]->normal[1], 0, 1e-6);
                    EXPECT_NEAR(std::hypot(vs[i]->normal[0], vs[i]->normal[2]), 1, 1e-5);
                }
            }
            Corners want = {range(0, c), range(c, c)};
            int o = smooth ? 2 * c : 0;
            for (int j = 0; j < c; ++j) {
                int e = j + 2 > c ? (j + 2) % c : j + 2;
                want.push_back({o + (j + 1) % c, o + j, o + 2 * c - j - 1, o + 2 * c - e});
            }
            EXPECT_EQ(creation_order(g), want);
            OVgeometry_delete(g);
        }
    }
}

TEST(PrimitiveLayout, ExtrusionDropsPointsCloseToTheOneBefore) {
    const OVp2 pts[5] = {{0, 0}, {0, 1}, {0.002f, 1.002f}, {1, 1}, {1, 0}};
    OVgeometry *g = OVgeometry_newextrusion(pts, 5, 1, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(vertices(g).size(), 8u);
    EXPECT_EQ(OVgeometry_numpolys(g), 6);
    OVgeometry_delete(g);
}

TEST(PrimitiveLayout, PrimitivePolygonsAreWhiteAndBothsidesReachesEveryOne) {
    OVgeometry *shapes[] = {OVgeometry_newcylinder(1, 1, 4, 1, 1), OVgeometry_newcone(1, 1, 4, 1),
                            OVgeometry_newtruncone(1, 1, 2, 4, 1, 1),
                            OVgeometry_newsphere(1, 3, 4, 1, 1),
                            OVgeometry_newhemisphere(1, 3, 4, 1, 1)};
    for (OVgeometry *g : shapes) {
        ASSERT_NE(g, nullptr);
        for (OVpoly *p : polys(g)) {
            EXPECT_TRUE(OVpoly_getbothsides(p)) << OVgeometry_getname(g);
            EXPECT_EQ(OVpoly_getmatid(p), 0);
            if (OVgeometry_getmtable(g)) {
                EXPECT_EQ(_OVpoly_getcolor24(p), 0xFFFFFFu);
            }
        }
        OVgeometry_delete(g);
    }
}

TEST(PrimitiveLayout, CapsOfMoreCornersThanAPolygonHoldsAreRefusedQuietly) {
    Capture c;
    EXPECT_EQ(OVgeometry_newcylinder(1, 1, 257, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newcone(1, 1, 1 << 30, 0), nullptr);
    EXPECT_EQ(OVgeometry_newtruncone(1, 1, 2, 300, 0, 1), nullptr);
    std::vector<float> ring;
    for (int k = 0; k < 257; ++k) {
        ring.push_back(std::cos(k * 2 * pi / 257));
        ring.push_back(std::sin(k * 2 * pi / 257));
    }
    EXPECT_EQ(OVgeometry_newextrusion(reinterpret_cast<const OVp2 *>(ring.data()), 257, 1, 0, 0),
              nullptr);
    EXPECT_EQ(OVgeometry_newsphere(1, 1 << 20, 1 << 20, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newhemisphere(1, 1 << 30, 4, 0, 0), nullptr);
    EXPECT_EQ(c.text(), "");
    OVgeometry *most = OVgeometry_newcylinder(1, 1, 256, 0, 0);
    ASSERT_NE(most, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(most), 2 + 256);
    OVgeometry_delete(most);
    // Nothing is left open.
    OVgeometry *g = OVgeometry_begin();
    ASSERT_NE(g, nullptr);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}
