// A VRML camera looks along its local -Z with +Y up; the viewpoint looks along
// its local +Z with +Y down. The camera's rotation is built from the
// viewpoint's world direction and up vector, so it looks the same way
// whichever way the viewpoint is turned.
#include "vrml/vrml_camera.h"

#include "orv/viewpoint.h"

#include <cmath>

namespace orv::vrml {

namespace {

constexpr int local_y = 1;
constexpr float smallest_angle = 0.00001f;

// Quaternion (x, y, z, w) of a rotation matrix that maps local columns to
// world (column convention).
void matrix_quaternion(const float m[3][3], float q[4]) {
    const float trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0) {
        const float s = std::sqrt(trace + 1) * 2;
        q[3] = s / 4;
        q[0] = (m[2][1] - m[1][2]) / s;
        q[1] = (m[0][2] - m[2][0]) / s;
        q[2] = (m[1][0] - m[0][1]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const float s = std::sqrt(1 + m[0][0] - m[1][1] - m[2][2]) * 2;
        q[3] = (m[2][1] - m[1][2]) / s;
        q[0] = s / 4;
        q[1] = (m[0][1] + m[1][0]) / s;
        q[2] = (m[0][2] + m[2][0]) / s;
    } else if (m[1][1] > m[2][2]) {
        const float s = std::sqrt(1 + m[1][1] - m[0][0] - m[2][2]) * 2;
        q[3] = (m[0][2] - m[2][0]) / s;
        q[0] = (m[0][1] + m[1][0]) / s;
        q[1] = s / 4;
        q[2] = (m[1][2] + m[2][1]) / s;
    } else {
        const float s = std::sqrt(1 + m[2][2] - m[0][0] - m[1][1]) * 2;
        q[3] = (m[1][0] - m[0][1]) / s;
        q[0] = (m[0][2] + m[2][0]) / s;
        q[1] = (m[1][2] + m[2][1]) / s;
        q[2] = s / 4;
    }
}

} // namespace

void camera_rotation(OVviewpoint *viewpoint, float axis[3], float *angle) {
    OVp3 direction, down;
    OVviewpoint_getdirection(viewpoint, direction);
    OVviewpoint_getaxis(viewpoint, local_y, down);
    // Columns: camera x = up × back, camera y = up, camera z = back.
    const float up[3] = {-down[0], -down[1], -down[2]};
    const float back[3] = {-direction[0], -direction[1], -direction[2]};
    const float x[3] = {up[1] * back[2] - up[2] * back[1], up[2] * back[0] - up[0] * back[2],
                        up[0] * back[1] - up[1] * back[0]};
    float m[3][3];
    for (int r = 0; r < 3; ++r) {
        m[r][0] = x[r];
        m[r][1] = up[r];
        m[r][2] = back[r];
    }
    float q[4];
    matrix_quaternion(m, q);
    if (q[3] < 0)
        for (float &c : q)
            c = -c;
    *angle = 2 * std::acos(std::fmin(1.0f, q[3]));
    const float s = std::sin(*angle / 2);
    if (std::fabs(*angle) > smallest_angle && s > 0) {
        for (int i = 0; i < 3; ++i)
            axis[i] = q[i] / s;
    } else {
        axis[0] = axis[1] = 0;
        axis[2] = 1;
    }
}

void write_camera(Output &out, OVviewpoint *viewpoint) {
    OVp3 position;
    OVviewpoint_getposition(viewpoint, position);
    float axis[3], angle;
    camera_rotation(viewpoint, axis, &angle);
    out.line("PerspectiveCamera {\n");
    ++out.level;
    out.line("position %f %f %f\n", position[0], position[1], position[2]);
    out.line("orientation %f %f %f %f\n", axis[0], axis[1], axis[2], angle);
    --out.level;
    out.line("}\n");
}

} // namespace orv::vrml
