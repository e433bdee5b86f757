// The texture store: a list of named textures, newest first, and the list of
// those waiting for the next upload.
#include "texture/texture_access.h"

#include "orv/message.h"
#include "orv/universe.h"
#include "texture/texture_errors.h"
#include "texture/texture_list.h"

#include <cstring>

namespace orv::tex {

namespace {

constexpr int kAlphaAveragingOption = 15;

OVtexture *first = nullptr;
OVtexture *pending = nullptr;
int max_side = 1024;
bool square = false;
int default_mag = 1, default_min = 1;

// Whether t is still in the store (a binding may outlive a teardown).
bool listed(const OVtexture *t) {
    for (OVtexture *s = first; s; s = s->next)
        if (s == t) return true;
    return false;
}

} // namespace

OVtexture *store_first() {
    return first;
}

OVtexture *pending_first() {
    return pending;
}

void leave_pending(OVtexture *t) {
    for (OVtexture **link = &pending; *link; link = &(*link)->pending_next)
        if (*link == t) {
            *link = t->pending_next;
            break;
        }
    t->pending_next = nullptr;
    t->state &= static_cast<std::uint8_t>(~kInPendingList);
}

void queue(OVtexture *t, std::uint8_t bits) {
    t->state |= bits;
    if (t->state & kInPendingList) return;
    t->state |= kInPendingList;
    t->pending_next = pending;
    pending = t;
}

OVtexture *create(const char *name, unsigned char *pixels, int width, int height,
                  bool caller_pixels) {
    auto *t = static_cast<OVtexture *>(OVmalloc(sizeof(OVtexture)));
    std::memset(t, 0, sizeof *t);
    t->name = OVstrdup(name);
    t->reserved = -1;
    t->mag_filter = static_cast<std::int8_t>(default_mag);
    t->min_filter = static_cast<std::int8_t>(default_min);
    t->pixels = pixels;
    t->width = static_cast<std::uint16_t>(width);
    t->height = static_cast<std::uint16_t>(height);
    if (caller_pixels) t->state |= kCallerPixels;
    t->next = first;
    if (first) first->prev = t;
    first = t;
    queue(t, kUploadPending);
    return t;
}

void free_pixels(OVtexture *t) {
    if (!(t->state & kCallerPixels)) OVfree(t->pixels);
    t->pixels = nullptr;
}

void replace_pixels(OVtexture *t, unsigned char *pixels, int width, int height,
                    bool caller_pixels) {
    if (t->pixels != pixels) free_pixels(t);
    t->pixels = pixels;
    t->width = static_cast<std::uint16_t>(width);
    t->height = static_cast<std::uint16_t>(height);
    t->state = static_cast<std::uint8_t>(caller_pixels ? t->state | kCallerPixels
                                                       : t->state & ~kCallerPixels);
    queue(t, kUploadPending);
}

void destroy(OVtexture *t) {
    if (t->state & kInPendingList) leave_pending(t);
    if (t->prev) t->prev->next = t->next;
    if (t->next) t->next->prev = t->prev;
    if (first == t) first = t->next;
    free_pixels(t);
    OVfree(t->name);
    OVfree(t);
}

int default_magnification() {
    return default_mag;
}

int default_minification() {
    return default_min;
}

OVtexture *find(const char *name) {
    if (!name) return nullptr;
    for (OVtexture *t = first; t; t = t->next)
        if (std::strcmp(t->name, name) == 0) return t;
    return nullptr;
}

OVtexture *acquire(const char *name) {
    OVtexture *t = find(name);
    if (!t) t = OVtexture_new(name, default_mag, default_min);
    if (t) add_use(t);
    return t;
}

void add_use(OVtexture *t) {
    if (!t || !listed(t)) return;
    ++t->use_count;
    t->state &= static_cast<std::uint8_t>(~kDeletePending);
}

void release_use(OVtexture *t) {
    if (!t || !listed(t) || t->use_count <= 0) return;
    if (--t->use_count == 0) queue(t, kDeletePending);
}

const char *texture_name(const OVtexture *t) {
    return t ? t->name : nullptr;
}

int texture_width(const OVtexture *t) {
    return t ? t->width : 0;
}

int texture_height(const OVtexture *t) {
    return t ? t->height : 0;
}

const unsigned char *kept_pixels(const OVtexture *t) {
    return t && (t->state & kCallerPixels) ? t->pixels : nullptr;
}

unsigned texture_list(const OVtexture *t) {
    return t && !(t->state & kDeletePending) ? t->list : 0;
}

void set_limits(int side, bool make_square) {
    max_side = side;
    square = make_square;
}

void set_default_filters(int magnification, int minification) {
    default_mag = magnification;
    default_min = minification;
}

TextureLimits current_limits() {
    return {max_side, square, OVuniverse_getoption(kAlphaAveragingOption) > 0};
}

} // namespace orv::tex

extern "C" {

ORV_API void _OVtexture_deleteall(void) {
    while (OVtexture *t = orv::tex::store_first())
        orv::tex::destroy(t);
    orv::tex::forget_reported();
}

ORV_API long OVtexture_memory(void) {
    using namespace orv::tex;
    long total = 0;
    for (OVtexture *t = store_first(); t; t = t->next) {
        if (t->state & kDeletePending) continue;
        long n = 4L * t->width * t->height;
        total += t->min_filter >= OVTEXTURE_FIRSTMIPMAP ? (n * 4 + 2) / 3 : n;
    }
    return total;
}

} // extern "C"
