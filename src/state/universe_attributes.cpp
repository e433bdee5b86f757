// The background colour as set, the overlay colour, name, portals switch,
// rendering flags and the axis map of the universe.
#include "core/finite.h"
#include "state/universe_record.h"

#include "orv/math.h"
#include "orv/message.h"

using namespace orv;

extern "C" {

// The loop reads the flag between passes, so the current pass finishes.
ORV_API void OVuniverse_stop(void) {
    if (universe) universe->running = false;
}

ORV_API void OVuniverse_getbgrgb(int *r, int *g, int *b) {
    std::uint32_t c = universe ? universe->background : 0;
    if (r) *r = (c >> 16) & 0xFF;
    if (g) *g = (c >> 8) & 0xFF;
    if (b) *b = c & 0xFF;
}

ORV_API int OVuniverse_getbgcolor(void) {
    if (!universe) return 0;
    std::uint32_t c = universe->background;
    return static_cast<int>(((c >> 20) & 0xF) << 8 | ((c >> 12) & 0xF) << 4 | ((c >> 4) & 0xF));
}

ORV_API void OVuniverse_setoverlaycolor(float r, float g, float b) {
    if (!universe || !orv::finite(r, g, b)) return;
    universe->overlay[0] = r;
    universe->overlay[1] = g;
    universe->overlay[2] = b;
}

ORV_API const char *OVuniverse_getname(void) {
    return universe ? universe->name : nullptr;
}

ORV_API int OVuniverse_setname(const char *name) {
    if (!universe) return 0;
    char *normalised = OVname_normalise(name);
    if (!normalised) return 0;
    OVfree(universe->name);
    universe->name = normalised;
    return 1;
}

ORV_API void OVuniverse_setportals(int on) {
    if (universe) universe->portals_enabled = on ? 1 : 0;
}

ORV_API int OVuniverse_getportals(void) {
    return universe ? universe->portals_enabled : 0;
}

ORV_API void OVuniverse_setrendering(int flags) {
    if (!universe) return;
    if (flags & 0x80)
        universe->rendering = (flags & 0x10) ? 0x90 : 0x80;
    else
        universe->rendering = static_cast<std::uint8_t>(flags);
}

ORV_API int OVuniverse_getrendering(void) {
    return universe ? universe->rendering : 0;
}

ORV_API void OVuniverse_setaxismap(int count, const int *from, const int *to,
                                   const unsigned char *negate) {
    if (!universe) return;
    if (count < 0 || count > 3 || (count > 0 && (!from || !to || !negate))) {
        OVwarning("Invalid axis map passed to OVuniverse_setaxismap.\n");
        return;
    }
    for (int i = 0; i < count; ++i)
        if (from[i] < 0 || from[i] > 2 || to[i] < 0 || to[i] > 2) {
            OVwarning("Invalid axis map passed to OVuniverse_setaxismap.\n");
            return;
        }
    OVaxismap &map = universe->axis_map;
    map.count = count;
    map.from = from;
    map.to = to;
    map.negate = negate;
    OVm3 m;
    for (int row = 0; row < 3; ++row) {
        float unit[3] = {0, 0, 0}, picked[3];
        unit[row] = 1.0f;
        for (int i = 0; i < count; ++i)
            picked[i] = unit[from[i]];
        for (int i = 0; i < count; ++i)
            unit[to[i]] = negate[i] ? -picked[i] : picked[i];
        for (int j = 0; j < 3; ++j)
            m[row][j] = unit[j];
    }
    OVm3_2q(m, map.rotation);
}

} // extern "C"
