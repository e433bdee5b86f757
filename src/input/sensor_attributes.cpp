// Sensor attributes: name, user data, driver scales and state, flags.
#include "core/finite.h"
#include "scene/event_system.h"
#include "scene/property_protocol.h"
#include "input/sensor_record.h"
#include "orv/message.h"

namespace {} // namespace

extern "C" {

ORV_API int OVsensor_setname(OVsensor *sensor, const char *name) {
    return sensor && orv::base_rename(sensor, sensor->name, name);
}

ORV_API const char *OVsensor_getname(const OVsensor *sensor) {
    return sensor ? sensor->name : nullptr;
}

ORV_API void OVsensor_setdata(OVsensor *sensor, void *data) {
    if (sensor) sensor->data = data;
}

ORV_API void *OVsensor_getdata(const OVsensor *sensor) {
    return sensor ? sensor->data : nullptr;
}

ORV_API int OVsensor_setsensitivity(OVsensor *sensor, float sensitivity) {
    if (!sensor || !orv::finite(sensitivity) || sensitivity < 0) return 0;
    return orv::change_field(sensor, "Sensitivity", sensor->sensitivity, sensitivity);
}

ORV_API float OVsensor_getsensitivity(const OVsensor *sensor) {
    return sensor ? sensor->sensitivity : 0;
}

ORV_API int OVsensor_setangularrate(OVsensor *sensor, float rate) {
    if (!sensor || !orv::finite(rate)) return 0;
    return orv::change_field(sensor, "Angular rate", sensor->angular_rate, rate);
}

ORV_API float OVsensor_getangularrate(const OVsensor *sensor) {
    return sensor ? sensor->angular_rate : 0;
}

ORV_API int OVsensor_setupdatefn(OVsensor *sensor, OVsensorfn update) {
    return sensor ? orv::change_field(sensor, "SnUp", sensor->update, update) : 0;
}

ORV_API OVsensorfn OVsensor_getupdatefn(const OVsensor *sensor) {
    return sensor ? sensor->update : nullptr;
}

ORV_API int OVsensor_setmiscdata(OVsensor *sensor, unsigned int value) {
    return sensor ? orv::change_field(sensor, "Misc data", sensor->misc, std::uint32_t{value}) : 0;
}

ORV_API unsigned int OVsensor_getmiscdata(const OVsensor *sensor) {
    return sensor ? sensor->misc : 0;
}

ORV_API int OVsensor_setrawdata(OVsensor *sensor, void *data) {
    return sensor ? orv::change_field(sensor, "SnRa", sensor->raw, data) : 0;
}

ORV_API void *OVsensor_getrawdata(const OVsensor *sensor) {
    return sensor ? sensor->raw : nullptr;
}

ORV_API void OVsensor_setconstraints(OVsensor *sensor, unsigned int bits) {
    if (sensor) sensor->constraints = static_cast<std::uint8_t>(bits);
}

ORV_API unsigned int OVsensor_getconstraints(const OVsensor *sensor) {
    return sensor ? sensor->constraints : 0;
}

ORV_API OVserialport *OVsensor_getserialport(const OVsensor *sensor) {
    return sensor ? sensor->port : nullptr;
}

ORV_API int OVsensor_getparameter(const OVsensor *sensor) {
    return sensor ? sensor->parameter : -1;
}

ORV_API void _OVsensor_sethaseventhandlers(OVsensor *sensor, int flag) {
    if (sensor) sensor->header.has_handlers = static_cast<std::uint8_t>(flag);
}

ORV_API int _OVsensor_gethaseventhandlers(const OVsensor *sensor) {
    return sensor ? sensor->header.has_handlers : 0;
}

} // extern "C"
