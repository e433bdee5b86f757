// Texture coordinates carried by vertices for the model writers: each
// textured corner's (u, v) goes to its vertex, and a vertex asked for a
// second, different pair is split.
#pragma once

#include "orv/orv_base.h"

#include <unordered_map>

namespace orv::geom {

struct VertexUV {
    float u, v;
};
using VertexUVs = std::unordered_map<const OVvertex *, VertexUV>;

// Clears every vertex's texture mark, then walks the textured polygons in
// list order: a corner's pair goes to its vertex when the vertex has none;
// a vertex holding a different pair is copied (position, normal, own
// material id) to a new vertex at the end of the list that takes the pair
// and the corner. The new vertices stay. Returns the pairs of the marked
// vertices.
VertexUVs give_vertices_texture_coordinates(OVgeometry *g);

// The reference positions become the vertex list's positions again.
void rebuild_reference_vertices(OVgeometry *g);

} // namespace orv::geom
