// The path and path-element records and the module's internal services,
// private to the paths module.
#pragma once

#include "core/object.h"
#include "orv/path.h"
#include "paths/path_access.h"

#include <cstdint>

struct OVpathelement {
    OVpq pose;
    OVpathelement *backward; // towards the first element
    OVpathelement *forward;  // towards the last element
    OVpath *path;            // null while unlinked
    void *data;
    void *marker_object; // legacy objects do not exist: always null
    OVnode *marker;      // movable geometry node showing the element, or null
};

struct OVpath {
    OVobject header;
    std::uint8_t mode;
    std::uint8_t forward;
    std::uint8_t visible;
    std::uint8_t constraints;
    std::uint8_t state;
    char *name;
    OVpathelement *first, *current, *last;
    void *marker_template;
    OVgeometry *marker_geometry; // the path's own copy
    void *data;
    int speed;
    int sampling;
    int countdown;
    OVmotionlink *record_from;
    OVpath *next;
};

namespace orv::paths {

// The pose of the path's source: the record-from link's target, else the
// universe's current viewpoint (the origin when there is none).
OVpq source_pose(OVpath *path);
// Whether the path is still on the universe's list.
bool is_path_listed(const OVpath *path);
// Whether the link is still in the universe's list.
bool is_listed(const OVmotionlink *link);
// Links the element after the last one, as last and current; shows its
// marker on a visible path.
void link_last(OVpath *path, OVpathelement *element);
// Gives the pose to every enabled link whose source is the path, or to the
// current viewpoint when none, under the path's constraints.
// The pose is taken by value: a target's pre-handler may delete the path and
// with it the element the pose came from.
void apply_pose(const OVpath *path, OVpq pose);

// Shows or hides one element's marker.
void show_marker(OVpath *path, OVpathelement *element);
void hide_marker(OVpathelement *element);
// Moves an element's marker node to its pose.
void place_marker(const OVpathelement *element);
// Deletes an element's marker node.
void delete_marker(OVpathelement *element);

// Sets the state to idle without handlers.
void make_idle(OVpath *path);

} // namespace orv::paths
