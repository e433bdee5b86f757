// The universe's axis map applied to viewpoint poses: the application's axis
// convention turned into the toolkit's.
#include "orv/math.h"
#include "state/universe_state.h"
#include "viewpoint/viewpoint_record.h"

#include <cstring>

namespace orv {

void viewpoint_eyeframe(const OVp3 position, const OVq orientation, OVp3 out_position,
                        OVq out_orientation) {
    const OVaxismap *map = universe_axismap();
    if (!map || map->count <= 0 || !map->from || !map->to || !map->negate) {
        std::memmove(out_position, position, sizeof(OVp3));
        std::memmove(out_orientation, orientation, sizeof(OVq));
        return;
    }
    OVp3 mapped = {position[0], position[1], position[2]};
    const int count = map->count < 3 ? map->count : 3;
    for (int i = 0; i < count; ++i) {
        const int from = map->from[i], to = map->to[i];
        if (from < 0 || from > 2 || to < 0 || to > 2) continue;
        mapped[to] = map->negate[i] ? -position[from] : position[from];
    }
    std::memcpy(out_position, mapped, sizeof mapped);
    OVq_mult(map->rotation, orientation, out_orientation);
}

} // namespace orv
