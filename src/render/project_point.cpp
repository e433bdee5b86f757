// Projecting world points to window pixels, and zooming onto nodes.
#include "orv/viewpoint.h"
#include "render/eye_setup.h"
#include "render/scene_calls.h"
#include "render/window_internal.h"

#include <cmath>
#include <cstring>

extern "C" {
__attribute__((weak)) float OVnode_getradius(OVnode *node);
__attribute__((weak)) void OVnode_getmidpoint(OVnode *node, OVp3 midpoint);
}

namespace {
// out = a * b for column-major 4 x 4 matrices.
void multiply(const float a[16], const float b[16], float out[16]) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float s = 0;
            for (int k = 0; k < 4; ++k)
                s += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = s;
        }
}
} // namespace

using namespace orv;

extern "C" {

ORV_API int OVwindow_projectpoint(OVwindow *window, int eye, const OVp3 point, OVp2 out) {
    if (!out) return 0;
    out[0] = out[1] = 0;
    if (!window || !point || !window->viewpoint) return 0;
    if (window->display_mode == 1) eye = window->eye;
    if (eye != 0 && eye != 1) return 0;
    PixelRect vp = eye_viewport(window, eye);
    if (window->projection_key != eye + 4) {
        float projection[16], view[16];
        if (!eye_matrices(window, eye, vp, projection, view)) return 0;
        multiply(projection, view, window->projection_cache);
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
    if (!window || !node || !window->viewpoint || instance < 0) return 0;
    if (!OVnode_getradius || !OVnode_getmidpoint) return 0;
    float radius = OVnode_getradius(node);
    if (!(radius >= OV_TOLERANCE)) return 0;
    OVp3 mid;
    OVnode_getmidpoint(node, mid);
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
    return window ? OVwindow_zoomnode(window, window->root, 0) : 0;
}

} // extern "C"
