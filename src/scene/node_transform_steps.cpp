// Incremental translations and rotations, along the node's own axes (frame 0)
// or the parent's (frame 3).
#include "core/finite.h"
#include "orv/math.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"
#include "scene/node_xform_walk.h"

#include <cmath>

namespace {

using namespace orv::scene;

constexpr float degrees_to_radians = 3.1415927f / 180.0f;

// Rows as the row-vector rule needs them: about Z, +X turns to +Y.
void axis_matrix(int axis, float theta, OVm4 r) {
    set_identity(r);
    float c = std::cos(theta), s = std::sin(theta);
    int a = (axis + 1) % 3, b = (axis + 2) % 3; // the plane the axis turns
    r[a][a] = c;
    r[a][b] = s;
    r[b][a] = -s;
    r[b][b] = c;
}

bool valid_frame(int frame) {
    return frame == 0 || frame == 3;
}

// T := T·R (frame 3) or R·T (frame 0); the post-handlers hear the rotation.
// A product that overflows is refused like a non-finite rotation.
int compose(OVnode *node, const OVm4 r, int frame) {
    if (!orv::finite(r, 4) || !valid_frame(frame) || !orv::change_allowed(node, "Rotation"))
        return false;
    OVnode *x = xform_of(node);
    if (!x) return false;
    OVm4 t;
    if (frame == 3)
        OVm4_mult(xform_record(x).transform, r, t);
    else
        OVm4_mult(r, xform_record(x).transform, t);
    if (!orv::finite(t, 4)) return false;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            xform_record(x).transform[i][j] = t[i][j];
    xform_record(x).kind |= KIND_ROTATION;
    transform_changed(x);
    OVm3 back;
    read_rotation(x, back);
    orv::change_made(node, "Rotation", back);
    return true;
}

int rotate_about(OVnode *node, int axis, float theta, int frame) {
    if (axis < 0 || axis > 2 || !orv::finite(theta)) return false;
    OVm4 r;
    axis_matrix(axis, theta, r);
    return compose(node, r, frame);
}

// R_Y(first)·R_X(second)·R_Z(third).
int rotate_euler(OVnode *node, float y, float x, float z, int frame) {
    if (!orv::finite(y, x, z)) return false;
    OVm4 ry, rx, rz, yx, r;
    axis_matrix(1, y, ry);
    axis_matrix(0, x, rx);
    axis_matrix(2, z, rz);
    OVm4_mult(ry, rx, yx);
    OVm4_mult(yx, rz, r);
    return compose(node, r, frame);
}

} // namespace

extern "C" {

ORV_API int OVnode_translate(OVnode *node, const OVp3 v, int frame) {
    if (!orv::finite(v, 3) || !valid_frame(frame) || !orv::change_allowed(node, "Translation"))
        return false;
    OVnode *x = xform_of(node);
    if (!x) return false;
    OVm4 &t = xform_record(x).transform;
    OVp3 moved;
    for (int j = 0; j < 3; ++j)
        moved[j] = t[3][j] + (frame == 3 ? v[j] : v[0] * t[0][j] + v[1] * t[1][j] + v[2] * t[2][j]);
    if (!orv::finite(moved, 3)) return false;
    for (int j = 0; j < 3; ++j)
        t[3][j] = moved[j];
    xform_record(x).kind |= KIND_TRANSLATION;
    transform_changed(x);
    const OVp3 now = {t[3][0], t[3][1], t[3][2]};
    orv::change_made(node, "Translation", now);
    return true;
}

ORV_API int OVnode_rotateaxis(OVnode *node, int axis, float degrees, int frame) {
    return rotate_about(node, axis, degrees * degrees_to_radians, frame);
}

ORV_API int OVnode_axisrotation(OVnode *node, int axis, float radians, int frame) {
    return rotate_about(node, axis, radians, frame);
}

ORV_API int OVnode_rotate(OVnode *node, float first, float second, float third, int frame) {
    return rotate_euler(node, first * degrees_to_radians, second * degrees_to_radians,
                        third * degrees_to_radians, frame);
}

ORV_API int OVnode_rotation(OVnode *node, float first, float second, float third, int frame) {
    return rotate_euler(node, first, second, third, frame);
}

ORV_API int OVnode_rotateq(OVnode *node, const OVq q, int frame) {
    if (!orv::finite(q, 4)) return false;
    OVm4 r;
    OVq_2m4(q, r);
    return compose(node, r, frame);
}

ORV_API int OVnode_rotatem3(OVnode *node, const OVm3 m, int frame) {
    if (!orv::finite(m, 3)) return false;
    OVm4 r;
    set_identity(r);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = m[i][j];
    return compose(node, r, frame);
}

ORV_API int OVnode_rotatem4(OVnode *node, const OVm4 m, int frame) {
    return m ? compose(node, m, frame) : false;
}

} // extern "C"
