// The motion-link record and the universe's doubly linked list of links.
#pragma once

#include "orv/motionlink.h"

#include <cstdint>

namespace orv::input {

struct Constraint {
    int kind;
    float minimum, maximum;
};

// One entry per kind at most: six kinds exist.
inline constexpr int max_constraints = 6;

} // namespace orv::input

struct OVmotionlink {
    OVmotionlink *next, *previous;
    void *source; // a sensor for source type 0
    void *target;
    OVpq saved; // pivot pose of viewpoint targets
    int source_type;
    int target_type;
    int reference_frame;
    int constraint_frame;
    int constraint_count;
    orv::input::Constraint constraints[orv::input::max_constraints];
    void *data;
    std::uint8_t enabled;
    OVnode *reference_node;
};

namespace orv::input {

// Appends a link without the checks of OVmotionlink_new (lights and paths
// make their own kinds of links).
OVmotionlink *create_link(void *source, void *target, int source_type, int target_type);
// The link from the source to the target, or null.
OVmotionlink *find_link(const void *source, const void *target);
// Deletes every link whose source is the object.
void delete_links_from(const void *source);
OVmotionlink *first_link();
// Whether the link is still in the universe's list.
bool link_is_listed(const OVmotionlink *link);

} // namespace orv::input
