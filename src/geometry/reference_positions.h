// A geometry's reference positions: one per vertex of its vertex list, in the
// same order, taken when the geometry is closed or copied. Translation and
// transformation move them with the vertices; scaling, stretching and vertex
// edits change only the vertices. Only the positions are kept: the rest of a
// vertex would be a copy of what the vertex list already holds.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::geom {

struct ReferencePositions {
    float *xyz; // three floats per vertex
    std::int32_t count, capacity;
};

// Forgets every position and frees the storage.
void reference_free(ReferencePositions *r);
// The positions of the vertex list from v on, in place of any kept before.
void reference_take(ReferencePositions *r, const OVvertex *v);
// Adds the positions of the vertex list from v on at the end.
void reference_append(ReferencePositions *r, const OVvertex *v);
// Puts b's positions in front of a's and empties b.
void reference_prepend(ReferencePositions *a, ReferencePositions *b);
// A copy of src's positions in place of dst's.
void reference_copy(ReferencePositions *dst, const ReferencePositions *src);
// Keeps the positions whose vertices are kept: keep(i) for i in order.
template <class Keep> void reference_keep(ReferencePositions *r, Keep keep) {
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < r->count; ++i)
        if (keep(i)) {
            for (int a = 0; a < 3; ++a)
                r->xyz[3 * kept + a] = r->xyz[3 * i + a];
            ++kept;
        }
    r->count = kept;
}
// Calls move(position) for every position.
template <class Move> void reference_move(ReferencePositions *r, Move move) {
    for (std::int32_t i = 0; i < r->count; ++i)
        move(r->xyz + 3 * i);
}

} // namespace orv::geom
