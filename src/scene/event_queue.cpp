// The event queue: changes queued by the setters, delivered to the handlers
// in the next event pass; the timed handlers of the event clock first.
#include "core/finite.h"
#include "core/object.h"
#include "core/object_watch.h"
#include "orv/message.h"
#include "orv/property.h"
#include "scene/event_switch.h"
#include "scene/event_system.h"
#include "scene/handler_registry.h"
#include "scene/property_table.h"
#include "scene/property_value.h"
#include "orv/orv_internal.h"

#include <string>
#include <vector>

namespace orv {
namespace {

struct QueuedEvent {
    void *object;
    std::string name;
    OVvalue value;
    double time;
};

std::vector<QueuedEvent> queue;
std::vector<QueuedEvent> delivering; // the events of the running pass

struct DueHandler {
    void *object; // null once a handler has deleted it
    std::string name;
    OVhandler function;
};
std::vector<DueHandler> firing; // the timed handlers of the running pass
bool switch_on = true;
double clock_origin = -1;

void free_events(std::vector<QueuedEvent> &events) {
    for (QueuedEvent &e : events)
        OVvalue_free(&e.value);
    events.clear();
}

// Timed handlers due now, in registry order; removed before they are called.
void fire_timed(double now) {
    firing.clear();
    timed_handlers().each(
        [&](const void *object, const std::string &name, const std::vector<HandlerEntry> &entries) {
            for (const HandlerEntry &e : entries)
                if (e.due <= now)
                    firing.push_back({const_cast<void *>(object), name,
                                      reinterpret_cast<OVhandler>(e.function)});
        });
    for (const DueHandler &d : firing)
        timed_handlers().remove(d.object, d.name.c_str(), reinterpret_cast<AnyFn>(d.function));
    for (std::size_t i = 0; i < firing.size(); ++i) {
        const DueHandler d = firing[i];
        if (d.object) d.function(d.object, d.name.c_str(), nullptr, now);
    }
    firing.clear();
}

} // namespace

bool events_enabled() {
    return switch_on;
}

bool set_events_enabled(bool on) {
    bool previous = switch_on;
    switch_on = on;
    return previous;
}

void forget_queued_events(const void *object) {
    for (auto *events : {&queue, &delivering})
        for (QueuedEvent &e : *events)
            if (e.object == object) e.object = nullptr;
    for (DueHandler &d : firing)
        if (d.object == object) d.object = nullptr;
}

void reset_event_clock() {
    clock_origin = OVclock();
}

void clear_event_queue() {
    free_events(queue);
    free_events(delivering);
}

} // namespace orv

using namespace orv;

ORV_API double OVevent_gettime(void) {
    if (clock_origin < 0) reset_event_clock();
    return OVclock() - clock_origin;
}

ORV_API int OVevent_addtimed(void *object, const char *name, OVhandler function, double delay) {
    if (!object || !name || !function || !orv::finite(delay)) return 0;
    return timed_handlers().add(object, name, reinterpret_cast<AnyFn>(function),
                                OVevent_gettime() + delay);
}

ORV_API int OVevent_removetimed(void *object, const char *name, OVhandler function) {
    return timed_handlers().remove(object, name, reinterpret_cast<AnyFn>(function));
}

ORV_API int OVproperty_firehandlers_pre(void *object, const char *name) {
    if (!switch_on) return 1;
    const auto *entries = pre_handlers().find(object, name);
    if (!entries) return 1;
    // A pre-handler may change the registry: walk a snapshot, skipping those
    // an earlier one removed. One that deletes the object vetoes the change,
    // which then has nothing to change.
    std::vector<HandlerEntry> calls = *entries;
    double now = OVevent_gettime();
    ObjectWatch watch(object);
    for (const HandlerEntry &e : calls) {
        if (!pre_handlers().holds(object, name, e.function)) continue;
        if (!reinterpret_cast<OVprehandler>(e.function)(object, name, now) || watch.deleted())
            return 0;
    }
    return 1;
}

ORV_API int OVproperty_firehandlers(void *object, const char *name, void *value) {
    if (!switch_on || !post_handlers().find(object, name)) return 0;
    int type = OVproperty_gettype(object, name);
    QueuedEvent event{object, name, {}, OVevent_gettime()};
    if (!value_from_payload(type, value, &event.value)) return 0;
    queue.push_back(std::move(event));
    return 1;
}

// Events queued by handlers during delivery wait for the next pass, so a
// handler that sets its own property cannot keep a pass from ending.
extern "C" ORV_API void _OVevent_pass(void) {
    fire_timed(OVevent_gettime());
    delivering.swap(queue);
    for (QueuedEvent &e : delivering) {
        if (!e.object) continue;
        const auto *entries = post_handlers().find(e.object, e.name.c_str());
        if (!entries) continue;
        // A handler removed by an earlier one in this delivery is not called.
        std::vector<HandlerEntry> calls = *entries;
        for (const HandlerEntry &h : calls) {
            if (!post_handlers().holds(e.object, e.name.c_str(), h.function)) continue;
            reinterpret_cast<OVhandler>(h.function)(e.object, e.name.c_str(),
                                                    value_payload(&e.value), e.time);
            if (!e.object) break; // the object was deleted by a handler
        }
    }
    free_events(delivering);
    if (UpdateHook update = update_hook()) update();
}
