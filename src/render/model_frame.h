// The model-view matrix the playback has loaded, and where the eye is in the
// model frame it describes (for the software back-face test).
#pragma once

#include "orv/orv_base.h"

namespace orv {

// Loads a column-major model-view matrix, turning GL_NORMALIZE on when it scales.
void load_model_view(const float m[16]);
// The eye position, and the unit direction from the scene towards the eye, in
// the frame of the loaded matrix.
void eye_in_model(OVp3 position, OVp3 toward);
// a * b for column-major 4 x 4 matrices.
void multiply_matrices(const float a[16], const float b[16], float out[16]);

} // namespace orv
