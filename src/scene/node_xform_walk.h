// Accumulating the transforms of a subtree: shared by the transform query and
// the bounds pass.
#pragma once

#include "scene/node_record.h"

namespace orv::scene {

// A transform with its kind: 0 identity, 0x02 translation only, 0x01 general.
struct Accumulated {
    OVm4 m;
    int kind;
};

void set_identity(OVm4 m);
// T := X·T, taking the cheaper path for a pure translation.
void compose_into(Accumulated &t, const OVm4 x, int x_kind);
// Whether child index i of a switch (or any other grouping node) is shown.
bool switch_shows(const OVnode *owner, int index);
// T := X·T for an Xform node X.
void compose_xform(Accumulated &t, const OVnode *xform);
// Composes into t what the node passes on to the siblings after it: an Xform
// node's transform, the accumulated transforms below groups, anchors and
// switches (their selection), nothing from any other node.
void accumulate_passed(Accumulated &t, const OVnode *node);

} // namespace orv::scene
