// The motion-link step of a simulation pass.
#include "input/motionlink_list.h"
#include "universe/subsystems.h"

namespace {

bool applies(const OVmotionlink *link) {
    return link->enabled && link->source_type == 0;
}

template <typename Fn> void each_link(int type, Fn apply) {
    for (OVmotionlink *l = orv::input::first_link(), *next; l; l = next) {
        next = l->next;
        if (applies(l) && l->target_type == type) apply(l);
    }
}

} // namespace

void _OVmotionlink_step(void) {
    if (_OVlight_applymotion) each_link(OVLINK_LIGHT, _OVlight_applymotion);
    each_link(OVLINK_VIEWPOINT, _OVviewpoint_applymotion);
    // Legacy objects and their tasks have no implementation to move.
    for (OVmotionlink *l = orv::input::first_link(), *next; l; l = next) {
        next = l->next;
        if (!applies(l)) continue;
        if (l->target_type == OVLINK_XFORM || l->target_type == OVLINK_MOVABLE)
            _OVnode_sensorupdate(l);
        else if (l->target_type == OVLINK_NODEPATH)
            _OVnodepath_sensorupdate(l);
    }
}
