// The pending list's step at the start of a frame.
#include "texture/texture_upload.h"

#include "orv/message.h"
#include "texture/texture_list.h"

namespace orv::tex {

namespace {

UploadWork work_for(OVtexture *t, int display) {
    UploadWork w;
    w.remove = t->state & kDeletePending;
    w.load = !w.remove && (t->state & (kUploadPending | kFiltersChanged));
    w.pixels = t->pixels;
    w.width = t->width;
    w.height = t->height;
    w.mag_filter = t->mag_filter;
    w.min_filter = t->min_filter;
    w.clamp_s = t->clamp_s;
    w.clamp_t = t->clamp_t;
    w.decal = t->decal;
    w.list = t->list;
    w.object = t->objects[display];
    // Released pixels are read back from OpenGL for a filter change.
    if (w.load && !t->pixels && t->width && t->height) {
        t->pixels = static_cast<unsigned char *>(OVmalloc(4u * t->width * t->height));
        t->state &= static_cast<std::uint8_t>(~kCallerPixels);
        w.restore = t->pixels;
        w.pixels = t->pixels;
    }
    return w;
}

} // namespace

void upload_pending(int display, bool last_display, bool release_pixels, UploadFn fn) {
    if (display < 0 || display >= kMaxDisplays) return;
    OVtexture *t = pending_first();
    while (t) {
        OVtexture *next = t->pending_next;
        UploadWork w = work_for(t, display);
        fn(w);
        t->list = w.list;
        t->objects[display] = w.object;
        if (w.out_of_memory) free_pixels(t);
        if (last_display) {
            if (w.remove) {
                destroy(t);
            } else {
                t->state &= static_cast<std::uint8_t>(~(kUploadPending | kFiltersChanged));
                leave_pending(t);
                if (release_pixels && !(t->state & kCallerPixels)) free_pixels(t);
            }
        }
        t = next;
    }
}

} // namespace orv::tex
