// Path elements: making, linking, unlinking, poses and moving the current element.
#include "core/finite.h"
#include "orv/message.h"
#include "paths/path_record.h"
#include "math/quat_valid.h"

#include <cstring>

namespace {

const OVpq identity_pose = {{0, 0, 0}, {0, 0, 0, 1}};

// A null element asks the source for its pose; one already on a path is refused.
OVpathelement *element_to_link(OVpath *path, OVpathelement *element) {
    if (element) return element->path ? nullptr : element;
    const OVpq pose = orv::paths::source_pose(path);
    return OVpathelement_new(&pose);
}

} // namespace

namespace orv::paths {

// A refused (null) element is not linked.
void link_last(OVpath *path, OVpathelement *element) {
    if (!element) return;
    element->path = path;
    element->backward = path->last;
    element->forward = nullptr;
    if (path->last)
        path->last->forward = element;
    else
        path->first = element;
    path->last = path->current = element;
    if (path->visible) show_marker(path, element);
}

} // namespace orv::paths

extern "C" {

ORV_API OVpathelement *OVpathelement_new(const OVpq *pose) {
    if (pose && !(orv::finite(pose->p, 3) && orv::finite(pose->q, 4))) return nullptr;
    auto *element = static_cast<OVpathelement *>(OVmalloc(sizeof(OVpathelement)));
    std::memset(element, 0, sizeof *element);
    element->pose = pose ? *pose : identity_pose;
    return element;
}

ORV_API void OVpathelement_delete(OVpathelement *element) {
    if (!element) return;
    OVpath_removeelement(element);
    orv::paths::delete_marker(element);
    OVfree(element);
}

ORV_API int OVpath_appendelement(OVpath *path, OVpathelement *element) {
    if (!path) return 0;
    OVpathelement *e = element_to_link(path, element);
    if (!e) return 0;
    orv::paths::link_last(path, e);
    return 1;
}

ORV_API int OVpath_insertelement(OVpath *path, OVpathelement *element) {
    if (!path) return 0;
    if (!path->first || !path->current) return OVpath_appendelement(path, element);
    OVpathelement *e = element_to_link(path, element);
    if (!e) return 0;
    OVpathelement *before = path->current;
    e->path = path;
    e->backward = before;
    e->forward = before->forward;
    if (before->forward)
        before->forward->backward = e;
    else
        path->last = e;
    before->forward = e;
    if (path->visible) orv::paths::show_marker(path, e);
    return 1;
}

ORV_API int OVpath_removeelement(OVpathelement *element) {
    if (!element || !element->path) return 0;
    OVpath *path = element->path;
    if (element->backward)
        element->backward->forward = element->forward;
    else
        path->first = element->forward;
    if (element->forward)
        element->forward->backward = element->backward;
    else
        path->last = element->backward;
    if (path->current == element) path->current = element->forward ? element->forward : path->last;
    orv::paths::hide_marker(element);
    element->path = nullptr;
    element->forward = element->backward = nullptr;
    return 1;
}

ORV_API void OVpathelement_getposition(const OVpathelement *element, OVp3 out) {
    if (!out) return;
    std::memcpy(out, element ? element->pose.p : identity_pose.p, sizeof(OVp3));
}

ORV_API void OVpathelement_getorientation(const OVpathelement *element, OVq out) {
    if (!out) return;
    std::memcpy(out, element ? element->pose.q : identity_pose.q, sizeof(OVq));
}

ORV_API int OVpathelement_setposition(OVpathelement *element, const OVp3 position) {
    if (!element || !orv::finite(position, 3)) return 0;
    std::memcpy(element->pose.p, position, sizeof(OVp3));
    orv::paths::place_marker(element);
    return 1;
}

ORV_API int OVpathelement_setorientation(OVpathelement *element, const OVq orientation) {
    if (!element || !orv::finite(orientation, 4)) return 0;
    if (!orv::quat_valid(orientation, "OVpathelement_setorientation")) return 0;
    std::memcpy(element->pose.q, orientation, sizeof(OVq));
    orv::paths::place_marker(element);
    return 1;
}

ORV_API OVpathelement *OVpathelement_next(const OVpathelement *element) {
    return element ? element->forward : nullptr;
}

ORV_API OVpathelement *OVpathelement_previous(const OVpathelement *element) {
    return element ? element->backward : nullptr;
}

ORV_API OVpath *OVpathelement_getpath(const OVpathelement *element) {
    return element ? element->path : nullptr;
}

ORV_API void OVpathelement_setdata(OVpathelement *element, void *data) {
    if (element) element->data = data;
}

ORV_API void *OVpathelement_getdata(const OVpathelement *element) {
    return element ? element->data : nullptr;
}

ORV_API OVnode *OVpathelement_getmarker(const OVpathelement *element) {
    return element ? element->marker : nullptr;
}

ORV_API OVpathelement *OVpath_getfirst(const OVpath *path) {
    return path ? path->first : nullptr;
}

ORV_API OVpathelement *OVpath_getlast(const OVpath *path) {
    return path ? path->last : nullptr;
}

ORV_API OVpathelement *OVpath_getcurrent(const OVpath *path) {
    return path ? path->current : nullptr;
}

ORV_API int OVpath_numelements(const OVpath *path) {
    if (!path) return -1;
    int count = 0;
    for (const OVpathelement *e = path->first; e; e = e->forward)
        ++count;
    return count;
}

ORV_API int OVpath_setcurrent(OVpath *path, OVpathelement *element) {
    if (!path || !element) return 0;
    for (OVpathelement *e = path->first; e; e = e->forward)
        if (e == element) {
            path->current = e;
            return 1;
        }
    return 0;
}

ORV_API int OVpath_rewind(OVpath *path) {
    if (!path || path->state != OVPATH_IDLE) return 0;
    path->current = path->first;
    return 1;
}

ORV_API int OVpath_seek(OVpath *path, int count, int from) {
    if (!path) return 0;
    OVpathelement *e;
    switch (from) {
    case OVPATH_FROM_FIRST:
        e = path->first;
        break;
    case OVPATH_FROM_CURRENT:
        e = path->current;
        break;
    case OVPATH_FROM_LAST:
        e = path->last;
        break;
    default:
        return 0;
    }
    if (!e) return 0;
    for (int i = 0; i < count && e; ++i)
        e = e->forward;
    for (int i = 0; i > count && e; --i)
        e = e->backward;
    if (!e) return 0;
    path->current = e;
    return 1;
}

} // extern "C"
