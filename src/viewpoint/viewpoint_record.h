// The viewpoint record. Published for the renderer and the window module,
// which read the viewing parameters every frame and clear the set flags when
// a window's own value is to apply again.
#pragma once

#include "core/object.h"
#include "orv/orv_base.h"

#include <cstdint>

struct OVviewpoint {
    OVobject header; // type 31
    std::uint8_t reserved[2];
    OVp3 position;
    OVq orientation;
    OVp3 last_position;
    OVq last_orientation;
    OVp3 direction;
    float parallax;
    std::int16_t convergence;
    std::int16_t effective_convergence;
    float hither;
    float view_tangent;
    float aspect;
    void *data;
    std::int16_t projection;
    char *name;
    std::uint8_t projection_set;
    std::uint8_t hither_set;
    std::uint8_t yon_set;
    std::uint8_t viewangle_set;
    float yon;
    float convergence_distance;
    OVp3 eye_translation;
    OVq eye_rotation;
    std::int16_t eye_frame; // -1 none, 0/2 viewpoint frame, 1 world frame
    OVviewpoint *next;
};

namespace orv {

// Whether the viewpoint is in the universe's list.
bool viewpoint_is_listed(const OVviewpoint *viewpoint);
// Recomputes the direction after a pose change (through the eye frame for
// the current viewpoint).
void viewpoint_update_direction(OVviewpoint *viewpoint);
// The pose as the renderer sees it: passed through the universe's axis map.
void viewpoint_eyeframe(const OVp3 position, const OVq orientation, OVp3 out_position,
                        OVq out_orientation);
// Right-eye pose: the eye offset (or the parallax shift) applied to a copy.
void viewpoint_righteye(const OVviewpoint *viewpoint, OVp3 out_position, OVq out_orientation);
// Changes only the convergence the renderer uses, without handlers.
void viewpoint_set_effective_convergence(OVviewpoint *viewpoint, int pixels);

} // namespace orv
