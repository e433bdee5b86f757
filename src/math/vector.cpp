// Points: printing, products, lengths and transforms by matrices.
#include "math/math_internal.h"
#include "orv/message.h"

#include <algorithm>

using namespace orv::math;

namespace {
// v times the upper 3x3 block of a 3x3 or 4x4 matrix; out may alias v.
template <int N> void times_rotation(const float *v, const float (*m)[N], float *out) {
    float r[3];
    for (int j = 0; j < 3; ++j)
        r[j] = v[0] * m[0][j] + v[1] * m[1][j] + v[2] * m[2][j];
    std::copy(r, r + 3, out);
}
} // namespace

extern "C" {

ORV_API void OVp3_print(const OVp3 p, const char *label) {
    if (any_null(p)) return;
    OVmessage("%s %8.4f %8.4f %8.4f\n", label ? label : "", p[0], p[1], p[2]);
}

ORV_API void OVq_print(const OVq q, const char *label) {
    if (any_null(q)) return;
    OVmessage("%s %8.4f %8.4f %8.4f %8.4f\n", label ? label : "", q[0], q[1], q[2], q[3]);
}

ORV_API void OVpq_print(const OVpq *pq, const char *label) {
    if (any_null(pq)) return;
    OVmessage("%s p: %8.4f %8.4f %8.4f, q: %8.4f %8.4f %8.4f %8.4f\n", label ? label : "", pq->p[0],
              pq->p[1], pq->p[2], pq->q[0], pq->q[1], pq->q[2], pq->q[3]);
}

ORV_API void OVp3_cross(const OVp3 a, const OVp3 b, OVp3 out) {
    if (any_null(a, b, out)) return;
    float x = a[1] * b[2] - a[2] * b[1];
    float y = a[2] * b[0] - a[0] * b[2];
    float z = a[0] * b[1] - a[1] * b[0];
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

ORV_API float OVp3_distance(const OVp3 a, const OVp3 b) {
    if (any_null(a, b)) return 0;
    float d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return orv::vec::length(d);
}

ORV_API float OVp3_fastlength(const OVp3 v) {
    if (any_null(v)) return 0;
    float x = std::fabs(v[0]), y = std::fabs(v[1]), z = std::fabs(v[2]);
    return (x + y + z + 1.4142135f * std::max({x, y, z})) * 0.41421357f;
}

ORV_API float OVp3_linedistance(const OVp3 point, const OVp3 linepoint, const OVp3 direction) {
    if (any_null(point, linepoint, direction)) return 0;
    float d[3] = {point[0] - linepoint[0], point[1] - linepoint[1], point[2] - linepoint[2]};
    float along = orv::vec::dot(d, direction);
    float off[3] = {d[0] - along * direction[0], d[1] - along * direction[1],
                    d[2] - along * direction[2]};
    return orv::vec::length(off);
}

ORV_API void OVp3_xformm4(const OVp3 v, const OVm4 m, OVp3 out) {
    if (any_null(v, m, out)) return;
    times_rotation(v, m, out);
    for (int j = 0; j < 3; ++j)
        out[j] += m[3][j];
}

ORV_API void OVp3_xformdirm4(const OVp3 v, const OVm4 m, OVp3 out) {
    if (any_null(v, m, out)) return;
    times_rotation(v, m, out);
}

ORV_API void OVp3_xformm3(const OVp3 v, const OVm3 m, OVp3 out) {
    if (any_null(v, m, out)) return;
    times_rotation(v, m, out);
}

} // extern "C"
