// Motion-link frames, constraints, enabling, user data and target poses.
#include "core/finite.h"
#include "input/motionlink_list.h"
#include "input/node_calls.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/viewpoint.h"

#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

bool is_node(const OVmotionlink *link) {
    return link->target_type == OVLINK_XFORM || link->target_type == OVLINK_MOVABLE;
}

void save_viewpoint_pose(OVmotionlink *link) {
    const auto *vp = static_cast<const OVviewpoint *>(link->target);
    OVviewpoint_getposition(vp, link->saved.p);
    OVviewpoint_getorientation(vp, link->saved.q);
}

bool bounds_fit(int kind, float minimum, float maximum) {
    switch (kind) {
    case 1:
    case 2:
    case 4:
        return maximum >= minimum;
    case 8:
    case 16:
        return maximum >= minimum && std::fabs(minimum) <= 2 * pi && std::fabs(maximum) <= 2 * pi &&
               std::fabs(minimum) + std::fabs(maximum) < 2 * pi;
    case 32:
        return -pi <= minimum && minimum <= maximum && maximum <= pi;
    default:
        return false;
    }
}

int find_constraint(const OVmotionlink *link, int kind) {
    for (int i = 0; i < link->constraint_count; ++i)
        if (link->constraints[i].kind == kind) return i;
    return -1;
}

} // namespace

extern "C" {

ORV_API int OVmotionlink_setreferenceframe(OVmotionlink *link, int frame, OVnode *reference) {
    if (!link) return 0;
    bool direct;
    switch (link->target_type) {
    case OVLINK_VIEWPOINT:
        direct = frame == OVFRAME_OWN || frame == OVFRAME_WORLD || frame == OVFRAME_REFERENCE;
        break;
    case OVLINK_XFORM:
    case OVLINK_MOVABLE:
        direct = frame == OVFRAME_OWN || frame == OVFRAME_PARENT;
        break;
    case OVLINK_NODEPATH:
        direct = frame == OVFRAME_OWN || frame == OVFRAME_WORLD;
        break;
    default:
        return 0;
    }
    const bool with_node = link->target_type != OVLINK_VIEWPOINT && frame == OVFRAME_REFERENCE;
    if (!direct && !with_node) {
        OVwarning("Illegal reference frame requested. \t\t\t\t\t\t\t\t\tFrame unchanged.\n");
        return 0;
    }
    if (with_node && !reference) return 0;
    link->reference_frame = frame;
    if (with_node) link->reference_node = reference;
    return 1;
}

ORV_API int OVmotionlink_getreferenceframe(const OVmotionlink *link) {
    return link ? link->reference_frame : -1;
}

ORV_API int OVmotionlink_setconstraintframe(OVmotionlink *link, int frame) {
    if (!link) return 0;
    switch (link->target_type) {
    case OVLINK_VIEWPOINT:
        if (frame != 0 && frame != 1 && frame != 2) return 0;
        if (frame != 1) save_viewpoint_pose(link);
        break;
    case OVLINK_XFORM:
    case OVLINK_MOVABLE:
        if (frame != 0 && frame != 1 && frame != 3) return 0;
        if (frame == 1) frame = 3;
        break;
    case OVLINK_NODEPATH:
        if (frame != 1 && frame != 2) return 0;
        break;
    default:
        return 0;
    }
    link->constraint_frame = frame;
    return 1;
}

ORV_API int OVmotionlink_getconstraintframe(const OVmotionlink *link) {
    return link ? link->constraint_frame : -1;
}

ORV_API int OVmotionlink_addconstraint(OVmotionlink *link, int kind, float minimum, float maximum) {
    if (!link || !orv::finite(minimum, maximum) || !bounds_fit(kind, minimum, maximum)) return 0;
    int index = find_constraint(link, kind);
    if (index < 0) index = link->constraint_count++;
    link->constraints[index] = {kind, minimum, maximum};
    if (link->target_type == OVLINK_VIEWPOINT && link->constraint_frame == 0)
        save_viewpoint_pose(link);
    return 1;
}

ORV_API int OVmotionlink_removeconstraint(OVmotionlink *link, int kind) {
    if (!link) return 0;
    const int index = find_constraint(link, kind);
    if (index < 0) return 0;
    link->constraints[index] = link->constraints[--link->constraint_count];
    return 1;
}

ORV_API void OVmotionlink_enable(OVmotionlink *link, int on) {
    if (link) link->enabled = on ? 1 : 0;
}

ORV_API int OVmotionlink_isenabled(const OVmotionlink *link) {
    return link ? link->enabled : 0;
}

ORV_API void OVmotionlink_setdata(OVmotionlink *link, void *data) {
    if (link) link->data = data;
}

ORV_API void *OVmotionlink_getdata(const OVmotionlink *link) {
    return link ? link->data : nullptr;
}

ORV_API int OVmotionlink_gettargetpose(const OVmotionlink *link, OVpq *pose) {
    if (!link || !pose) return 0;
    if (link->target_type == OVLINK_VIEWPOINT) {
        OVviewpoint_getposition(static_cast<const OVviewpoint *>(link->target), pose->p);
        OVviewpoint_getorientation(static_cast<const OVviewpoint *>(link->target), pose->q);
        return 1;
    }
    if (link->target_type == OVLINK_NODEPATH) {
        OVm4 world;
        if (!OVnodepath_getmatrix(static_cast<const OVnodepath *>(link->target), world)) return 0;
        OVm4_2pq(world, pose);
        return 1;
    }
    if (!is_node(link)) return 0;
    OVm4 transform;
    OVnode_gettransform(static_cast<const OVnode *>(link->target), transform);
    OVm4_2pq(transform, pose);
    return 1;
}

} // extern "C"
