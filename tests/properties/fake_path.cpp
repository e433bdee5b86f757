#include "fake_path.h"

#include "scene/property_table.h"

#include <cstring>

int fake_setter_calls = 0;

namespace {

int set_speed(void *object, const void *payload) {
    ++fake_setter_calls;
    if (!OVproperty_firehandlers_pre(object, "Speed")) return 0;
    auto *path = static_cast<FakePath *>(object);
    path->speed = *static_cast<const int *>(payload);
    if (OVproperty_numhandlers(object, "Speed"))
        OVproperty_firehandlers(object, "Speed", &path->speed);
    return 1;
}

int get_speed(void *object, void *payload) {
    *static_cast<int *>(payload) = static_cast<FakePath *>(object)->speed;
    return 1;
}

int set_translation(void *object, const void *payload) {
    ++fake_setter_calls;
    if (!OVproperty_firehandlers_pre(object, "PtTr")) return 0;
    auto *path = static_cast<FakePath *>(object);
    std::memcpy(path->translation, payload, sizeof path->translation);
    if (OVproperty_numhandlers(object, "PtTr"))
        OVproperty_firehandlers(object, "PtTr", path->translation);
    return 1;
}

int get_translation(void *object, void *payload) {
    std::memcpy(payload, static_cast<FakePath *>(object)->translation, 3 * sizeof(float));
    return 1;
}

} // namespace

// These bindings replace the path class's own in this test program, so the
// generic machinery is tested on a record the test controls; "PtCo" is left
// without functions on purpose.
void bind_fake_path_rows() {
    orv::bind_property(orv::PROPERTY_CLASS_PATH, 5, set_speed, get_speed, nullptr);
    orv::bind_property(orv::PROPERTY_CLASS_PATH, 0, nullptr, nullptr, nullptr);
    orv::bind_property(orv::PROPERTY_CLASS_PATH, 10, set_translation, get_translation, nullptr);
}
