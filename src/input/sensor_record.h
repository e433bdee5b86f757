// The sensor record and the universe's sensor list.
#pragma once

#include "core/object.h"
#include "orv/sensor.h"

#include <cstdint>

struct OVsensor {
    OVobject header; // type 33
    std::uint8_t reserved[2];
    OVp3 translation;
    OVq rotation;
    OVp3 last_translation;
    OVq last_rotation;
    std::uint32_t misc;
    char *name;
    void *raw;    // driver-owned, freed with the sensor
    void *second; // driver-owned, freed with the sensor
    float sensitivity;
    float angular_rate; // radians
    OVsensorfn update;
    OVsensorfn close;
    void *data;
    std::int16_t type;      // 2: no device
    std::int16_t parameter; // driver-defined
    OVsensor *next;
    OVserialport *port;
    OVq frame;                 // reference frame
    std::uint8_t frame_active; // the frame is not the identity
    std::uint8_t constraints;  // OVSENSOR_NOT* / OVSENSOR_NOR* bits
};

namespace orv::input {

// The mode-based combination of a driver's relative motion with the record.
void combine_motion(OVsensor *sensor, const OVp3 translation, const OVq rotation, int mode);

// Whether the record moves nothing: zero translation and identity rotation.
inline bool record_is_identity(const OVsensor *sensor) {
    return sensor->translation[0] == 0 && sensor->translation[1] == 0 &&
           sensor->translation[2] == 0 && sensor->rotation[0] == 0 && sensor->rotation[1] == 0 &&
           sensor->rotation[2] == 0 && sensor->rotation[3] == 1;
}

} // namespace orv::input
