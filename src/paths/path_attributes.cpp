// Path attributes set through the property protocol.
#include "paths/path_record.h"
#include "scene/property_protocol.h"

namespace {

// Pre-handlers, store, handlers.
template <typename Field>
int set_field(OVpath *path, const char *property, Field &field, int value) {
    if (!orv::change_allowed(path, property)) return 0;
    field = static_cast<Field>(value);
    orv::change_made(path, property, &value);
    return 1;
}

constexpr int highest_mode = OVPATH_REPEAT | OVPATH_REVERSE;

} // namespace

extern "C" {

ORV_API int OVpath_setmode(OVpath *path, int mode) {
    if (!path || mode < 0 || mode > highest_mode) return 0;
    return set_field(path, "PtMo", path->mode, mode);
}

ORV_API int OVpath_getmode(const OVpath *path) {
    return path ? path->mode : 0;
}

ORV_API int OVpath_setdirection(OVpath *path, int forward) {
    return path ? set_field(path, "Forward", path->forward, forward ? 1 : 0) : 0;
}

ORV_API int OVpath_getdirection(const OVpath *path) {
    return path ? path->forward : 0;
}

ORV_API int OVpath_setconstraints(OVpath *path, int constraints) {
    return path ? set_field(path, "PtCo", path->constraints, constraints & 0xff) : 0;
}

ORV_API int OVpath_getconstraints(const OVpath *path) {
    return path ? path->constraints : 0;
}

ORV_API int OVpath_setspeed(OVpath *path, int speed) {
    return path ? set_field(path, "Speed", path->speed, speed < 1 ? 1 : speed) : 0;
}

ORV_API int OVpath_getspeed(const OVpath *path) {
    return path ? path->speed : -1;
}

ORV_API int OVpath_setsampling(OVpath *path, int interval) {
    return path ? set_field(path, "PtSa", path->sampling, interval < 1 ? 1 : interval) : 0;
}

ORV_API int OVpath_getsampling(const OVpath *path) {
    return path ? path->sampling : -1;
}

ORV_API int OVpath_setrecordfrom(OVpath *path, OVmotionlink *link) {
    if (!path || !link || !orv::change_allowed(path, "Record From")) return 0;
    path->record_from = link;
    orv::change_made(path, "Record From", &link);
    return 1;
}

ORV_API OVmotionlink *OVpath_getrecordfrom(const OVpath *path) {
    return path ? path->record_from : nullptr;
}

} // extern "C"
