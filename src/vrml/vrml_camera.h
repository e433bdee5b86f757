// The viewpoint as a VRML perspective camera.
#pragma once

#include "orv/orv_base.h"
#include "vrml/vrml_output.h"

namespace orv::vrml {

// The axis and angle of the VRML camera orientation that looks along the
// viewpoint's direction with the viewpoint's up (its local -Y) as up.
void camera_rotation(OVviewpoint *viewpoint, float axis[3], float *angle);
// Writes the PerspectiveCamera node.
void write_camera(Output &out, OVviewpoint *viewpoint);

} // namespace orv::vrml
