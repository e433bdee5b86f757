// Interpolated paths: positions of each kind from their control points,
// orientations by slerp, and which elements keep the user data.
#include "path_fixture.h"

#include <cmath>
#include <vector>

namespace {

struct Pose {
    float p[3];
    float q[4];
};

const float turn = 0.8f;
const Pose corners[3] = {
    {{0, 0, 0}, {0, 0, 0, 1}},
    {{2, 2, 0}, {0, std::sin(turn / 2), 0, std::cos(turn / 2)}},
    {{4, 0, 1}, {std::sin(turn / 2), 0, 0, std::cos(turn / 2)}},
};
int data[3];

OVpath *corner_path() {
    OVpath *path = OVpath_new(nullptr);
    for (int i = 0; i < 3; ++i) {
        OVpq pose;
        for (int k = 0; k < 3; ++k)
            pose.p[k] = corners[i].p[k];
        for (int k = 0; k < 4; ++k)
            pose.q[k] = corners[i].q[k];
        OVpathelement *e = OVpathelement_new(&pose);
        OVpathelement_setdata(e, &data[i]);
        OVpath_appendelement(path, e);
    }
    return path;
}

std::vector<OVpathelement *> elements(OVpath *path) {
    std::vector<OVpathelement *> all;
    for (OVpathelement *e = OVpath_getfirst(path); e; e = OVpathelement_next(e))
        all.push_back(e);
    return all;
}

// The segment's four points: the one before, its ends, the one after.
struct Segment {
    const float *p0, *p1, *p2, *p3;
};
Segment segment(int first) {
    const int before = first > 0 ? first - 1 : first;
    const int after = first + 2 < 3 ? first + 2 : first + 1;
    return {corners[before].p, corners[first].p, corners[first + 1].p, corners[after].p};
}

float bezier(const Segment &s, int k, float t) {
    float a = 2 * s.p1[k] - s.p0[k];
    a = (a + s.p2[k]) / 2;
    const float c1 = (a + s.p1[k]) / 2;
    float b = 2 * s.p2[k] - s.p3[k];
    b = (b + s.p1[k]) / 2;
    const float c2 = (b + s.p2[k]) / 2;
    const float u = 1 - t;
    return u * u * u * s.p1[k] + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * s.p2[k];
}

float bspline(const Segment &s, int k, float t) {
    const float t2 = t * t, t3 = t2 * t;
    return ((1 - 3 * t + 3 * t2 - t3) * s.p0[k] + (4 - 6 * t2 + 3 * t3) * s.p1[k] +
            (1 + 3 * t + 3 * t2 - 3 * t3) * s.p2[k] + t3 * s.p3[k]) /
           6;
}

void expect_pose(OVpathelement *e, const float p[3], const OVq q) {
    OVp3 position;
    OVq orientation;
    OVpathelement_getposition(e, position);
    OVpathelement_getorientation(e, orientation);
    EXPECT_P3_NEAR(position, p[0], p[1], p[2]);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(orientation[k], q[k], 1e-5) << k;
}

constexpr int steps = 4;

// The steps of both segments follow the curve, with slerped orientations
// and no user data.
void expect_segments(const std::vector<OVpathelement *> &all,
                     float (*curve)(const Segment &, int, float)) {
    for (int seg = 0; seg < 2; ++seg)
        for (int i = 0; i < steps; ++i) {
            SCOPED_TRACE(seg * steps + i);
            const float t = static_cast<float>(i) / steps;
            const Segment s = segment(seg);
            const float p[3] = {curve(s, 0, t), curve(s, 1, t), curve(s, 2, t)};
            OVq q;
            OVq_slerp(corners[seg].q, corners[seg + 1].q, t, q);
            expect_pose(all[seg * steps + i], p, q);
            EXPECT_EQ(OVpathelement_getdata(all[seg * steps + i]), nullptr);
        }
}

} // namespace

