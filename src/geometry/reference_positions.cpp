// The reference positions of a geometry.
#include "geometry/reference_positions.h"

#include "geometry/geometry_record.h"
#include "orv/message.h"

#include <cstring>

namespace orv::geom {

namespace {

std::int32_t count_from(const OVvertex *v) {
    std::int32_t n = 0;
    for (; v; v = v->next)
        ++n;
    return n;
}

void reserve(ReferencePositions *r, std::int32_t count) {
    if (count <= r->capacity) return;
    r->capacity = count > 2 * r->capacity ? count : 2 * r->capacity;
    r->xyz = static_cast<float *>(
        OVrealloc(r->xyz, 3 * sizeof(float) * static_cast<std::size_t>(r->capacity)));
}

// Stores the positions of the list from v at the end.
void store(ReferencePositions *r, const OVvertex *v) {
    reserve(r, r->count + count_from(v));
    for (; v; v = v->next, ++r->count)
        std::memcpy(r->xyz + 3 * r->count, v->position, 3 * sizeof(float));
}

} // namespace

void reference_free(ReferencePositions *r) {
    OVfree(r->xyz);
    *r = ReferencePositions{};
}

void reference_take(ReferencePositions *r) {
    reference_free(r);
    r->follows = true;
}

void reference_append(ReferencePositions *r, const OVvertex *v) {
    if (!r->follows) store(r, v);
}

void reference_prepend(ReferencePositions *a, const OVvertex *a_vertices, ReferencePositions *b,
                       const OVvertex *b_vertices) {
    if (a->follows && b->follows) {
        reference_free(b);
        return;
    }
    reference_detach(a, a_vertices);
    reference_detach(b, b_vertices);
    if (b->count) {
        reserve(a, a->count + b->count);
        std::memmove(a->xyz + 3 * b->count, a->xyz, 3 * sizeof(float) * a->count);
        std::memcpy(a->xyz, b->xyz, 3 * sizeof(float) * b->count);
        a->count += b->count;
    }
    reference_free(b);
}

void reference_copy(ReferencePositions *dst, const ReferencePositions *src) {
    reference_free(dst);
    dst->follows = src->follows;
    reserve(dst, src->count);
    if (src->count) std::memcpy(dst->xyz, src->xyz, 3 * sizeof(float) * src->count);
    dst->count = src->count;
}

void reference_detach(ReferencePositions *r, const OVvertex *v) {
    if (!r->follows) return;
    r->follows = false;
    r->count = 0;
    store(r, v);
}

const float *reference_position(const ReferencePositions *r, const OVvertex *v, std::int32_t i) {
    if (i < 0) return nullptr;
    if (!r->follows) return i < r->count ? r->xyz + 3 * i : nullptr;
    for (; v && i > 0; --i)
        v = v->next;
    return v ? v->position : nullptr;
}

} // namespace orv::geom
