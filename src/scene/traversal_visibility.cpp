// Spheres against the view volume handed in by the renderer.
#include "scene/traversal_stacks.h"

#include <cmath>

namespace orv::scene {

int sphere_visibility(const TraversalState *state, const OVm4 m, const OVp3 midpoint,
                      float radius) {
    float eye[3];
    for (int j = 0; j < 3; ++j)
        eye[j] = midpoint[0] * m[0][j] + midpoint[1] * m[1][j] + midpoint[2] * m[2][j] + m[3][j];
    // Scaling transforms grow the sphere with them.
    float scale = 0;
    for (int i = 0; i < 3; ++i) {
        float row = m[i][0] * m[i][0] + m[i][1] * m[i][1] + m[i][2] * m[i][2];
        if (row > scale) scale = row;
    }
    const float r = std::fabs(scale - 1) > 1e-4f ? radius * std::sqrt(scale) : radius;
    const float depth = -eye[2];
    if (depth + r < state->near_distance || depth - r > state->far_distance) return -1;
    bool inside = depth - r >= state->near_distance && depth + r <= state->far_distance;
    for (int p = 0; p < 4; ++p) {
        const float *n = state->side_planes[p];
        float d = eye[0] * n[0] + eye[1] * n[1] + eye[2] * n[2] + state->side_offsets[p];
        if (d < -r) return -1;
        if (d < r) inside = false;
    }
    return inside ? 1 : 0;
}

} // namespace orv::scene
