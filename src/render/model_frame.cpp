// The loaded model-view matrix and the eye in its frame.
#include "render/model_frame.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace orv {

namespace {

float loaded[16];
bool eye_known = false;
OVp3 eye_position, eye_toward;

// Scaled model-view matrices need GL_NORMALIZE for correct lighting.
void normalisation_check(const float m[16]) {
    bool scaled = false;
    for (int row = 0; row < 3; ++row) {
        float l = m[row] * m[row] + m[row + 4] * m[row + 4] + m[row + 8] * m[row + 8];
        scaled = scaled || l < 0.95f || l > 1.05f;
    }
    if (scaled)
        glEnable(GL_NORMALIZE);
    else
        glDisable(GL_NORMALIZE);
}

// Solves the upper 3 x 3 of the loaded matrix, A x = b, by Cramer's rule.
bool solve(const float b[3], float x[3]) {
    auto a = [](int r, int c) { return loaded[c * 4 + r]; };
    float det = a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
                a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
                a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
    if (std::fabs(det) < 1e-20f) return false;
    for (int k = 0; k < 3; ++k) {
        float m[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                m[r][c] = c == k ? b[r] : a(r, c);
        x[k] = (m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0])) /
               det;
    }
    return true;
}

} // namespace

void load_model_view(const float m[16]) {
    std::memcpy(loaded, m, sizeof loaded);
    eye_known = false;
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m);
    normalisation_check(m);
}

void eye_in_model(OVp3 position, OVp3 toward) {
    if (!eye_known) {
        // The eye sits at the origin of eye space and looks down -Z.
        const float minus_t[3] = {-loaded[12], -loaded[13], -loaded[14]};
        const float back[3] = {0, 0, 1};
        if (!solve(minus_t, eye_position)) eye_position[0] = eye_position[1] = eye_position[2] = 0;
        if (!solve(back, eye_toward)) eye_toward[0] = eye_toward[1] = 0, eye_toward[2] = 1;
        float l = std::sqrt(eye_toward[0] * eye_toward[0] + eye_toward[1] * eye_toward[1] +
                            eye_toward[2] * eye_toward[2]);
        if (l > 0)
            for (float &c : eye_toward)
                c /= l;
        eye_known = true;
    }
    std::memcpy(position, eye_position, sizeof(OVp3));
    std::memcpy(toward, eye_toward, sizeof(OVp3));
}

void multiply_matrices(const float a[16], const float b[16], float out[16]) {
    float r[16];
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            float s = 0;
            for (int k = 0; k < 4; ++k)
                s += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = s;
        }
    std::memcpy(out, r, sizeof r);
}

} // namespace orv
