// The sensor's record and last record, with their property events.
#include "core/finite.h"
#include "scene/property_protocol.h"
#include "input/sensor_record.h"
#include "math/quat_valid.h"

#include <cstring>

namespace {

// While set, the composite setters neither ask pre-handlers nor fire
// handlers: the single-property setter around them does that once.
bool suspended = false;

struct Suspension {
    Suspension() { suspended = true; }
    ~Suspension() { suspended = false; }
};

void copy3(float *to, const float *from) {
    if (to) std::memcpy(to, from, 3 * sizeof(float));
}

void copy4(float *to, const float *from) {
    if (to) std::memcpy(to, from, 4 * sizeof(float));
}

// Whether a translation and a rotation are made of finite numbers.
bool finite_pair(const float *p, const float *q) {
    return orv::finite(p, 3) && orv::finite(q, 4);
}

// Sets a pair of fields with the protocol of the composite setters.
bool set_pair(OVsensor *sensor, float *p_field, const float *p, const char *p_name, float *q_field,
              const float *q, const char *q_name) {
    if (!finite_pair(p, q)) return false;
    if (!suspended &&
        (!orv::change_allowed(sensor, p_name) || !orv::change_allowed(sensor, q_name)))
        return false;
    copy3(p_field, p);
    copy4(q_field, q);
    if (!suspended) {
        orv::change_made(sensor, p_name, p_field);
        orv::change_made(sensor, q_name, q_field);
    }
    return true;
}

using Composite = int (*)(OVsensor *, const OVp3, const OVq);

// One half of a pair: only its own pre-handler and handler, the composite
// setter running suspended in between. The halves are copied first because
// one of them is the field being rewritten.
int set_half(OVsensor *sensor, const char *name, Composite composite, const float *p,
             const float *q, const float *result) {
    if (!finite_pair(p, q) || !orv::change_allowed(sensor, name)) return 0;
    OVp3 p_copy;
    OVq q_copy;
    copy3(p_copy, p);
    copy4(q_copy, q);
    {
        Suspension quiet;
        if (!composite(sensor, p_copy, q_copy)) return 0;
    }
    orv::change_made(sensor, name, result);
    return 1;
}

} // namespace

extern "C" {

ORV_API void OVsensor_gettranslation(const OVsensor *sensor, OVp3 translation) {
    static const OVp3 zero = {0, 0, 0};
    copy3(translation, sensor ? sensor->translation : zero);
}

ORV_API void OVsensor_getrotation(const OVsensor *sensor, OVq rotation) {
    static const OVq identity = {0, 0, 0, 1};
    copy4(rotation, sensor ? sensor->rotation : identity);
}

ORV_API int OVsensor_setrecord(OVsensor *sensor, const OVp3 translation, const OVq rotation) {
    if (!sensor || !translation || !rotation) return 0;
    if (!orv::quat_valid(rotation, "OVsensor_setrecord")) return 0;
    return set_pair(sensor, sensor->translation, translation, "Translation", sensor->rotation,
                    rotation, "Rotation");
}

ORV_API int OVsensor_settranslation(OVsensor *sensor, const OVp3 translation) {
    if (!sensor || !translation) return 0;
    return set_half(sensor, "Translation", OVsensor_setrecord, translation, sensor->rotation,
                    sensor->translation);
}

ORV_API int OVsensor_setrotation(OVsensor *sensor, const OVq rotation) {
    if (!sensor || !rotation) return 0;
    return set_half(sensor, "Rotation", OVsensor_setrecord, sensor->translation, rotation,
                    sensor->rotation);
}

ORV_API int OVsensor_setlastrecord(OVsensor *sensor, const OVp3 translation, const OVq rotation) {
    if (!sensor || !translation || !rotation) return 0;
    return set_pair(sensor, sensor->last_translation, translation, "Snlt", sensor->last_rotation,
                    rotation, "Snlr");
}

ORV_API void OVsensor_getlastrecord(const OVsensor *sensor, OVp3 translation, OVq rotation) {
    OVsensor_getlasttranslation(sensor, translation);
    OVsensor_getlastrotation(sensor, rotation);
}

ORV_API int OVsensor_setlasttranslation(OVsensor *sensor, const OVp3 translation) {
    if (!sensor || !translation) return 0;
    return set_half(sensor, "Snlt", OVsensor_setlastrecord, translation, sensor->last_rotation,
                    sensor->last_translation);
}

ORV_API int OVsensor_setlastrotation(OVsensor *sensor, const OVq rotation) {
    if (!sensor || !rotation) return 0;
    return set_half(sensor, "Snlr", OVsensor_setlastrecord, sensor->last_translation, rotation,
                    sensor->last_rotation);
}

ORV_API void OVsensor_getlasttranslation(const OVsensor *sensor, OVp3 translation) {
    static const OVp3 zero = {0, 0, 0};
    copy3(translation, sensor ? sensor->last_translation : zero);
}

ORV_API void OVsensor_getlastrotation(const OVsensor *sensor, OVq rotation) {
    static const OVq identity = {0, 0, 0, 1};
    copy4(rotation, sensor ? sensor->last_rotation : identity);
}

} // extern "C"
