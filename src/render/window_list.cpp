// The universe's window list and the lookups over it.
#include "orv/message.h"
#include "scene/event_system.h"
#include "render/window_events.h"
#include "render/window_internal.h"

#include <cmath>
#include <cstring>

namespace orv {

namespace {
OVwindow *head = nullptr;
OVwindow *focused = nullptr;
Display displays[1];
} // namespace

Display *display(int index) {
    return index >= 0 && index < display_count() ? &displays[index] : nullptr;
}

int display_count() {
    return 1;
}

OVwindow *window_list() {
    return head;
}

void window_link(OVwindow *window) {
    window->next = nullptr;
    OVwindow **at = &head;
    while (*at)
        at = &(*at)->next;
    *at = window;
}

bool window_unlink(OVwindow *window) {
    for (OVwindow **at = &head; *at; at = &(*at)->next)
        if (*at == window) {
            *at = window->next;
            if (focused == window) focused = nullptr;
            return true;
        }
    return false;
}

int window_count() {
    int n = 0;
    for (OVwindow *w = head; w; w = w->next)
        ++n;
    return n;
}

bool window_is_listed(const OVwindow *window) {
    if (!window) return false;
    for (OVwindow *w = head; w; w = w->next)
        if (w == window) return true;
    return false;
}

OVwindow *window_next(const OVwindow *window) {
    return window->next;
}

std::uint32_t window_native_id(const OVwindow *window) {
    return window->native_id;
}

bool window_drawing_2d(const OVwindow *window) {
    return window_is_listed(window) && window->in_draw2d;
}

OVwindow *window_by_native_id(std::uint32_t id) {
    for (OVwindow *w = head; w; w = w->next)
        if (!w->is_viewport && w->native_id == id) return w;
    return nullptr;
}

OVwindow *focus_window() {
    return focused;
}

void set_focus_window(OVwindow *window) {
    focused = window;
}

void window_forget(OVwindow *window) {
    base_object_deleted(window);
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API OVwindow *OVwindow_next(const OVwindow *window) {
    return window ? window->next : nullptr;
}

ORV_API OVwindow *OVuniverse_findwindow(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    for (OVwindow *w = head; w; w = w->next)
        if (w->name && std::strncmp(w->name, name, static_cast<size_t>(length)) == 0) return w;
    return nullptr;
}

ORV_API OVwindow *OVwindow_findat(const OVp2 point) {
    // A point beyond the int range (or NaN) is in no window.
    constexpr float int_range = 2147483648.0f;
    if (!point || !(std::fabs(point[0]) < int_range) || !(std::fabs(point[1]) < int_range))
        return nullptr;
    int px = static_cast<int>(point[0]), py = static_cast<int>(point[1]);
    for (OVwindow *w = head; w; w = w->next)
        if (OVwindow_isinside(w, px, py)) return w;
    return nullptr;
}

ORV_API uintptr_t OVwindow_getidx(const OVwindow *window) {
    return window_is_listed(window) ? window->handle : 0;
}

ORV_API void OVwindow_setname(OVwindow *window, const char *name) {
    if (window) base_rename(window, window->name, name);
}

ORV_API const char *OVwindow_getname(const OVwindow *window) {
    return window ? window->name : nullptr;
}

ORV_API void OVwindow_setdata(OVwindow *window, void *data) {
    if (window) window->data = data;
}

ORV_API void *OVwindow_getdata(const OVwindow *window) {
    return window ? window->data : nullptr;
}

ORV_API void _OVwindow_sethaseventhandlers(OVwindow *window, int flag) {
    if (window) window->header.has_handlers = flag ? 1 : 0;
}

ORV_API int _OVwindow_gethaseventhandlers(const OVwindow *window) {
    return window ? window->header.has_handlers : 0;
}

} // extern "C"
