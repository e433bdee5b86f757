// The path class rows of the property table.
#include "paths/path_record.h"
#include "scene/event_switch.h"
#include "scene/property_adapters.h"
#include "scene/property_protocol.h"
#include "scene/property_table.h"

#include <cstring>

namespace {

OVpath *as_path(void *object) {
    return static_cast<OVpath *>(object);
}

int payload_int(const void *p) {
    return *static_cast<const int *>(p);
}

void *payload_pointer(const void *p) {
    return *static_cast<void *const *>(p);
}

// "Recording" and "Playing": true starts, false stops, the same value again
// does nothing. The inner start or stop runs quietly and the property's
// handlers are fired once afterwards.
int set_activity(OVpath *path, const char *property, bool active, int (*start)(OVpath *), int on) {
    if ((on != 0) == active) return 1;
    int done;
    {
        orv::EventsOff quiet;
        done = on ? start(path) : OVpath_stop(path);
    }
    if (done) {
        const int value = on ? 1 : 0;
        orv::change_made(path, property, &value);
    }
    return done;
}

int set_recording(void *o, const void *p) {
    OVpath *path = as_path(o);
    return set_activity(path, "Recording", OVpath_isrecording(path), OVpath_record, payload_int(p));
}

int set_playing(void *o, const void *p) {
    OVpath *path = as_path(o);
    return set_activity(path, "Playing", OVpath_isplaying(path), OVpath_play, payload_int(p));
}

int set_marker_geometry(void *o, const void *p) {
    return OVpath_setmarkergeometry(as_path(o), static_cast<OVgeometry *>(payload_pointer(p)));
}
int get_marker_geometry(void *o, void *p) {
    *static_cast<void **>(p) = OVpath_getmarkergeometry(as_path(o));
    return 1;
}
int set_record_from(void *o, const void *p) {
    return OVpath_setrecordfrom(as_path(o), static_cast<OVmotionlink *>(payload_pointer(p)));
}
int get_record_from(void *o, void *p) {
    *static_cast<void **>(p) = OVpath_getrecordfrom(as_path(o));
    return 1;
}

// "PtTr" and "PtRo": the current element's pose; refused without one.
int set_current_position(void *o, const void *p) {
    return OVpathelement_setposition(OVpath_getcurrent(as_path(o)), static_cast<const float *>(p));
}
int get_current_position(void *o, void *p) {
    const OVpathelement *current = OVpath_getcurrent(as_path(o));
    if (!current) return 0;
    OVpathelement_getposition(current, static_cast<float *>(p));
    return 1;
}
int set_current_orientation(void *o, const void *p) {
    return OVpathelement_setorientation(OVpath_getcurrent(as_path(o)),
                                        static_cast<const float *>(p));
}
int get_current_orientation(void *o, void *p) {
    const OVpathelement *current = OVpath_getcurrent(as_path(o));
    if (!current) return 0;
    OVpathelement_getorientation(current, static_cast<float *>(p));
    return 1;
}

int get_recording(const OVpath *path) {
    return OVpath_isrecording(path);
}
int get_playing(const OVpath *path) {
    return OVpath_isplaying(path);
}

using orv::PropertyBinding;
constexpr int P = orv::PROPERTY_CLASS_PATH;
const PropertyBinding rows[] = {
    {P, 0, orv::set_through<OVpath_setconstraints>, orv::get_through<OVpath_getconstraints>},
    {P, 1, orv::set_through<OVpath_setdirection>, orv::get_through<OVpath_getdirection>},
    {P, 2, set_marker_geometry, get_marker_geometry},
    {P, 3, orv::set_through<OVpath_setmode>, orv::get_through<OVpath_getmode>},
    {P, 4, set_playing, orv::get_through<get_playing>},
    {P, 5, orv::set_through<OVpath_setspeed>, orv::get_through<OVpath_getspeed>},
    {P, 6, set_recording, orv::get_through<get_recording>},
    {P, 7, set_record_from, get_record_from},
    {P, 8, set_current_orientation, get_current_orientation},
    {P, 9, orv::set_through<OVpath_setsampling>, orv::get_through<OVpath_getsampling>},
    {P, 10, set_current_position, get_current_position},
    {P, 11, orv::set_through<OVpath_setvisible>, orv::get_through<OVpath_getvisible>},
};

} // namespace
