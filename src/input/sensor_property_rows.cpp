// The sensor class rows of the property table.
#include "input/sensor_record.h"
#include "scene/property_table.h"

#include <cstring>

namespace {

OVsensor *as_sensor(void *object) {
    return static_cast<OVsensor *>(object);
}

template <typename T> const T &payload(const void *p) {
    return *static_cast<const T *>(p);
}

int set_rate(void *o, const void *p) {
    return OVsensor_setangularrate(as_sensor(o), payload<float>(p));
}
int get_rate(void *o, void *p) {
    *static_cast<float *>(p) = OVsensor_getangularrate(as_sensor(o));
    return 1;
}
int set_last_translation(void *o, const void *p) {
    return OVsensor_setlasttranslation(as_sensor(o), static_cast<const float *>(p));
}
int get_last_translation(void *o, void *p) {
    OVsensor_getlasttranslation(as_sensor(o), static_cast<float *>(p));
    return 1;
}
int set_last_rotation(void *o, const void *p) {
    return OVsensor_setlastrotation(as_sensor(o), static_cast<const float *>(p));
}
int get_last_rotation(void *o, void *p) {
    OVsensor_getlastrotation(as_sensor(o), static_cast<float *>(p));
    return 1;
}
int set_misc(void *o, const void *p) {
    return OVsensor_setmiscdata(as_sensor(o), static_cast<unsigned>(payload<int>(p)));
}
int get_misc(void *o, void *p) {
    *static_cast<int *>(p) = static_cast<int>(OVsensor_getmiscdata(as_sensor(o)));
    return 1;
}
int set_raw(void *o, const void *p) {
    return OVsensor_setrawdata(as_sensor(o), payload<void *>(p));
}
int get_raw(void *o, void *p) {
    *static_cast<void **>(p) = OVsensor_getrawdata(as_sensor(o));
    return 1;
}
int set_rotation(void *o, const void *p) {
    return OVsensor_setrotation(as_sensor(o), static_cast<const float *>(p));
}
int get_rotation(void *o, void *p) {
    OVsensor_getrotation(as_sensor(o), static_cast<float *>(p));
    return 1;
}
int set_frame(void *o, const void *p) {
    OVq before;
    OVsensor_getreferenceframe(as_sensor(o), before);
    OVsensor_rotate(as_sensor(o), static_cast<const float *>(p));
    OVq after;
    OVsensor_getreferenceframe(as_sensor(o), after);
    return std::memcmp(before, after, sizeof before) != 0 ||
           std::memcmp(after, p, sizeof after) == 0;
}
int get_frame(void *o, void *p) {
    OVsensor_getreferenceframe(as_sensor(o), static_cast<float *>(p));
    return 1;
}
int set_sensitivity(void *o, const void *p) {
    return OVsensor_setsensitivity(as_sensor(o), payload<float>(p));
}
int get_sensitivity(void *o, void *p) {
    *static_cast<float *>(p) = OVsensor_getsensitivity(as_sensor(o));
    return 1;
}
int set_translation(void *o, const void *p) {
    return OVsensor_settranslation(as_sensor(o), static_cast<const float *>(p));
}
int get_translation(void *o, void *p) {
    OVsensor_gettranslation(as_sensor(o), static_cast<float *>(p));
    return 1;
}
int set_update(void *o, const void *p) {
    return OVsensor_setupdatefn(as_sensor(o), reinterpret_cast<OVsensorfn>(payload<void *>(p)));
}
int get_update(void *o, void *p) {
    *static_cast<void **>(p) = reinterpret_cast<void *>(OVsensor_getupdatefn(as_sensor(o)));
    return 1;
}

using orv::PropertyBinding;
constexpr int S = orv::PROPERTY_CLASS_SENSOR;
const PropertyBinding rows[] = {
    {S, 0, set_rate, get_rate},
    {S, 1, set_last_translation, get_last_translation},
    {S, 2, set_last_rotation, get_last_rotation},
    {S, 3, set_misc, get_misc},
    {S, 4, set_raw, get_raw},
    {S, 5, set_rotation, get_rotation},
    {S, 6, set_frame, get_frame},
    {S, 7, set_sensitivity, get_sensitivity},
    {S, 8, set_translation, get_translation},
    {S, 9, set_update, get_update},
};

} // namespace
