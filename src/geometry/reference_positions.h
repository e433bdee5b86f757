// A geometry's reference positions: one per vertex of its vertex list, in the
// same order, taken when the geometry is closed or copied. Translation and
// transformation move them with the vertices; scaling, stretching and vertex
// edits change only the vertices. Only the positions are kept, and only once
// they differ from the vertices' own: until then the reference follows the
// vertex list and holds nothing.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::geom {

struct ReferencePositions {
    float *xyz; // three floats per vertex, unless following
    std::int32_t count, capacity;
    bool follows; // every reference position is its vertex's position
};

// Forgets every position and frees the storage.
void reference_free(ReferencePositions *r);
// The positions of the vertex list as they are now, in place of any kept
// before: from here the reference follows the list.
void reference_take(ReferencePositions *r);
// Adds the positions of the vertex list from v on at the end.
void reference_append(ReferencePositions *r, const OVvertex *v);
// Puts b's positions in front of a's and empties b; a_vertices and
// b_vertices are their vertex lists, not yet linked together.
void reference_prepend(ReferencePositions *a, const OVvertex *a_vertices, ReferencePositions *b,
                       const OVvertex *b_vertices);
// A copy of src's positions in place of dst's (whose vertices are copies of
// src's).
void reference_copy(ReferencePositions *dst, const ReferencePositions *src);
// Before the vertices of the list from v move without their reference: a
// reference that follows them keeps their positions as they are.
void reference_detach(ReferencePositions *r, const OVvertex *v);
// Reference position i of the list from v, in list order; null past the end.
const float *reference_position(const ReferencePositions *r, const OVvertex *v, std::int32_t i);
// Keeps the positions whose vertices are kept: keep(i) for i in order.
template <class Keep> void reference_keep(ReferencePositions *r, Keep keep) {
    if (r->follows) return; // the vertex list itself loses the others
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < r->count; ++i)
        if (keep(i)) {
            for (int a = 0; a < 3; ++a)
                r->xyz[3 * kept + a] = r->xyz[3 * i + a];
            ++kept;
        }
    r->count = kept;
}
// Calls move(position) for every position kept; a following reference moves
// with its vertices.
template <class Move> void reference_move(ReferencePositions *r, Move move) {
    if (r->follows) return;
    for (std::int32_t i = 0; i < r->count; ++i)
        move(r->xyz + 3 * i);
}

} // namespace orv::geom
