// Interpolated paths: Bezier, uniform cubic B-spline and straight lines.
#include "orv/math.h"
#include "orv/message.h"
#include "paths/path_record.h"

namespace {

void append_pose(OVpath *path, const OVp3 position, const OVq orientation) {
    OVpq pose;
    for (int i = 0; i < 3; ++i)
        pose.p[i] = position[i];
    for (int i = 0; i < 4; ++i)
        pose.q[i] = orientation[i];
    orv::paths::link_last(path, OVpathelement_new(&pose));
}

void append_copy(OVpath *path, const OVpathelement *element) {
    OVpathelement *copy = OVpathelement_new(&element->pose);
    copy->data = element->data;
    orv::paths::link_last(path, copy);
}

// The four poses around one segment from P1 to P2.
struct Segment {
    const OVpathelement *p0, *p1, *p2, *p3;
};

void linear(OVpath *out, const Segment &s, int steps) {
    append_copy(out, s.p1);
    for (int i = 1; i < steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        OVp3 p;
        OVq q;
        for (int k = 0; k < 3; ++k)
            p[k] = (1 - t) * s.p1->pose.p[k] + t * s.p2->pose.p[k];
        OVq_slerp(s.p1->pose.q, s.p2->pose.q, t, q);
        append_pose(out, p, q);
    }
}

void bezier(OVpath *out, const Segment &s, int steps) {
    OVp3 c1, c2;
    for (int k = 0; k < 3; ++k) {
        const float p0 = s.p0->pose.p[k], p1 = s.p1->pose.p[k];
        const float p2 = s.p2->pose.p[k], p3 = s.p3->pose.p[k];
        float a = 2 * p1 - p0;
        a = (a + p2) / 2;
        c1[k] = (a + p1) / 2;
        float b = 2 * p2 - p3;
        b = (b + p1) / 2;
        c2[k] = (b + p2) / 2;
    }
    for (int i = 0; i < steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps), u = 1 - t;
        OVp3 p;
        OVq q;
        for (int k = 0; k < 3; ++k)
            p[k] = u * u * u * s.p1->pose.p[k] + 3 * u * u * t * c1[k] + 3 * u * t * t * c2[k] +
                   t * t * t * s.p2->pose.p[k];
        OVq_slerp(s.p1->pose.q, s.p2->pose.q, t, q);
        append_pose(out, p, q);
    }
}

void bspline(OVpath *out, const Segment &s, int steps) {
    for (int i = 0; i < steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float t2 = t * t, t3 = t2 * t;
        const float w0 = 1 - 3 * t + 3 * t2 - t3, w1 = 4 - 6 * t2 + 3 * t3;
        const float w2 = 1 + 3 * t + 3 * t2 - 3 * t3, w3 = t3;
        OVp3 p;
        OVq q;
        for (int k = 0; k < 3; ++k)
            p[k] = (w0 * s.p0->pose.p[k] + w1 * s.p1->pose.p[k] + w2 * s.p2->pose.p[k] +
                    w3 * s.p3->pose.p[k]) /
                   6;
        OVq_slerp(s.p1->pose.q, s.p2->pose.q, t, q);
        append_pose(out, p, q);
    }
}

// Far beyond any recorded flight; refusing keeps a wild step count from
// exhausting memory.
constexpr long long max_interpolated_elements = 1LL << 24;

} // namespace

extern "C" {

ORV_API OVpath *OVpath_interpolate(OVpath *path, int steps, int kind) {
    const int count = OVpath_numelements(path);
    if (!path || steps <= 0 || count < 2) return nullptr;
    if (static_cast<long long>(count - 1) * steps + 1 > max_interpolated_elements) {
        OVwarning("OVpath_interpolate: %d steps between %d elements is too many.\n", steps, count);
        return nullptr;
    }
    void (*segment)(OVpath *, const Segment &, int);
    switch (kind) {
    case OVPATH_BEZIER:
        segment = bezier;
        break;
    case OVPATH_BSPLINE:
        segment = bspline;
        break;
    case OVPATH_LINEAR:
        segment = linear;
        break;
    default:
        return nullptr;
    }
    OVpath *out = OVpath_new(path->marker_template);
    for (const OVpathelement *p1 = path->first; p1->forward; p1 = p1->forward) {
        const OVpathelement *p2 = p1->forward;
        segment(out, {p1->backward ? p1->backward : p1, p1, p2, p2->forward ? p2->forward : p2},
                steps);
    }
    if (kind != OVPATH_BSPLINE) append_copy(out, path->last);
    out->current = out->first;
    return out;
}

} // extern "C"
