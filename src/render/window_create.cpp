// Making windows: the record's defaults, the native window and viewports.
#include "orv/message.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "platform/platform.h"
#include "render/render_config.h"
#include "orv/node.h"
#include "scene/traversal_state.h"
#include "render/window_internal.h"
#include "state/universe_state.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv {

namespace {

bool at_window_limit() {
    if (window_count() < max_windows) return false;
    OVwarning("Can not create more than %d windows.\n", max_windows);
    return true;
}

// The record with every default of a new window of that size.
OVwindow *window_record(int x, int y, int width, int height) {
    auto *w = static_cast<OVwindow *>(OVmalloc(sizeof(OVwindow)));
    if (!w) return nullptr;
    std::memset(w, 0, sizeof *w);
    const OVconfig &c = *universe_config();
    w->header.type = OVTYPE_WINDOW;
    w->display_mode = 1;
    if (!window_list()) w->viewpoint = OVuniverse_getviewpoint();
    int r = 0, g = 0, b = 255;
    OVuniverse_getbgrgb(&r, &g, &b);
    w->background = static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
    w->state_flags = OVWINDOW_VISIBLE;
    w->enabled = 1;
    w->projection = 1;
    w->hither = c.hither;
    w->yon = c.yon;
    w->view_tangent = static_cast<float>(std::tan(c.view_angle));
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    float vertical = height > 0 && width > 0 ? w->view_tangent * height / width : w->view_tangent;
    w->vertical_tangent = vertical;
    for (int eye = 0; eye < 2; ++eye) {
        w->frustum[OVFRUSTUM_LEFT][eye] = -w->hither * w->view_tangent;
        w->frustum[OVFRUSTUM_RIGHT][eye] = w->hither * w->view_tangent;
        w->frustum[OVFRUSTUM_TOP][eye] = w->hither * vertical;
        w->frustum[OVFRUSTUM_BOTTOM][eye] = -w->hither * vertical;
        w->frustum[OVFRUSTUM_NEAR][eye] = w->hither;
        w->frustum[OVFRUSTUM_FAR][eye] = w->yon;
    }
    w->surface = w;
    return w;
}

// Display and projection modes from the creation flags.
void apply_flags(OVwindow *w, int flags, const Display &d) {
    w->display_mode = 1;
    if (flags & OVWINDOW_STEREO) {
        w->projection = 2;
        w->display_mode = d.stereo_capable && !(flags & OVWINDOW_NOSTEREOBUFFERS) ? 32 : 4;
    }
    if (flags & OVWINDOW_COLORSTEREO) w->display_mode = 8;
    int interlace = flags & OVWINDOW_INTERLACED;
    if (interlace == 0x1000 || interlace == 0x3000 || interlace == 0x5000 || interlace == 0x7000)
        w->display_mode = interlace;
}

// What the toolkit does when the native window announces itself: handle,
// client geometry, and the pixel format's dithering.
void attach_native(OVwindow *w, platform::NativeWindow *native, bool adopted) {
    w->native = native;
    w->adopted = adopted;
    w->native_id = platform::current().window_id(native);
    w->handle = platform::current().window_native_handle(native);
    platform::current().window_client_rect(native, &w->x, &w->y, &w->width, &w->height);
    w->state_flags |= OVWINDOW_GEOMETRY_CHANGED;
    if (platform::current().make_current(native)) apply_dither(false);
    platform::current().make_current(nullptr);
}

// The native part of creation; false when no window could be had.
bool create_native(OVwindow *w, int flags, std::uintptr_t adopt) {
    int index = flags & OVWINDOW_DISPLAYINDEX ? (flags >> 4) & 0x0F : 0;
    Display *d = display(index);
    if (!d || !d->valid) return false;
    apply_flags(w, flags, *d);
    w->width = std::min(w->width, d->max_width);
    w->height = std::min(w->height, d->max_height);
    w->display_index = index;
    w->state_flags = OVWINDOW_VISIBLE;
    platform::NativeWindow *native =
        adopt ? platform::current().window_adopt(adopt)
              : platform::current().window_create(w->x, w->y, w->width, w->height,
                                                  (flags & OVWINDOW_BORDERLESS) != 0, "Orvane");
    if (!native) return false;
    attach_native(w, native, adopt != 0);
    w->bordered = !adopt && !(flags & OVWINDOW_BORDERLESS);
    float aspect = w->viewpoint ? OVviewpoint_getaspect(w->viewpoint) : 1.0f;
    w->pixel_aspect = w->height > 0 ? w->width * aspect / w->height : 1.0f;
    return true;
}

void finish(OVwindow *w) {
    w->viewport[0] = 0;
    w->viewport[1] = 1;
    w->viewport[2] = 0;
    w->viewport[3] = 1;
    w->root = OVuniverse_getrootnodes();
    w->state = _OVnode_newstate();
    window_link(w);
}

OVwindow *new_window(int x, int y, int width, int height, int flags, std::uintptr_t adopt) {
    if (!universe_exists() || at_window_limit()) return nullptr;
    OVwindow *w = window_record(x, y, width, height);
    if (!w) return nullptr;
    if (!create_native(w, flags, adopt)) {
        OVfree(w);
        return nullptr;
    }
    finish(w);
    return w;
}

} // namespace

} // namespace orv

using namespace orv;

extern "C" {

ORV_API OVwindow *OVwindow_new(int x, int y, int width, int height, int flags) {
    return new_window(x, y, width, height, flags, 0);
}

ORV_API OVwindow *OVwindow_newuser(uintptr_t native, int flags) {
    if (!native) return nullptr;
    return new_window(0, 0, 64, 64, flags, native);
}

ORV_API OVwindow *OVwindow_newviewport(OVwindow *parent, int x, int y, int width, int height) {
    if (!window_is_listed(parent) || parent->is_viewport ||
        !viewport_in_range("OVwindow_newviewport", x, y, width, height) || at_window_limit())
        return nullptr;
    auto *w = static_cast<OVwindow *>(OVmalloc(sizeof(OVwindow)));
    if (!w) return nullptr;
    std::memcpy(w, parent, sizeof *w);
    w->name = nullptr;
    w->header.has_handlers = 0;
    w->surface = parent;
    w->is_viewport = 1;
    w->viewpoint = nullptr;
    w->viewpoint2 = nullptr;
    w->draw2d = nullptr;
    w->draw3d = nullptr;
    w->eye = 0;
    w->data = nullptr;
    w->state = _OVnode_newstate();
    set_viewport_fractions(w, parent, x, y, width, height);
    window_link(w);
    return w;
}

} // extern "C"
