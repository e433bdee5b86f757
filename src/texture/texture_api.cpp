// Making textures from files or pixels, their filters and their use marks.
#include "orv/message.h"
#include "orv/texture.h"
#include "texture/texture_list.h"
#include "texture/texture_access.h"

#include <cstring>
#include <vector>

namespace orv::tex {

namespace {

// Sides beyond this are refused before the pixels are copied.
constexpr int kMaxDataSide = 1 << 14;

bool is_pow2(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

bool valid_filters(int magnification, int minification) {
    return magnification >= 0 && magnification <= OVTEXTURE_MAXMAGFILTER && minification >= 0 &&
           minification <= OVTEXTURE_MAXMINFILTER;
}

// Changes the filters, queueing a re-upload when they differ.
void apply_filters(OVtexture *t, int magnification, int minification) {
    if (t->mag_filter == magnification && t->min_filter == minification) return;
    t->mag_filter = static_cast<std::int8_t>(magnification);
    t->min_filter = static_cast<std::int8_t>(minification);
    queue(t, kFiltersChanged);
}

} // namespace

} // namespace orv::tex

using namespace orv::tex;

extern "C" {

ORV_API OVtexture *OVtexture_new(const char *path, int magnification, int minification) {
    if (!path) return nullptr;
    if (!valid_filters(magnification, minification)) {
        magnification = default_magnification();
        minification = default_minification();
    }
    if (OVtexture *t = find(path)) {
        apply_filters(t, magnification, minification);
        return t;
    }
    int width = 0, height = 0;
    unsigned char *pixels = OVtexture_load(path, &width, &height);
    if (!pixels) return nullptr;
    OVtexture *t = create(path, pixels, width, height, false);
    t->mag_filter = static_cast<std::int8_t>(magnification);
    t->min_filter = static_cast<std::int8_t>(minification);
    return t;
}

ORV_API OVtexture *OVtexture_newfromdata(const char *name, unsigned char *pixels, int width,
                                         int height) {
    if (!pixels) return nullptr;
    if (!name || width <= 0 || height <= 0 || width > kMaxDataSide || height > kMaxDataSide) {
        OVfree(pixels); // taken over even when refused
        return nullptr;
    }
    std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    std::vector<std::uint8_t> rgba(pixels, pixels + bytes);
    fit_texture(rgba, width, height, current_limits());
    if (rgba.size() != bytes) {
        pixels = static_cast<unsigned char *>(OVrealloc(pixels, rgba.size()));
        bytes = rgba.size();
    }
    std::memcpy(pixels, rgba.data(), bytes);
    if (OVtexture *t = find(name)) {
        replace_pixels(t, pixels, width, height, false);
        return t;
    }
    return create(name, pixels, width, height, false);
}

ORV_API int OVtexture_replace(const char *name, int format, int width, int height,
                              unsigned char *pixels) {
    if (!name || !pixels) return 0;
    const int max_side = current_limits().max_side;
    if (!is_pow2(width) || !is_pow2(height) || width > max_side || height > max_side) return 0;
    if (format != OVIMAGE_RGBA) {
        OVwarning("The format for bitmap %s is not OVIMAGE_RGBA\n", name);
        return 0;
    }
    if (OVtexture *t = find(name))
        replace_pixels(t, pixels, width, height, true);
    else
        create(name, pixels, width, height, true);
    return 1;
}

ORV_API int OVtexture_setfilter(const char *name, int magnification, int minification) {
    if (!valid_filters(magnification, minification)) return 0;
    if (!name) {
        set_default_filters(magnification, minification);
        return 1;
    }
    if (OVtexture *t = find(name)) {
        apply_filters(t, magnification, minification);
        return 1;
    }
    return OVtexture_new(name, magnification, minification) != nullptr;
}

ORV_API int _OVtexture_setmode(const char *name, int clamp_s, int clamp_t, int decal) {
    OVtexture *t = find(name);
    if (!t) return 0;
    t->clamp_s = clamp_s != 0;
    t->clamp_t = clamp_t != 0;
    t->decal = decal != 0;
    queue(t, kFiltersChanged);
    return 1;
}

ORV_API int OVtexture_getfilter(const char *name, int *magnification, int *minification) {
    int mag = -1, min = -1, found = 1;
    if (!name) {
        mag = default_magnification();
        min = default_minification();
    } else if (const OVtexture *t = find(name)) {
        mag = t->mag_filter;
        min = t->min_filter;
    } else {
        found = 0;
    }
    if (magnification) *magnification = mag;
    if (minification) *minification = min;
    return found;
}

ORV_API int OVtexture_setused(const char *name, int used) {
    OVtexture *t = find(name);
    if (!t && used) t = OVtexture_new(name, default_magnification(), default_minification());
    if (!t) return 0;
    if (used && !t->used) {
        t->used = 1;
        add_use(t);
    } else if (!used && t->used) {
        t->used = 0;
        release_use(t);
    }
    return 1;
}

} // extern "C"
