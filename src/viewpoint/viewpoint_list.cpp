// Creation, copying, deletion and the universe's list of viewpoints.
#include "orv/message.h"
#include "orv/viewpoint.h"
#include "orv/orv_internal.h"
#include "state/universe_state.h"
#include "orv/task.h"
#include "scene/event_system.h"
#include "scene/scene_hooks.h"
#include "viewpoint/viewpoint_record.h"
#include "viewpoint/viewpoint_windows.h"

#include <cmath>
#include <cstring>

namespace {

OVviewpoint *viewpoints = nullptr; // newest first
OVviewpoint *current = nullptr;

void link_at_head(OVviewpoint *viewpoint) {
    viewpoint->next = viewpoints;
    viewpoints = viewpoint;
}

bool unlink(OVviewpoint *viewpoint) {
    for (OVviewpoint **at = &viewpoints; *at; at = &(*at)->next)
        if (*at == viewpoint) {
            *at = viewpoint->next;
            return true;
        }
    return false;
}

void destroy(OVviewpoint *viewpoint) {
    orv::scene::tell_target_deleted(viewpoint);
    orv::viewpoint_windows().forget(viewpoint);
    orv::base_object_deleted(viewpoint);
    OVtask_deleteall(viewpoint);
    OVfree(viewpoint->name);
    OVfree(viewpoint);
}

} // namespace

namespace orv {

bool viewpoint_is_listed(const OVviewpoint *viewpoint) {
    for (const OVviewpoint *v = viewpoints; v; v = v->next)
        if (v == viewpoint) return true;
    return false;
}

} // namespace orv

extern "C" {

ORV_API OVviewpoint *OVviewpoint_new(void) {
    auto *v = static_cast<OVviewpoint *>(OVmalloc(sizeof(OVviewpoint)));
    std::memset(v, 0, sizeof *v);
    v->header.type = OVTYPE_VIEWPOINT;
    v->orientation[3] = 1;
    v->last_orientation[3] = 1;
    v->eye_rotation[3] = 1;
    v->eye_frame = -1;
    v->aspect = 1.0f;
    v->projection = OVVIEWPOINT_MONO;
    v->convergence_distance = 100.0f;
    const OVconfig defaults;
    const OVconfig *config = orv::universe_config() ? orv::universe_config() : &defaults;
    v->hither = config->hither;
    v->yon = config->yon;
    // A configured angle out of range is ignored by the setter; the built-in
    // default then stands instead of a zero tangent.
    v->view_tangent = static_cast<float>(std::tan(defaults.view_angle));
    OVviewpoint_setviewangle(v, config->view_angle);
    v->projection_set = v->hither_set = v->yon_set = v->viewangle_set = 0;
    orv::viewpoint_update_direction(v);
    link_at_head(v);
    return v;
}

ORV_API OVviewpoint *OVviewpoint_copy(const OVviewpoint *source) {
    if (!source) return nullptr;
    auto *v = static_cast<OVviewpoint *>(OVmalloc(sizeof(OVviewpoint)));
    std::memcpy(v, source, sizeof *v);
    // The copy's handlers and properties are its own: none yet.
    v->header.has_handlers = 0;
    v->name = OVstrdup(source->name);
    link_at_head(v);
    return v;
}

ORV_API void OVviewpoint_delete(OVviewpoint *viewpoint) {
    if (!viewpoint || viewpoint == current) return;
    if (!unlink(viewpoint)) return;
    destroy(viewpoint);
}

ORV_API OVviewpoint *OVviewpoint_next(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->next : nullptr;
}

ORV_API OVviewpoint *OVuniverse_getviewpoints(void) {
    return viewpoints;
}

ORV_API OVviewpoint *OVuniverse_findviewpoint(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    for (OVviewpoint *v = viewpoints; v; v = v->next)
        if (v->name && std::strncmp(v->name, name, static_cast<size_t>(length)) == 0) return v;
    return nullptr;
}

ORV_API OVviewpoint *OVuniverse_getviewpoint(void) {
    return current;
}

ORV_API void OVuniverse_setviewpoint(OVviewpoint *viewpoint) {
    if (!viewpoint || !orv::viewpoint_is_listed(viewpoint)) return;
    current = viewpoint;
    orv::viewpoint_update_direction(viewpoint);
}

ORV_API void _OVviewpoint_startup(void) {
    current = nullptr;
    OVuniverse_setviewpoint(OVviewpoint_new());
}

ORV_API void _OVviewpoint_saveprevious(void) {
    for (OVviewpoint *v = viewpoints; v; v = v->next) {
        std::memcpy(v->last_position, v->position, sizeof v->position);
        std::memcpy(v->last_orientation, v->orientation, sizeof v->orientation);
    }
}

ORV_API void _OVviewpoint_deleteall(void) {
    current = nullptr;
    while (OVviewpoint *v = viewpoints) {
        viewpoints = v->next;
        destroy(v);
    }
}

} // extern "C"
