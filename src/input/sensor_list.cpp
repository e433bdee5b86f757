// Sensor creation and deletion, the universe's sensor list and the per-pass update.
#include "orv/task.h"
#include "scene/event_system.h"
#include "input/motionlink_list.h"
#include "input/sensor_record.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/orv_internal.h"
#include "state/universe_state.h"

#include <cstring>
#include <vector>

namespace {

OVsensor *sensors = nullptr;

bool is_listed(const OVsensor *sensor) {
    for (const OVsensor *s = sensors; s; s = s->next)
        if (s == sensor) return true;
    return false;
}

void append(OVsensor *sensor) {
    if (is_listed(sensor)) return;
    OVsensor **tail = &sensors;
    while (*tail)
        tail = &(*tail)->next;
    sensor->next = nullptr;
    *tail = sensor;
}

void unlink(OVsensor *sensor) {
    for (OVsensor **p = &sensors; *p; p = &(*p)->next)
        if (*p == sensor) {
            *p = sensor->next;
            return;
        }
}

void free_buffers(OVsensor *sensor) {
    OVfree(sensor->raw);
    OVfree(sensor->second);
    sensor->raw = sensor->second = nullptr;
    OVserialport_delete(sensor->port);
    sensor->port = nullptr;
}

OVsensor *new_record(OVsensorfn close, OVsensorfn update, OVserialport *port, int parameter,
                     int type) {
    auto *s = static_cast<OVsensor *>(OVmalloc(sizeof(OVsensor)));
    std::memset(s, 0, sizeof *s);
    s->header.type = OVTYPE_SENSOR;
    s->rotation[3] = s->last_rotation[3] = s->frame[3] = 1;
    s->sensitivity = 1.0f;
    s->angular_rate = 0.0872660f; // 5 degrees
    s->update = update;
    s->close = close;
    s->type = static_cast<std::int16_t>(type >= 0 && type <= 2 ? type : 0);
    s->parameter = static_cast<std::int16_t>(parameter);
    s->port = port;
    return s;
}

// The record in the sensor's reference frame: R * rotation * R' and
// translation rotated by R'.
void apply_reference_frame(OVsensor *sensor) {
    const float *r = sensor->frame;
    const OVq conj = {-r[0], -r[1], -r[2], r[3]};
    OVq turned;
    OVq_mult(r, sensor->rotation, turned);
    OVq_mult(turned, conj, sensor->rotation);
    OVp3_rotateq(sensor->translation, conj, sensor->translation);
}

} // namespace

extern "C" {

ORV_API OVsensor *OVsensor_new(OVsensoropenfn open, OVsensorfn close, OVsensorfn update,
                               OVserialport *port, int parameter, int type) {
    if (!orv::universe_exists()) return nullptr;
    OVsensor *sensor = new_record(close, update, port, parameter, type);
    if (sensor->type != OVSENSOR_NODEVICE && !(open && open(sensor))) {
        free_buffers(sensor);
        OVfree(sensor);
        return nullptr;
    }
    append(sensor);
    return sensor;
}

ORV_API void OVsensor_delete(OVsensor *sensor) {
    if (!sensor) return;
    // Every link from the sensor goes, whatever its target: a link left
    // behind would read a freed sensor in the next pass.
    orv::input::delete_links_from(sensor);
    if (sensor->type != OVSENSOR_NODEVICE && sensor->close) sensor->close(sensor);
    free_buffers(sensor);
    unlink(sensor);
    OVtask_deleteall(sensor);
    orv::base_object_deleted(sensor);
    OVfree(sensor->name);
    OVfree(sensor);
}

ORV_API OVsensor *OVsensor_next(const OVsensor *sensor) {
    return sensor ? sensor->next : nullptr;
}

ORV_API OVsensor *OVuniverse_getsensors(void) {
    return sensors;
}

ORV_API OVsensor *OVuniverse_findsensor(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    for (OVsensor *s = sensors; s; s = s->next)
        if (s->name && std::strncmp(s->name, name, static_cast<size_t>(length)) == 0) return s;
    return nullptr;
}

void _OVsensor_updateall(void) {
    // The pass's sensors, taken first: an update function may delete its
    // own sensor or another one.
    std::vector<OVsensor *> pass;
    for (OVsensor *s = sensors; s; s = s->next)
        pass.push_back(s);
    for (OVsensor *s : pass) {
        if (!is_listed(s)) continue;
        if (s->update) s->update(s);
        if (is_listed(s) && s->frame_active) apply_reference_frame(s);
    }
}

void _OVsensor_deleteall(void) {
    while (sensors)
        OVsensor_delete(sensors);
    // Links of other sources (paths) go with the universe too.
    while (OVmotionlink *link = orv::input::first_link())
        OVmotionlink_delete(link);
}

} // extern "C"
