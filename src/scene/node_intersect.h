// Rays against the geometries a scene walk reaches.
#pragma once

#include "orv/orv_base.h"

// A ray's hit: the geometry (or object) node, its nearest polygon hit, and the distance
// in multiples of the ray's direction.
struct OVnodehit {
    OVnode *node;
    OVpoly *poly;
    float distance;
};

extern "C" {
// The nearest hit below root, walked like the collection (enabled nodes,
// Xform scopes, the chosen level of detail, the selected switch children),
// with separators passed over when the ray misses their bounding sphere. The
// ray is given in the frame the state's view matrix maps into (world
// coordinates with an identity view, which also decides level-of-detail
// distances); a null state takes one from the pool. 0 when nothing is hit.
ORV_API int _OVnode_intersectgeom(OVnode *root, void *state, const OVp3 origin,
                                  const OVp3 direction, OVnodehit *hit);
// Every geometry appearance hit, each with its nearest polygon, nearest
// first; at most capacity are written, the number found is returned.
ORV_API int _OVnode_intersectgeoms(OVnode *root, void *state, const OVp3 origin,
                                   const OVp3 direction, OVnodehit *hits, int capacity);
}
