// The viewpoint record, private to the viewpoint module; the others use
// viewpoint_access.h.
#pragma once

#include "core/object.h"
#include "orv/orv_base.h"
#include "viewpoint/viewpoint_access.h"

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
