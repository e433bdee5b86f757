// A polygon's corner storage: in the record for up to kInlineCorners
// corners, in an array of its own beyond, moving back into the record when
// the polygon shrinks.
#include "geometry/geometry_internal.h"

#include <cstring>
#include <limits>

namespace orv::geom {

namespace {

constexpr int kMostCorners = std::numeric_limits<std::int16_t>::max();

bool spilled(const OVpoly *p) {
    return p->ncorners > kInlineCorners;
}

OVvertex **array_of(int capacity) {
    return static_cast<OVvertex **>(
        OVmalloc(sizeof(OVvertex *) * static_cast<std::size_t>(capacity)));
}

// Room for n corners (n above the count), the corners held kept in place.
void make_room(OVpoly *p, int n) {
    if (n <= kInlineCorners) return;
    if (spilled(p)) {
        auto &s = p->ring.spilled;
        if (n <= s.capacity) return;
        s.capacity = std::max(n, 2 * s.capacity);
        s.at = static_cast<OVvertex **>(
            OVrealloc(s.at, sizeof(OVvertex *) * static_cast<std::size_t>(s.capacity)));
        return;
    }
    OVvertex **at = array_of(n);
    std::memcpy(at, p->ring.in_place, sizeof(OVvertex *) * static_cast<std::size_t>(p->ncorners));
    p->ring.spilled.at = at;
    p->ring.spilled.capacity = n;
}

} // namespace

void corners_free(OVpoly *p) {
    if (spilled(p)) OVfree(p->ring.spilled.at);
    p->ncorners = 0;
}

bool corner_push_front(OVpoly *p, OVvertex *v) {
    if (p->ncorners >= kMostCorners) return false;
    make_room(p, p->ncorners + 1);
    // The count grows first, so that the ring is read from where it now lives.
    ++p->ncorners;
    std::span<OVvertex *> ring = corners_of(p);
    std::memmove(ring.data() + 1, ring.data(), sizeof(OVvertex *) * (ring.size() - 1));
    ring[0] = v;
    return true;
}

void corners_assign(OVpoly *p, std::span<OVvertex *const> vertices) {
    const int n = static_cast<int>(std::min<std::size_t>(vertices.size(), kMostCorners));
    if (n > kInlineCorners && !(spilled(p) && p->ring.spilled.capacity >= n)) {
        corners_free(p);
        p->ring.spilled.at = array_of(n);
        p->ring.spilled.capacity = n;
    } else if (n <= kInlineCorners) {
        corners_free(p);
    }
    p->ncorners = static_cast<std::int16_t>(n);
    std::memcpy(corners_of(p).data(), vertices.data(),
                sizeof(OVvertex *) * static_cast<std::size_t>(n));
}

void corners_fit(OVpoly *p) {
    if (!spilled(p) || p->ring.spilled.capacity == p->ncorners) return;
    auto &s = p->ring.spilled;
    s.capacity = p->ncorners;
    s.at = static_cast<OVvertex **>(
        OVrealloc(s.at, sizeof(OVvertex *) * static_cast<std::size_t>(s.capacity)));
}

} // namespace orv::geom
