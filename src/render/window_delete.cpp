// Deleting windows, one or all.
#include "orv/message.h"
#include "orv/task.h"
#include "platform/platform.h"
#include "orv/node.h"
#include "scene/traversal_state.h"
#include "render/window_events.h"
#include "render/window_internal.h"
#include "render/window_procedure.h"
#include "render/snapshot.h"
#include "orv/orv_internal.h"

namespace orv {

namespace {
bool tearing_down = false;

void release_native(OVwindow *window) {
    if (window->is_viewport) return;
    platform::current().window_destroy(window->native);
    window->native = nullptr;
    OVwindow *next = window_list();
    platform::current().make_current(next && next->native ? next->native : nullptr);
}
} // namespace

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVwindow_delete(OVwindow *window) {
    if (!window || !window_unlink(window)) return;
    window_forget(window);
    OVtask_deleteall(window);
    OVfree(window->name);
    window->name = nullptr;
    bool native = !window->is_viewport;
    release_native(window);
    // Viewports drawing into this surface have nothing left to draw into.
    for (OVwindow *w = window_list(); w;) {
        OVwindow *next = w->next;
        if (w->surface == window) OVwindow_delete(w);
        w = next;
    }
    snapshot_forget(window);
    if (window->state) _OVnode_deletestate(window->state);
    OVfree(window);
    if (native && !tearing_down) window_destroyed();
}

void _OVwindow_deleteall(void) {
    tearing_down = true;
    while (OVwindow *w = window_list())
        OVwindow_delete(w);
    tearing_down = false;
}

} // extern "C"
