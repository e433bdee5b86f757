// The explorer's process-wide state and the steps that act on it.
#pragma once

#include "orv/font3d.h"
#include "orv/light.h"
#include "orv/orv.h"

namespace rgbslice {

enum Channel { Red = 0, Green = 1, Blue = 2 };

struct State {
    unsigned char value[3] = {128, 128, 128};
    OVnode *root = nullptr;
    OVviewpoint *viewpoint = nullptr;
    OVsensor *mouse = nullptr;
    OVnode *plane[3] = {};      // movable geometry nodes
    OVnode *label_sep[3] = {};  // movable separators holding the labels
    OVnode *label_node[3] = {}; // the current label geometry nodes
    OVfont3d *font = nullptr;
};

State &state();

// Start pose of the viewpoint.
void reset_pose();
// Builds the lights, the cube, the planes and the labels under the root,
// starting every channel afresh; root, viewpoint and mouse are the caller's.
void build_scene();
// Replaces the channel's label with one showing its current value.
void rebuild_label(Channel c);
// Moves, recolours and relabels after a channel value changed.
void channel_changed(Channel c);
// The action function: one key per pass.
void act();

} // namespace rgbslice
