// Projecting world points to window pixels, and zooming onto nodes.
#include "orv/node.h"
#include "orv/viewpoint.h"
#include "render/eye_setup.h"
#include "render/model_frame.h"
#include "orv/node.h"
#include "scene/scene_queries.h"
#include "scene/traversal_state.h"
#include "render/window_internal.h"

#include <cmath>
#include <cstring>

using namespace orv;

extern "C" {

ORV_API int OVwindow_projectpoint(OVwindow *window, int eye, const OVp3 point, OVp2 out) {
    if (!out) return 0;
    out[0] = out[1] = 0;
    if (!window_is_listed(window) || !point || !window->viewpoint) return 0;
    if (window->display_mode == 1) eye = window->eye;
    if (eye != 0 && eye != 1) return 0;
    PixelRect vp = eye_viewport(window, eye);
    if (window->projection_key != eye + 4) {
        float projection[16], view[16];
        if (!eye_matrices(window, eye, vp, projection, view)) return 0;
        multiply_matrices(projection, view, window->projection_cache);
        window->projection_key = eye + 4;
    }
    const float *m = window->projection_cache;
    float p[4];
    for (int r = 0; r < 4; ++r)
        p[r] = m[r] * point[0] + m[4 + r] * point[1] + m[8 + r] * point[2] + m[12 + r];
    if (p[3] <= 0) return 0;
    out[0] = (p[0] / p[3] + 1) / 2 * vp.width + vp.x;
    out[1] = (p[1] / p[3] + 1) / 2 * vp.height + vp.y;
    return std::fabs(p[0]) < p[3] && std::fabs(p[1]) < p[3] && std::fabs(p[2]) < p[3];
}

ORV_API int OVwindow_zoomnode(OVwindow *window, OVnode *node, int instance) {
    if (!window_is_listed(window) || !node || !window->viewpoint || instance < 0) return 0;
    float radius = OVnode_getradius(node);
    if (!(radius >= OV_TOLERANCE)) return 0;
    OVp3 local, mid;
    if (!OVnode_getmidpoint(node, local)) return 0;
    std::memcpy(mid, local, sizeof mid);
    if (OVnode_gettype(node) != OVNODE_ROOT) {
        OVm4 m;
        if (!scene::instance_transform(window->root, node, instance, m)) return 0;
        for (int j = 0; j < 3; ++j)
            mid[j] = local[0] * m[0][j] + local[1] * m[1][j] + local[2] * m[2][j] + m[3][j];
    }
    float angle = std::atan(window->view_tangent);
    if (window->width > window->height && window->width > 0)
        angle = angle * window->height / window->width;
    float distance = radius / std::tan(angle);
    OVp3 direction, position;
    OVviewpoint_getdirection(window->viewpoint, direction);
    for (int i = 0; i < 3; ++i)
        position[i] = mid[i] - distance * direction[i];
    OVviewpoint_setposition(window->viewpoint, position);
    if (window->projection == 4) {
        float(*f)[2] = window->frustum;
        float s = radius * 1.4142135f;
        float w = f[OVFRUSTUM_RIGHT][0] - f[OVFRUSTUM_LEFT][0];
        float h = f[OVFRUSTUM_TOP][0] - f[OVFRUSTUM_BOTTOM][0];
        float k = w != 0 ? h / w : 1.0f;
        if (w >= h) {
            f[OVFRUSTUM_TOP][0] = s;
            f[OVFRUSTUM_BOTTOM][0] = -s;
            f[OVFRUSTUM_RIGHT][0] = s / k;
            f[OVFRUSTUM_LEFT][0] = -s / k;
        } else {
            f[OVFRUSTUM_RIGHT][0] = s;
            f[OVFRUSTUM_LEFT][0] = -s;
            f[OVFRUSTUM_TOP][0] = s * k;
            f[OVFRUSTUM_BOTTOM][0] = -s * k;
        }
    }
    return 1;
}

ORV_API int OVwindow_zoomall(OVwindow *window) {
    return window_is_listed(window) ? OVwindow_zoomnode(window, window->root, 0) : 0;
}

} // extern "C"
