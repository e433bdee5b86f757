// Normal, planarity and convexity of a polygon given by its corner points.
#include "math/math_internal.h"
#include "orv/message.h"

#include <algorithm>

using namespace orv::math;

namespace {
// The most corners a polygon can have.
constexpr int kMaxPolygonPoints = 256;
} // namespace

extern "C" {

ORV_API int OVp3_polynormal(const OVp3 *points, int count, OVp3 normal) {
    if (count <= 2) return 1;
    if (any_null(points, normal)) return 0;
    if (count > kMaxPolygonPoints) {
        OVwarning("OVp3_polynormal: %d points are more than a polygon can have\n", count);
        return 0;
    }
    float sum[3] = {0, 0, 0}, centroid[3] = {0, 0, 0}, reference[3] = {0, 0, 0};
    bool have_reference = false, convex = true;
    for (int i = 0; i < count; ++i) {
        int j = (i + 1) % count, k = (j + 1) % count;
        float e1[3], e2[3], c[3];
        orv::vec::sub(points[j], points[i], e1);
        orv::vec::sub(points[k], points[j], e2);
        OVp3_cross(e1, e2, c);
        for (int a = 0; a < 3; ++a)
            centroid[a] += points[i][a];
        if (count > 4) { // weight each corner by its angle
            float len = OVp3_fastlength(c);
            if (std::fabs(len) < 1e-8f) continue;
            float s = std::clamp(len / OVp3_fastlength(e1) / OVp3_fastlength(e2), -1.0f, 1.0f);
            float weight = static_cast<float>(std::asin(static_cast<double>(s))) / len;
            for (float &x : c)
                x *= weight;
        }
        if (!have_reference) {
            if (c[0] != 0.0f || c[1] != 0.0f || c[2] != 0.0f) {
                std::copy(c, c + 3, reference);
                have_reference = true;
            }
        } else if (orv::vec::dot(c, reference) < 0.0f) {
            convex = false;
        }
        for (int a = 0; a < 3; ++a)
            sum[a] += c[a];
    }
    if (sum[0] == 0.0f && sum[1] == 0.0f && sum[2] == 0.0f) {
        if (have_reference)
            std::copy(reference, reference + 3, sum);
        else
            sum[0] = 1.0f;
    }
    float inv = 1.0f / orv::vec::length(sum);
    for (int a = 0; a < 3; ++a)
        normal[a] = sum[a] * inv;
    if (count == 3) return 1;
    for (float &x : centroid)
        x /= static_cast<float>(count);
    // The corners straddle the plane through the centroid; a polygon is planar
    // when they all fit within the tolerance of one plane parallel to it.
    float offset = orv::vec::dot(normal, centroid), low = 0.0f, high = 0.0f;
    for (int i = 0; i < count; ++i) {
        float d = orv::vec::dot(normal, points[i]) - offset;
        low = std::min(low, d);
        high = std::max(high, d);
    }
    if (high - low > OV_TOLERANCE) return 0;
    return convex ? 1 : 2;
}

} // extern "C"
