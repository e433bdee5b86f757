// Scene bounds: the box around the universe object (legacy objects would
// widen it too; that interface keeps none here).
#include "state/universe_record.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {
void recompute_bounds() {
    SceneBounds &b = universe->bounds;
    float lo[3] = {1e38f, 1e38f, 1e38f}, hi[3] = {-1e38f, -1e38f, -1e38f};
    const UniverseObject &object = universe->universe_object;
    float omin[3], omax[3];
    if (object.object && object.bounds && object.bounds(object.object, omin, omax))
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], omin[i]);
            hi[i] = std::max(hi[i], omax[i]);
        }
    for (int i = 0; i < 3; ++i)
        if (lo[i] > hi[i]) {
            std::fill(lo, lo + 3, 0.0f);
            std::fill(hi, hi + 3, 0.0f);
            break;
        }
    float diagonal = 0.0f;
    for (int i = 0; i < 3; ++i) {
        b.min[i] = lo[i];
        b.max[i] = hi[i];
        float size = hi[i] - lo[i];
        b.midpoint[i] = lo[i] + size / 2.0f;
        diagonal += size * size;
    }
    b.radius = std::sqrt(diagonal) / 2.0f;
}
} // namespace
} // namespace orv

using namespace orv;

extern "C" {

ORV_API float OVuniverse_getradius(void) {
    if (!universe) return 0.0f;
    recompute_bounds();
    return universe->bounds.radius;
}

ORV_API void OVuniverse_getmidpoint(OVp3 midpoint) {
    if (!universe || !midpoint) return;
    recompute_bounds();
    std::copy(universe->bounds.midpoint, universe->bounds.midpoint + 3, midpoint);
}

ORV_API void OVuniverse_getextents(OVp3 min_and_max[2]) {
    if (!universe || !min_and_max) return;
    recompute_bounds();
    std::copy(universe->bounds.min, universe->bounds.min + 3, min_and_max[0]);
    std::copy(universe->bounds.max, universe->bounds.max + 3, min_and_max[1]);
}

// Whether anything feeds the scene bounds (the viewpoint code zooms to them).
ORV_API int _OVuniverse_hasboundsources(void) {
    return universe && universe->universe_object.object ? 1 : 0;
}

} // extern "C"
