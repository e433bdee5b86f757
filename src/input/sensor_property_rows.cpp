// The sensor class rows of the property table.
#include "input/sensor_record.h"
#include "scene/property_adapters.h"
#include "scene/property_table.h"

#include <cstring>

namespace {

OVsensor *as_sensor(void *object) {
    return static_cast<OVsensor *>(object);
}

template <typename T> const T &payload(const void *p) {
    return *static_cast<const T *>(p);
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
int set_update(void *o, const void *p) {
    return OVsensor_setupdatefn(as_sensor(o), reinterpret_cast<OVsensorfn>(payload<void *>(p)));
}
int get_update(void *o, void *p) {
    *static_cast<void **>(p) = reinterpret_cast<void *>(OVsensor_getupdatefn(as_sensor(o)));
    return 1;
}

using orv::get_through;
using orv::PropertyBinding;
using orv::set_through;
constexpr int S = orv::PROPERTY_CLASS_SENSOR;
const PropertyBinding rows[] = {
    {S, 0, set_through<OVsensor_setangularrate>, get_through<OVsensor_getangularrate>},
    {S, 1, set_through<OVsensor_setlasttranslation>, get_through<OVsensor_getlasttranslation>},
    {S, 2, set_through<OVsensor_setlastrotation>, get_through<OVsensor_getlastrotation>},
    {S, 3, set_through<OVsensor_setmiscdata>, get_through<OVsensor_getmiscdata>},
    {S, 4, set_through<OVsensor_setrawdata>, get_through<OVsensor_getrawdata>},
    {S, 5, set_through<OVsensor_setrotation>, get_through<OVsensor_getrotation>},
    {S, 6, set_frame, get_through<OVsensor_getreferenceframe>},
    {S, 7, set_through<OVsensor_setsensitivity>, get_through<OVsensor_getsensitivity>},
    {S, 8, set_through<OVsensor_settranslation>, get_through<OVsensor_gettranslation>},
    {S, 9, set_update, get_update},
};

} // namespace
