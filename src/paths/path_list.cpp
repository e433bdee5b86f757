// Creating, copying, finding and deleting path_list; the universe's path list.
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/motionlink.h"
#include "orv/property.h"
#include "orv/task.h"
#include "paths/path_record.h"
#include "scene/event_system.h"

#include <cstring>

namespace {

OVpath *path_list = nullptr;

void unlink(OVpath *path) {
    for (OVpath **p = &path_list; *p; p = &(*p)->next)
        if (*p == path) {
            *p = path->next;
            return;
        }
}

} // namespace

namespace orv::paths {

bool is_path_listed(const OVpath *path) {
    for (const OVpath *p = path_list; p; p = p->next)
        if (p == path) return true;
    return false;
}

} // namespace orv::paths

extern "C" {

ORV_API OVpath *OVpath_new(void *markertemplate) {
    auto *path = static_cast<OVpath *>(OVmalloc(sizeof(OVpath)));
    std::memset(path, 0, sizeof *path);
    path->header.type = OVTYPE_PATH;
    path->forward = 1;
    path->speed = 1;
    path->sampling = 1;
    path->marker_template = markertemplate;
    path->next = path_list;
    path_list = path;
    return path;
}

ORV_API OVpath *OVpath_copy(OVpath *path) {
    if (!path) return nullptr;
    OVpath *copy = OVpath_new(path->marker_template);
    for (const OVpathelement *e = path->first; e; e = e->forward) {
        OVpathelement *element = OVpathelement_new(&e->pose);
        element->data = e->data;
        orv::paths::link_last(copy, element);
    }
    return copy;
}

ORV_API void OVpath_delete(OVpath *path) {
    if (!path) return;
    if (path->state == OVPATH_RECORDING || path->state == OVPATH_PLAYING) OVpath_stop(path);
    OVtask_deleteall(path);
    orv::base_object_deleted(path);
    // Links from the path would otherwise play a freed path.
    for (OVmotionlink *link = OVuniverse_getmotionlinks(), *next; link; link = next) {
        next = OVmotionlink_next(link);
        OVsensor *source;
        int type;
        if (OVmotionlink_getsource(link, &source, &type) && type == OVLINK_SOURCE_PATH &&
            static_cast<void *>(source) == path)
            OVmotionlink_delete(link);
    }
    while (path->first)
        OVpathelement_delete(path->first);
    path->marker_template = nullptr;
    if (path->marker_geometry) OVgeometry_delete(path->marker_geometry);
    unlink(path);
    OVfree(path->name);
    OVfree(path);
}

ORV_API OVpath *OVuniverse_getpaths(void) {
    return path_list;
}

ORV_API OVpath *OVpath_next(const OVpath *path) {
    return path ? path->next : nullptr;
}

ORV_API OVpath *OVuniverse_findpath(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    for (OVpath *p = path_list; p; p = p->next)
        if (p->name && std::strncmp(p->name, name, static_cast<size_t>(length)) == 0) return p;
    return nullptr;
}

ORV_API int OVpath_setname(OVpath *path, const char *name) {
    return path && orv::base_rename(path, path->name, name);
}

ORV_API const char *OVpath_getname(const OVpath *path) {
    return path ? path->name : nullptr;
}

ORV_API void OVpath_setdata(OVpath *path, void *data) {
    if (path) path->data = data;
}

ORV_API void *OVpath_getdata(const OVpath *path) {
    return path ? path->data : nullptr;
}

ORV_API void OVpath_setmarkerobject(OVpath *path, void *markertemplate) {
    // Legacy objects are not built: the template is only kept.
    if (path) path->marker_template = markertemplate;
}

ORV_API void _OVpath_sethaseventhandlers(OVpath *path, int flag) {
    if (path) path->header.has_handlers = flag ? 1 : 0;
}

ORV_API int _OVpath_gethaseventhandlers(const OVpath *path) {
    return path ? path->header.has_handlers : 0;
}

ORV_API void _OVpath_stopall(void) {
    for (OVpath *p = path_list; p; p = p->next)
        orv::paths::make_idle(p);
}

ORV_API void _OVpath_deleteall(void) {
    while (path_list)
        OVpath_delete(path_list);
}

} // extern "C"
