// Start and shutdown of the event system and the application's extension
// hooks, found by name in the running program.
#include "scene/event_system.h"

#include "core/object_watch.h"
#include "orv/message.h"
#include "orv/property.h"
#include "platform/platform.h"
#include "scene/class_functions.h"
#include "scene/handler_registry.h"
#include "orv/orv_internal.h"

namespace orv {
namespace {

struct Hooks {
    UpdateHook update;
    UpdateHook shutdown;
    ObjectHook deleted;
    ObjectHook namestored;
};

Hooks hooks;
bool started = false;

} // namespace

ObjectHook deleted_hook() {
    return hooks.deleted;
}
ObjectHook namestored_hook() {
    return hooks.namestored;
}
UpdateHook update_hook() {
    return hooks.update;
}

void base_object_deleted(void *object) {
    if (!object) return;
    object_deleted(object);
    if (hooks.deleted) hooks.deleted(object);
    OVbase_removeallhandlers(object);
    OVbase_deleteproperties(object);
}

bool base_name_stored(void *object) {
    return hooks.namestored && hooks.namestored(object) != 0;
}

bool base_rename(void *object, char *&name, const char *text) {
    if (base_name_stored(object)) return false;
    OVfree(name);
    name = OVstrdup(text);
    return true;
}

} // namespace orv

using namespace orv;

// Once per process: the class tables, the event clock and the hooks. Without
// "NQnew" the other hooks count as absent.
extern "C" ORV_API void _OVevent_start(void) {
    if (started) return;
    started = true;
    load_class_functions();
    reset_event_clock();
    auto create = reinterpret_cast<void (*)()>(platform::current().process.find_symbol("NQnew"));
    if (!create) return;
    create();
    hooks.update =
        reinterpret_cast<UpdateHook>(platform::current().process.find_symbol("NQupdate"));
    hooks.shutdown =
        reinterpret_cast<UpdateHook>(platform::current().process.find_symbol("NQdelete"));
    hooks.deleted =
        reinterpret_cast<ObjectHook>(platform::current().process.find_symbol("_OVbase_deleted"));
    hooks.namestored = reinterpret_cast<ObjectHook>(
        platform::current().process.find_symbol("_OVbase_isnamestored"));
}

// "NQdelete", then the queued events and every registry.
extern "C" ORV_API void _OVevent_shutdown(void) {
    if (hooks.shutdown) hooks.shutdown();
    clear_event_queue();
    post_handlers().clear();
    pre_handlers().clear();
    timed_handlers().clear();
}
