// Stationary objects: a geometry of their own that stays where its file put
// it, shown in the scene through an object node. Universe files load into one
// of these.
#pragma once

#include "orv/orv_base.h"

namespace orv::objects {

struct StationaryObject {
    OVgeometry *geometry;
    OVnode *node; // the object node that shows it, or null
};

// Takes ownership of the geometry.
StationaryObject *stationary_new(OVgeometry *geometry);
// Deletes the object, its node and its geometry; the universe forgets it
// (and its portals) when it was the universe object.
void stationary_delete(StationaryObject *object);
// The geometry's midpoint and half extents (the object stays where its
// geometry is); false without geometry.
bool stationary_bounds(const StationaryObject *object, OVp3 midpoint, OVp3 extents);
// The same as a box (for the scene bounds).
bool stationary_box(const StationaryObject *object, float min[3], float max[3]);

// Shows the object through a new object node under parent (null: the
// holding root); null when the parent cannot hold children.
OVnode *object_node_new(OVnode *parent, StationaryObject *object);
// Forgets the node when the object goes first.
void object_node_release(OVnode *node);

} // namespace orv::objects
