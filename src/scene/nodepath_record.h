// The node-path record and the step between two of its nodes.
#pragma once

#include "scene/node_record.h"
#include "scene/node_xform_walk.h"

struct OVnodepath {
    OVnode **nodes;
    int count, capacity;
};

namespace orv::scene {

// Whether child hangs under parent, directly or inside a movable parent's
// internal nodes; with t, the transforms met on the way are composed into it.
bool path_step(OVnode *parent, const OVnode *child, Accumulated *t);

} // namespace orv::scene
