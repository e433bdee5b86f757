// Creating, finding and deleting motion links.
#include "input/motionlink_list.h"
#include "input/node_calls.h"
#include "orv/message.h"
#include "orv/orv_internal.h"
#include "state/universe_state.h"

#include <cstring>

namespace {

OVmotionlink *head = nullptr;
OVmotionlink *tail = nullptr;

bool accepted_target_type(int type) {
    return type == OVLINK_VIEWPOINT || type == OVLINK_XFORM || type == OVLINK_NODEPATH ||
           type == OVLINK_MOVABLE;
}

bool target_fits(void *target, int type) {
    switch (type) {
    case OVLINK_MOVABLE:
        return orv::input::node_is_movable(static_cast<OVnode *>(target));
    case OVLINK_NODEPATH:
        return orv::input::nodepath_target(static_cast<const OVnodepath *>(target)) != nullptr;
    default:
        return true;
    }
}

} // namespace

namespace orv::input {

OVmotionlink *create_link(void *source, void *target, int source_type, int target_type) {
    auto *link = static_cast<OVmotionlink *>(OVmalloc(sizeof(OVmotionlink)));
    std::memset(link, 0, sizeof *link);
    link->source = source;
    link->target = target;
    link->saved.q[3] = 1;
    link->source_type = source_type;
    link->target_type = target_type;
    link->reference_frame = link->constraint_frame = target_type == OVLINK_NODEPATH ? 1 : 0;
    link->enabled = 1;
    link->previous = tail;
    if (tail)
        tail->next = link;
    else
        head = link;
    tail = link;
    return link;
}

OVmotionlink *find_link(const void *source, const void *target) {
    for (OVmotionlink *l = head; l; l = l->next)
        if (l->source == source && l->target == target) return l;
    return nullptr;
}

void delete_links_from(const void *source) {
    for (OVmotionlink *l = head, *next; l; l = next) {
        next = l->next;
        if (l->source == source) OVmotionlink_delete(l);
    }
}

OVmotionlink *first_link() {
    return head;
}

bool link_is_listed(const OVmotionlink *link) {
    for (const OVmotionlink *l = head; l; l = l->next)
        if (l == link) return true;
    return false;
}

} // namespace orv::input

extern "C" {

ORV_API OVmotionlink *OVmotionlink_new(OVsensor *sensor, void *target, int sourcetype,
                                       int targettype) {
    if (!sensor || !target || !orv::universe_exists()) return nullptr;
    if (!accepted_target_type(targettype)) {
        OVwarning("Illegal to_type in call to OVmotionlink_new.");
        return nullptr;
    }
    if (orv::input::find_link(sensor, target) || !target_fits(target, targettype)) return nullptr;
    return orv::input::create_link(sensor, target, sourcetype, targettype);
}

ORV_API void OVmotionlink_delete(OVmotionlink *link) {
    if (!link) return;
    if (link->previous)
        link->previous->next = link->next;
    else if (head == link)
        head = link->next;
    else
        return; // not in the list
    if (link->next)
        link->next->previous = link->previous;
    else
        tail = link->previous;
    OVfree(link);
}

ORV_API void OVmotionlink_deletetarget(void *target) {
    for (OVmotionlink *l = head, *next; l; l = next) {
        next = l->next;
        if (l->target == target) OVmotionlink_delete(l);
    }
}

// Without its node, reference frame 2 would read a freed record.
ORV_API void _OVmotionlink_forgetreference(void *node) {
    if (!node) return;
    for (OVmotionlink *l = head; l; l = l->next) {
        if (l->reference_node != node) continue;
        l->reference_node = nullptr;
        if (l->reference_frame == OVFRAME_REFERENCE)
            l->reference_frame = l->target_type == OVLINK_NODEPATH ? OVFRAME_WORLD : OVFRAME_PARENT;
    }
}

ORV_API OVmotionlink *OVmotionlink_next(const OVmotionlink *link) {
    return link ? link->next : nullptr;
}

ORV_API OVmotionlink *OVuniverse_getmotionlinks(void) {
    return head;
}

ORV_API int OVmotionlink_getsource(const OVmotionlink *link, OVsensor **sensor, int *sourcetype) {
    if (!link || !sensor || !sourcetype) return 0;
    *sensor = static_cast<OVsensor *>(link->source);
    *sourcetype = link->source_type;
    return 1;
}

ORV_API int OVmotionlink_gettarget(const OVmotionlink *link, void **target, int *targettype) {
    if (!link || !target || !targettype) return 0;
    *target = link->target;
    *targettype = link->target_type;
    return 1;
}

} // extern "C"
