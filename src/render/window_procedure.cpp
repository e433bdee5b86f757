// The window procedure: moves, sizes, visibility, focus, closing, and the
// hand-off of mouse and key messages to the input module.
#include "render/window_procedure.h"

#include "orv/message.h"
#include "orv/orv_internal.h"
#include "orv/universe.h"
#include "platform/platform.h"
#include "render/window_events.h"
#include "scene/property_protocol.h"
#include "render/window_internal.h"
#include "state/universe_state.h"

namespace orv {

namespace {

InputMessageFn input_handler = nullptr;

void on_move(OVwindow *w, const OVwinmsg &m) {
    if (!change_allowed(w, "Position")) OVmessage("Can't stop the window move\n");
    w->x = m.x;
    w->y = m.y;
    w->state_flags |= OVWINDOW_GEOMETRY_CHANGED;
    float position[2] = {static_cast<float>(m.x), static_cast<float>(m.y)};
    change_made(w, "Position", position);
}

void on_size(OVwindow *w, const OVwinmsg &m) {
    if (!m.shown) { // minimised
        w->state_flags &= ~OVWINDOW_VISIBLE;
        return;
    }
    if (!change_allowed(w, "Size")) OVmessage("Can't stop the window size\n");
    w->state_flags |= OVWINDOW_VISIBLE | OVWINDOW_GEOMETRY_CHANGED;
    w->width = m.width;
    w->height = m.height;
    float size[2] = {static_cast<float>(m.width), static_cast<float>(m.height)};
    change_made(w, "Size", size);
}

void on_show(OVwindow *w, const OVwinmsg &m) {
    if (m.shown)
        w->state_flags |= OVWINDOW_VISIBLE | OVWINDOW_GEOMETRY_CHANGED;
    else
        w->state_flags &= ~OVWINDOW_VISIBLE;
}

bool is_input(OVwinmsgkind kind) {
    switch (kind) {
    case OVwinmsgkind::ButtonDown:
    case OVwinmsgkind::ButtonUp:
    case OVwinmsgkind::ButtonDouble:
    case OVwinmsgkind::MouseMove:
    case OVwinmsgkind::KeyDown:
    case OVwinmsgkind::Char:
        return true;
    default:
        return false;
    }
}

void on_window_message(OVwindow *w, const OVwinmsg &m) {
    switch (m.kind) {
    case OVwinmsgkind::Move:
        on_move(w, m);
        break;
    case OVwinmsgkind::Size:
        on_size(w, m);
        break;
    case OVwinmsgkind::Show:
        on_show(w, m);
        break;
    case OVwinmsgkind::Focus:
        set_focus_window(m.shown ? w : nullptr);
        break;
    case OVwinmsgkind::Close:
        OVwindow_delete(w);
        break;
    default:
        if (is_input(m.kind) && input_handler) input_handler(w, &m);
        break;
    }
}

} // namespace

void set_input_handler(InputMessageFn fn) {
    input_handler = fn;
}

void window_procedure(const OVwinmsg &message) {
    if (!universe_exists()) return;
    if (message.kind == OVwinmsgkind::Quit) {
        OVuniverse_stop();
        return;
    }
    if (message.kind == OVwinmsgkind::Destroy) {
        window_destroyed();
        return;
    }
    // Messages of windows the toolkit does not know go to the default handling.
    if (OVwindow *w = window_by_native_id(message.window_id)) on_window_message(w, message);
}

void window_destroyed() {
    if (!universe_exists() || window_list()) return;
    if (!OVuniverse_getoption(OVOPTION_NOQUITONCLOSE)) platform::current().post_quit();
    OVuniverse_stop();
}

} // namespace orv

extern "C" {

void _OVwindow_pump(void) {
    orv::platform::current().pump_messages(orv::window_procedure);
}

} // extern "C"
