// One eye of a window: projection and view matrices, state, draw functions.
#include "core/object_watch.h"
#include "orv/geometry.h"
#include "render/eye_setup.h"

#include "orv/universe.h"
#include "render/draw_state.h"
#include "render/light_lists.h"
#include "render/model_frame.h"
#include "render/render_config.h"
#include "scene/traversal_state.h"
#include "state/universe_state.h"
#include "viewpoint/viewpoint_access.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv {

namespace {

// Rotation of v by the viewpoint convention (the conjugate Hamilton rotation).
void rotate(const OVq q, const float v[3], float out[3]) {
    float x = -q[0], y = -q[1], z = -q[2], w = q[3];
    float n = std::sqrt(x * x + y * y + z * z + w * w);
    if (n > 0) x /= n, y /= n, z /= n, w /= n;
    // t = 2 (u x v); v' = v + w t + u x t
    float tx = 2 * (y * v[2] - z * v[1]), ty = 2 * (z * v[0] - x * v[2]),
          tz = 2 * (x * v[1] - y * v[0]);
    out[0] = v[0] + w * tx + (y * tz - z * ty);
    out[1] = v[1] + w * ty + (z * tx - x * tz);
    out[2] = v[2] + w * tz + (x * ty - y * tx);
}

OVviewpoint *eye_viewpoint(const OVwindow *w, int eye) {
    if (eye == 1 && w->display_mode != 1 && w->viewpoint2) return w->viewpoint2;
    return w->viewpoint;
}

void view_matrix(const OVwindow *w, int eye, float m[16]) {
    const OVviewpoint *v = eye_viewpoint(w, eye);
    OVp3 position, p;
    OVq orientation, q;
    // The eye chooses the pose in every display mode; only the second
    // viewpoint is a stereo mode's.
    if (eye == 1)
        viewpoint_righteye(v, position, orientation);
    else {
        std::memcpy(position, viewpoint_position(v), sizeof position);
        std::memcpy(orientation, viewpoint_orientation(v), sizeof orientation);
    }
    viewpoint_eyeframe(position, orientation, p, q);
    const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float sign[3] = {1, -1, -1};
    std::memset(m, 0, 16 * sizeof(float));
    for (int row = 0; row < 3; ++row) {
        float a[3];
        rotate(q, axes[row], a);
        for (int j = 0; j < 3; ++j)
            m[row + 4 * j] = sign[row] * a[j];
        m[12 + row] = -(m[row] * p[0] + m[row + 4] * p[1] + m[row + 8] * p[2]);
    }
    m[15] = 1;
}

void parallel(const float (*f)[2], int eye, float m[16]) {
    float l = f[OVFRUSTUM_LEFT][eye], r = f[OVFRUSTUM_RIGHT][eye];
    float t = f[OVFRUSTUM_TOP][eye], b = f[OVFRUSTUM_BOTTOM][eye];
    float n = f[OVFRUSTUM_NEAR][eye], fa = f[OVFRUSTUM_FAR][eye];
    std::memset(m, 0, 16 * sizeof(float));
    m[0] = 2 / (r - l);
    m[12] = (r + l) / (l - r);
    m[5] = 2 / (t - b);
    m[13] = (t + b) / (b - t);
    m[10] = 2 / (n - fa);
    m[14] = (n + fa) / (n - fa);
    m[15] = 1;
}

int projection_mode(const OVwindow *w, const ViewpointViewing &v) {
    return v.own & kOwnProjection ? v.projection : w->projection;
}

// What the collection culls against: clipping distances and the four sides,
// as tangents of a perspective view or as the box of a parallel one.
struct Volume {
    float n, f;
    float L, R, T, B;
    bool parallel;
};

void projection_matrix(OVwindow *w, int eye, const PixelRect &vp, float m[16], Volume *volume) {
    const ViewpointViewing v = viewpoint_viewing(w->viewpoint);
    int mode = projection_mode(w, v);
    if (mode == 4) {
        parallel(w->frustum, eye, m);
        *volume = {w->frustum[OVFRUSTUM_NEAR][eye],
                   w->frustum[OVFRUSTUM_FAR][eye],
                   w->frustum[OVFRUSTUM_LEFT][eye],
                   w->frustum[OVFRUSTUM_RIGHT][eye],
                   w->frustum[OVFRUSTUM_TOP][eye],
                   w->frustum[OVFRUSTUM_BOTTOM][eye],
                   true};
        return;
    }
    float t = v.own & kOwnViewAngle ? v.view_tangent : w->view_tangent;
    float n = v.own & kOwnHither ? v.hither : w->hither;
    float f = v.own & kOwnYon ? v.yon : w->yon;
    float a = vp.height > 0 ? vp.width * v.aspect / vp.height : 1.0f;
    w->pixel_aspect = a;
    float mt = t / a;
    float half = vp.width > 0 ? vp.width / 2.0f : 1.0f;
    float s = (eye == 1 ? 1.0f : -1.0f) * v.effective_convergence / half;
    float L = t, R = t, T = mt, B = mt;
    if (mode == 2) {
        float u = v.stereo_shift;
        L = eye == 0 ? t - u : t + u;
        R = eye == 0 ? t + u : t - u;
    } else if (mode == 3) {
        n = w->frustum[OVFRUSTUM_NEAR][eye];
        f = w->frustum[OVFRUSTUM_FAR][eye];
        T = w->frustum[OVFRUSTUM_TOP][eye] / n;
        R = w->frustum[OVFRUSTUM_RIGHT][eye] / n;
        B = -w->frustum[OVFRUSTUM_BOTTOM][eye] / n;
        L = -w->frustum[OVFRUSTUM_LEFT][eye] / n;
    }
    std::memset(m, 0, 16 * sizeof(float));
    m[0] = 2 / (L + R);
    m[8] = (R - L) / (L + R) + s;
    m[5] = 2 / (T + B);
    m[9] = (T - B) / (T + B);
    m[10] = (n + f) / (n - f);
    m[14] = 2 * n * f / (n - f);
    m[11] = -1;
    *volume = {n, f, L, R, T, B, false};
}

bool matrices(OVwindow *w, int eye, const PixelRect &vp, float projection[16], float view[16],
              Volume *volume) {
    if (!w->viewpoint || !eye_viewpoint(w, eye)) return false;
    projection_matrix(w, eye, vp, projection, volume);
    view_matrix(w, eye, view);
    return true;
}

void unit(OVp3 v) {
    float l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (l > 0)
        for (int i = 0; i < 3; ++i)
            v[i] /= l;
}

// The culling data in OpenGL's eye frame (-Z ahead, +Y up). Perspective
// sides are planes through the eye, given in the toolkit's eye frame (+Z
// ahead, +Y down) and turned over; parallel sides are the box's.
void hand_culling(scene::TraversalState *s, const Volume &v, const float view[16]) {
    s->near_distance = v.n;
    s->far_distance = v.f;
    if (v.parallel) {
        const float normals[4][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
        const float offsets[4] = {-v.L, v.R, -v.B, v.T};
        for (int i = 0; i < 4; ++i) {
            std::memcpy(s->side_planes[i], normals[i], sizeof(OVp3));
            s->side_offsets[i] = offsets[i];
        }
    } else {
        const float n = v.n;
        const float sides[4][3] = {
            {n, 0, v.L * n}, {-n, 0, v.R * n}, {0, -n, v.B * n}, {0, n, v.T * n}};
        for (int i = 0; i < 4; ++i) {
            s->side_planes[i][0] = sides[i][0];
            s->side_planes[i][1] = -sides[i][1];
            s->side_planes[i][2] = -sides[i][2];
            unit(s->side_planes[i]);
            s->side_offsets[i] = 0;
        }
    }
    std::memcpy(&s->view[0][0], view, 16 * sizeof(float));
    // The eye is where the view matrix takes the origin: -R^T t.
    for (int j = 0; j < 3; ++j)
        s->eye_position[j] =
            -(view[4 * j] * view[12] + view[4 * j + 1] * view[13] + view[4 * j + 2] * view[14]);
}

void eye_state(int rendering) {
    glDisable(GL_NORMALIZE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glDisable(GL_CULL_FACE);
    glShadeModel(rendering & OVSTYLE_SMOOTH ? GL_SMOOTH : GL_FLAT);
    forget_drawing_state();
    DrawCache &c = draw_cache();
    c.flags = DRAW_LIGHTING | (rendering & OVSTYLE_SMOOTH ? DRAW_SMOOTH : 0);
    c.transparent_pass = false;
}

void unit_square_projection() {
    const float m[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, -1, -1, 1, 1};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reset_lines() {
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(1);
    glPointSize(1);
}

} // namespace

PixelRect eye_viewport(const OVwindow *w, int eye) {
    PixelRect vp = viewport_pixels(w);
    if (window_stacked_stereo(w)) {
        int gap = render_config().stereo_gap;
        // A gap taller than the viewport leaves no rows, not a negative height.
        int half = std::max(0, (vp.height - gap) / 2);
        if (eye == 0) vp.y += half + gap;
        vp.height = half;
    }
    return vp;
}

bool eye_matrices(OVwindow *w, int eye, const PixelRect &vp, float projection[16], float view[16]) {
    Volume volume;
    return matrices(w, eye, vp, projection, view, &volume);
}

void eye_begin(OVwindow *w, int eye, const PixelRect &vp) {
    auto *state = static_cast<scene::TraversalState *>(w->state);
    if (state) _OVnode_initstate(state);
    float projection[16], view[16];
    Volume volume;
    if (!matrices(w, eye, vp, projection, view, &volume)) return;
    int rendering = OVuniverse_getrendering();
    // Wireframe ignores every other bit but anti-aliasing.
    if (rendering & OVSTYLE_WIREFRAME) rendering &= OVSTYLE_WIREFRAME | OVSTYLE_ANTIALIAS;
    if (state) {
        hand_culling(state, volume, view);
        state->rendering_flags = rendering;
        state->display_bit = 1 << w->display_index;
        state->projection_mode = projection_mode(w, viewpoint_viewing(w->viewpoint));
        state->drawn_polys = 0;
    }
    global_ambient();
    // Colour material goes off first: while it tracks a component, the
    // default material cannot reset that one.
    eye_state(rendering);
    set_default_material();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    load_model_view(view);
}

bool eye_finish(OVwindow *w, int eye, const PixelRect &vp) {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    if (w->draw3d && w->viewpoint) {
        float projection[16], view[16];
        eye_matrices(w, eye, vp, projection, view);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(view);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        w->in_draw3d = 1;
        ObjectWatch watch(w);
        w->draw3d(w, eye);
        if (watch.deleted()) {
            reset_lines();
            return false;
        }
        w->in_draw3d = 0;
    }
    reset_lines();
    return eye_draw2d(w, eye);
}

bool eye_draw2d(OVwindow *w, int eye) {
    if (!w->draw2d) return true;
    unit_square_projection();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    w->in_draw2d = 1;
    ObjectWatch watch(w);
    w->draw2d(w, eye);
    if (!watch.deleted()) w->in_draw2d = 0;
    glEnable(GL_DEPTH_TEST);
    reset_lines();
    return !watch.deleted();
}

} // namespace orv
