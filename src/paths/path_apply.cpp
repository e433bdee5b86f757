// The pose a path records from its source and the pose it plays onto its targets.
#include "orv/math.h"
#include "orv/motionlink.h"
#include "orv/node.h"
#include "orv/nodepath.h"
#include "orv/viewpoint.h"
#include "paths/path_record.h"

#include <vector>

namespace {

struct Parts {
    bool position, orientation;
};

Parts played_parts(const OVpath *path) {
    return {(path->constraints & OVPATH_POSITION_CONSTRAINTS) == 0,
            (path->constraints & OVPATH_ORIENTATION_CONSTRAINTS) == 0};
}

void apply_to_viewpoint(OVviewpoint *viewpoint, const OVpq &pose, Parts parts) {
    if (parts.position) OVviewpoint_setposition(viewpoint, pose.p);
    if (parts.orientation) OVviewpoint_setorientation(viewpoint, pose.q);
}

void apply_to_node(OVnode *node, const OVpq &pose, Parts parts) {
    if (parts.position) OVnode_settranslation(node, pose.p);
    if (parts.orientation) OVnode_setorientation(node, pose.q);
}

// The last node gets the local transform that makes the path's accumulated
// transform the pose: with local T and accumulated A, the rest of the path is
// B = T'A, and the new local transform is pose * B'.
void apply_to_nodepath(OVnodepath *nodepath, const OVpq &pose, Parts parts) {
    OVnode *node = OVnodepath_getnode(nodepath, -1);
    OVm4 local, accumulated, local_inverse, rest, rest_inverse, wanted, result;
    if (!node || !OVnode_gettransform(node, local) ||
        !OVnodepath_getmatrix(nodepath, accumulated) || !OVm4_invert(local, local_inverse))
        return;
    OVm4_mult(local_inverse, accumulated, rest);
    if (!OVm4_invert(rest, rest_inverse)) return;
    OVpq played = pose;
    if (!parts.position) played.p[0] = played.p[1] = played.p[2] = 0;
    if (!parts.orientation) {
        played.q[0] = played.q[1] = played.q[2] = 0;
        played.q[3] = 1;
    }
    OVpq_2m4(&played, wanted);
    OVm4_mult(wanted, rest_inverse, result);
    OVnode_settransform(node, result);
}

// Gives the pose to the link's target. Legacy objects and lights are not
// moved by paths.
void apply_to_target(void *target, int type, const OVpq &pose, Parts parts) {
    switch (type) {
    case OVLINK_VIEWPOINT:
        apply_to_viewpoint(static_cast<OVviewpoint *>(target), pose, parts);
        break;
    case OVLINK_XFORM:
    case OVLINK_MOVABLE:
        apply_to_node(static_cast<OVnode *>(target), pose, parts);
        break;
    case OVLINK_NODEPATH:
        apply_to_nodepath(static_cast<OVnodepath *>(target), pose, parts);
        break;
    default:
        break;
    }
}

bool is_path_link(const OVmotionlink *link, const OVpath *path) {
    OVsensor *source;
    int source_type;
    return OVmotionlink_getsource(link, &source, &source_type) &&
           source_type == OVLINK_SOURCE_PATH && static_cast<void *>(source) == path;
}

} // namespace

namespace orv::paths {

bool is_listed(const OVmotionlink *link) {
    for (OVmotionlink *l = OVuniverse_getmotionlinks(); l; l = OVmotionlink_next(l))
        if (l == link) return true;
    return false;
}

OVpq source_pose(OVpath *path) {
    OVpq pose = {{0, 0, 0}, {0, 0, 0, 1}};
    // A deleted link is forgotten rather than read.
    if (path->record_from && !is_listed(path->record_from)) path->record_from = nullptr;
    if (path->record_from && OVmotionlink_gettargetpose(path->record_from, &pose)) return pose;
    if (OVviewpoint *viewpoint = OVuniverse_getviewpoint()) {
        OVviewpoint_getposition(viewpoint, pose.p);
        OVviewpoint_getorientation(viewpoint, pose.q);
    }
    return pose;
}

void apply_pose(const OVpath *path, OVpq pose) {
    const Parts parts = played_parts(path);
    // The links are taken first: a pre-handler of a target may delete links
    // (and with its target a link goes too).
    static std::vector<OVmotionlink *> links;
    links.clear();
    for (OVmotionlink *link = OVuniverse_getmotionlinks(); link; link = OVmotionlink_next(link))
        if (OVmotionlink_isenabled(link) && is_path_link(link, path)) links.push_back(link);
    if (links.empty()) {
        if (OVviewpoint *viewpoint = OVuniverse_getviewpoint())
            apply_to_viewpoint(viewpoint, pose, parts);
        return;
    }
    for (OVmotionlink *link : links) {
        void *target;
        int type;
        if (is_listed(link) && OVmotionlink_gettarget(link, &target, &type))
            apply_to_target(target, type, pose, parts);
    }
}

} // namespace orv::paths
