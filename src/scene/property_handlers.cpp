// Registering and removing the handlers and pre-handlers of properties.
#include "core/object.h"
#include "orv/property.h"
#include "scene/event_system.h"
#include "scene/handler_registry.h"

using namespace orv;

namespace {

int add(HandlerRegistry &registry, void *object, const char *name, AnyFn function) {
    if (!object || !name || !function || !has_property(object, name)) return 0;
    registry.add(object, name, function);
    static_cast<OVobject *>(object)->has_handlers = 1;
    return 1;
}

int remove(HandlerRegistry &registry, void *object, const char *name, AnyFn function) {
    return object && registry.remove(object, name, function);
}

} // namespace

ORV_API int OVproperty_addhandler(void *object, const char *name, OVhandler function) {
    return add(post_handlers(), object, name, reinterpret_cast<AnyFn>(function));
}

ORV_API int OVproperty_removehandler(void *object, const char *name, OVhandler function) {
    return remove(post_handlers(), object, name, reinterpret_cast<AnyFn>(function));
}

ORV_API int OVproperty_addhandler_pre(void *object, const char *name, OVprehandler function) {
    return add(pre_handlers(), object, name, reinterpret_cast<AnyFn>(function));
}

ORV_API int OVproperty_removehandler_pre(void *object, const char *name, OVprehandler function) {
    return remove(pre_handlers(), object, name, reinterpret_cast<AnyFn>(function));
}

ORV_API int OVproperty_numhandlers(void *object, const char *name) {
    const auto *entries = post_handlers().find(object, name);
    return entries ? static_cast<int>(entries->size()) : 0;
}

ORV_API OVhandler OVproperty_gethandler(void *object, const char *name, int index) {
    const auto *entries = post_handlers().find(object, name);
    if (!entries || index < 0 || index >= static_cast<int>(entries->size())) return nullptr;
    return reinterpret_cast<OVhandler>((*entries)[index].function);
}

ORV_API void OVbase_removeallhandlers(void *object) {
    if (!object) return;
    post_handlers().remove_object(object);
    pre_handlers().remove_object(object);
    timed_handlers().remove_object(object);
    forget_queued_events(object);
    static_cast<OVobject *>(object)->has_handlers = 0;
}

ORV_API void _OVnode_sethaseventhandlers(OVnode *node, int flag) {
    if (node) reinterpret_cast<OVobject *>(node)->has_handlers = flag != 0;
}

ORV_API int _OVnode_gethaseventhandlers(OVnode *node) {
    return node ? reinterpret_cast<OVobject *>(node)->has_handlers : 0;
}
