// The motion-link step of a simulation pass.
#include "input/motionlink_list.h"
#include "orv/orv_internal.h"

#include <vector>

namespace {

using Apply = void (*)(OVmotionlink *);

void apply_node_link(OVmotionlink *link) {
    if (link->target_type == OVLINK_NODEPATH)
        _OVnodepath_sensorupdate(link);
    else
        _OVnode_sensorupdate(link);
}

bool is_node_target(int type) {
    return type == OVLINK_XFORM || type == OVLINK_MOVABLE || type == OVLINK_NODEPATH;
}

// The enabled sensor links whose target type passes, in list order, taken
// before any is applied: the handlers a target asks may delete links.
template <typename Pick> void apply_all(Pick picks, Apply apply) {
    std::vector<OVmotionlink *> links;
    for (OVmotionlink *l = orv::input::first_link(); l; l = l->next)
        if (l->enabled && l->source_type == 0 && picks(l->target_type)) links.push_back(l);
    for (OVmotionlink *l : links)
        if (orv::input::link_is_listed(l)) apply(l);
}

} // namespace

void _OVmotionlink_step(void) {
    // Links to lights would come first; links do not take lights as targets.
    apply_all([](int type) { return type == OVLINK_VIEWPOINT; }, _OVviewpoint_applymotion);
    // Legacy objects and their tasks have no implementation to move.
    apply_all(is_node_target, apply_node_link);
}