TEST_F(PathTest, BezierRunsThroughItsControlPointsAndEndsOnTheLastElement) {
    OVpath *result = OVpath_interpolate(corner_path(), steps, OVPATH_BEZIER);
    ASSERT_NE(result, nullptr);
    const auto all = elements(result);
    ASSERT_EQ(all.size(), 9u);
    expect_segments(all, bezier);
    expect_pose(all[8], corners[2].p, corners[2].q);
    EXPECT_EQ(OVpathelement_getdata(all[8]), &data[2]);
    // By hand: the first segment's middle, with C1 = (0.5, 0.5, 0) and
    // C2 = (1, 2, -0.25).
    OVp3 middle;
    OVpathelement_getposition(all[2], middle);
    EXPECT_P3_NEAR(middle, 0.8125f, 1.1875f, -0.09375f);
}

TEST_F(PathTest, BSplineBlendsFourPointsAndStopsShortOfTheLastElement) {
    OVpath *result = OVpath_interpolate(corner_path(), steps, OVPATH_BSPLINE);
    ASSERT_NE(result, nullptr);
    const auto all = elements(result);
    ASSERT_EQ(all.size(), 8u);
    expect_segments(all, bspline);
    OVp3 end;
    OVpathelement_getposition(all[7], end);
    EXPECT_GT(std::fabs(end[0] - 4) + std::fabs(end[2] - 1), 0.01f);
}

TEST_F(PathTest, StraightLinesCopyEachElementThenStepTowardsTheNext) {
    OVpath *source = corner_path();
    OVpath *result = OVpath_interpolate(source, steps, OVPATH_LINEAR);
    ASSERT_NE(result, nullptr);
    const auto all = elements(result);
    ASSERT_EQ(all.size(), 9u);
    for (int seg = 0; seg < 2; ++seg) {
        OVpathelement *copy = all[seg * steps];
        expect_pose(copy, corners[seg].p, corners[seg].q);
        EXPECT_EQ(OVpathelement_getdata(copy), &data[seg]);
        for (int i = 1; i < steps; ++i) {
            SCOPED_TRACE(seg * steps + i);
            const float t = static_cast<float>(i) / steps;
            float p[3];
            for (int k = 0; k < 3; ++k)
                p[k] = (1 - t) * corners[seg].p[k] + t * corners[seg + 1].p[k];
            OVq q;
            OVq_slerp(corners[seg].q, corners[seg + 1].q, t, q);
            expect_pose(all[seg * steps + i], p, q);
            EXPECT_EQ(OVpathelement_getdata(all[seg * steps + i]), nullptr);
        }
    }
    expect_pose(all[8], corners[2].p, corners[2].q);
    EXPECT_EQ(OVpathelement_getdata(all[8]), &data[2]);
    EXPECT_EQ(OVpath_getstate(result), OVPATH_IDLE);
    EXPECT_EQ(OVuniverse_getpaths(), result);
    EXPECT_EQ(OVpath_numelements(source), 3) << "the source path is left as it was";
}

TEST_F(PathTest, TwoElementsWithOneStepGiveJustTheEnds) {
    OVpath *path = row_path(2);
    for (int kind : {OVPATH_BEZIER, OVPATH_LINEAR}) {
        OVpath *result = OVpath_interpolate(path, 1, kind);
        ASSERT_EQ(OVpath_numelements(result), 2) << kind;
        OVp3 p;
        OVpathelement_getposition(OVpath_getlast(result), p);
        EXPECT_P3_NEAR(p, 1, 0, 0);
    }
    OVpath *spline = OVpath_interpolate(path, 1, OVPATH_BSPLINE);
    EXPECT_EQ(OVpath_numelements(spline), 1);
    EXPECT_EQ(OVpath_interpolate(path, -2, OVPATH_LINEAR), nullptr);
    EXPECT_EQ(OVpath_interpolate(nullptr, 4, OVPATH_LINEAR), nullptr);
}
