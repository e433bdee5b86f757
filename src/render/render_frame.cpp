// One frame: every enabled window drawn by its display mode, then all
// buffers swapped together.
#include "core/object_watch.h"
#include "orv/render.h"
#include "orv/universe.h"
#include "platform/platform.h"
#include "render/eye_setup.h"
#include "render/light_lists.h"
#include "render/render_config.h"
#include "render/snapshot.h"
#include "render/stencil_mask.h"
#include "render/texture_upload.h"
#include "render/window_internal.h"
#include "scene/traversal_state.h"
#include "orv/orv_internal.h"

#include <GL/gl.h>

extern "C" ORV_API void _OVnode_draw(OVnode *root, void *state);

namespace orv {

namespace {

// New rendering flags invalidate the compiled lists of every shown root,
// once each; then the lights and the ambient are brought up to date.
void prepare_frame() {
    RenderConfig &c = render_config();
    int flags = OVuniverse_getrendering();
    bool changed = flags != c.last_rendering;
    if (changed && c.last_rendering >= 0)
        for (OVwindow *w = window_list(); w; w = w->next) {
            bool seen = false;
            for (OVwindow *o = window_list(); o != w && !seen; o = o->next)
                seen = o->root == w->root;
            if (!seen && w->root) _OVnode_invalidate(w->root);
        }
    platform::current().make_current(window_list() ? window_list()->native : nullptr);
    if (changed) {
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, flags & 0x20 ? GL_NICEST : GL_FASTEST);
        if (flags & 0x10)
            glEnable(GL_LINE_SMOOTH);
        else
            glDisable(GL_LINE_SMOOTH);
    }
    compile_light_lists();
    upload_textures(0, true);
    c.last_rendering = flags;
    mark_lights_compiled();
}

// False when the rest of the window is to be skipped: a callback deleted
// the window, or deleted nodes that the collected scene may still name.
bool draw_eye(OVwindow *w, int eye, const PixelRect &vp) {
    glViewport(vp.x, vp.y, vp.width, vp.height);
    if (!w->viewpoint) return eye_draw2d(w, eye);
    eye_begin(w, eye, vp);
    if (w->root) {
        ObjectWatch scene(w);
        _OVnode_draw(w->root, w->state);
        if (scene.any_deleted()) return false;
    }
    if (!eye_finish(w, eye, vp)) return false;
    if (w->state) w->polygon_count += static_cast<scene::TraversalState *>(w->state)->drawn_polys;
    return true;
}

// False when the rest of the window was skipped.
bool draw_by_mode(OVwindow *w) {
    int mode = w->display_mode;
    bool drawn;
    if (mode & 0x1000) {
        glEnable(GL_STENCIL_TEST);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glStencilFunc(GL_NOTEQUAL, 1, 1);
        drawn = draw_eye(w, 0, eye_viewport(w, 0));
        glStencilFunc(GL_EQUAL, 1, 1);
        return drawn && draw_eye(w, 1, eye_viewport(w, 1));
    }
    glDisable(GL_STENCIL_TEST);
    switch (mode) {
    case 4:
        return draw_eye(w, 0, eye_viewport(w, 0)) && draw_eye(w, 1, eye_viewport(w, 1));
    case 8:
        glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_FALSE);
        drawn = draw_eye(w, 0, eye_viewport(w, 0));
        glColorMask(GL_FALSE, GL_FALSE, GL_TRUE, GL_FALSE);
        glClear(GL_DEPTH_BUFFER_BIT);
        drawn = drawn && draw_eye(w, 1, eye_viewport(w, 1));
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
        return drawn;
    case 32:
        glDrawBuffer(GL_BACK_LEFT);
        drawn = draw_eye(w, 0, eye_viewport(w, 0));
        glDrawBuffer(GL_BACK_RIGHT);
        glClear(GL_DEPTH_BUFFER_BIT);
        drawn = drawn && draw_eye(w, 1, eye_viewport(w, 1));
        glDrawBuffer(GL_BACK);
        return drawn;
    default:
        return draw_eye(w, w->eye, eye_viewport(w, w->eye));
    }
}

void clear_surface(const OVwindow *w) {
    std::uint32_t c = w->background;
    glViewport(0, 0, w->width, w->height);
    glClearColor(((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f,
                 1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Draws one window; true when it owns a surface that needs a swap.
bool draw_window(OVwindow *w) {
    w->polygon_count = 0;
    w->projection_key = 0;
    shown_root(w); // the scene may have been deleted with its roots
    OVwindow *s = w->surface ? w->surface : w;
    if (!(s->state_flags & OVWINDOW_VISIBLE) || !w->enabled || !s->enabled) return false;
    if (!platform::current().make_current(s->native)) return false;
    glDrawBuffer(GL_BACK);
    if (!w->is_viewport) {
        clear_surface(w);
        if (w->state_flags & OVWINDOW_GEOMETRY_CHANGED)
            for (OVwindow *v = window_list(); v; v = v->next)
                if (v->is_viewport && v->surface == w) v->state_flags |= OVWINDOW_GEOMETRY_CHANGED;
    }
    if (w->state_flags & OVWINDOW_GEOMETRY_CHANGED) {
        w->state_flags &= ~OVWINDOW_GEOMETRY_CHANGED;
        if (w->display_mode & 0x1000) build_stencil_mask(w, viewport_pixels(w));
    }
    ObjectWatch watch(w);
    draw_by_mode(w);
    return !watch.deleted() && !w->is_viewport;
}

} // namespace

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVrender_frame(void) {
    if (!platform::current().context_exists() || !render_config().started) return;
    prepare_frame();
    // Taken first: a draw function may delete windows, its own or others.
    OVwindow *windows[max_windows], *swaps[max_windows];
    int count = 0, swap_count = 0;
    for (OVwindow *w = window_list(); w && count < max_windows; w = w->next)
        windows[count++] = w;
    for (int i = 0; i < count; ++i)
        if (window_is_listed(windows[i]) && draw_window(windows[i]))
            swaps[swap_count++] = windows[i];
    for (int i = 0; i < swap_count; ++i) {
        OVwindow *w = swaps[i];
        if (!window_is_listed(w)) continue;
        platform::current().make_current(w->native);
        glFlush();
        snapshot_capture(w);
        platform::current().swap_buffers(w->native);
        w->frame_times[1] = w->frame_times[0];
        w->frame_times[0] = platform::current().process.counter();
    }
    platform::current().make_current(nullptr);
}

void _OVrender_allwindows(void) {
    OVrender_frame();
}

} // extern "C"
