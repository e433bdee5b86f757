// A polygon's corner storage: in the record for up to kInlineCorners
// corners, in an array of its own beyond, moving back into the record when
// the polygon shrinks. Quadrilaterals, the most common larger polygons, take
// their arrays from a pool.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

#include <cstring>
#include <limits>

namespace orv::geom {

namespace {

constexpr int kMostCorners = std::numeric_limits<std::int16_t>::max();

bool spilled(const OVpoly *p) {
    return p->ncorners > kInlineCorners;
}

OVvertex **array_take(int capacity) {
    if (capacity == kQuadCorners) return static_cast<OVvertex **>(quad_ring_take());
    return static_cast<OVvertex **>(
        OVmalloc(sizeof(OVvertex *) * static_cast<std::size_t>(capacity)));
}

void array_give(OVvertex **at, int capacity) {
    if (capacity == kQuadCorners)
        quad_ring_give(at);
    else
        OVfree(at);
}

// Moves p's corners, held in the record or in an array, into a new array of
// the given capacity.
void move_to_array(OVpoly *p, int capacity) {
    OVvertex **at = array_take(capacity);
    std::memcpy(at, corners_of(p).data(),
                sizeof(OVvertex *) * static_cast<std::size_t>(p->ncorners));
    if (spilled(p)) array_give(p->ring.spilled.at, p->ring.spilled.capacity);
    p->ring.spilled.at = at;
    p->ring.spilled.capacity = capacity;
}

// Room for n corners (n above the count), the corners held kept in place.
void make_room(OVpoly *p, int n) {
    if (n <= kInlineCorners) return;
    if (!spilled(p))
        move_to_array(p, n);
    else if (n > p->ring.spilled.capacity)
        move_to_array(p, std::max(n, 2 * p->ring.spilled.capacity));
}

} // namespace

void corners_free(OVpoly *p) {
    if (spilled(p)) array_give(p->ring.spilled.at, p->ring.spilled.capacity);
    p->ncorners = 0;
}

void corners_prefetch(const OVpoly *p) {
    if (spilled(p)) __builtin_prefetch(p->ring.spilled.at);
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
    if (!(spilled(p) && p->ring.spilled.capacity == n)) {
        corners_free(p);
        if (n > kInlineCorners) {
            p->ring.spilled.at = array_take(n);
            p->ring.spilled.capacity = n;
        }
    }
    p->ncorners = static_cast<std::int16_t>(n);
    std::memcpy(corners_of(p).data(), vertices.data(),
                sizeof(OVvertex *) * static_cast<std::size_t>(n));
}

void corners_fit(OVpoly *p) {
    if (spilled(p) && p->ring.spilled.capacity != p->ncorners) move_to_array(p, p->ncorners);
}

} // namespace orv::geom
