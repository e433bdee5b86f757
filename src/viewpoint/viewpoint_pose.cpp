// Position and orientation of viewpoints, with the property protocol.
#include "core/finite.h"
#include "orv/math.h"
#include "orv/message.h"
#include "math/quat_valid.h"
#include "orv/viewpoint.h"
#include "scene/property_protocol.h"
#include "viewpoint/viewpoint_record.h"

#include <cmath>
#include <cstring>

namespace orv {

void viewpoint_update_direction(OVviewpoint *viewpoint) {
    if (viewpoint == OVuniverse_getviewpoint()) {
        OVp3 position;
        OVq orientation;
        viewpoint_eyeframe(viewpoint->position, viewpoint->orientation, position, orientation);
        OVq_2dir(orientation, viewpoint->direction);
    } else {
        OVq_2dir(viewpoint->orientation, viewpoint->direction);
    }
}

} // namespace orv

extern "C" {

ORV_API void OVviewpoint_getposition(const OVviewpoint *viewpoint, OVp3 out) {
    static const OVp3 zero = {0, 0, 0};
    if (out) std::memcpy(out, viewpoint ? viewpoint->position : zero, sizeof(OVp3));
}

ORV_API int OVviewpoint_setposition(OVviewpoint *viewpoint, const OVp3 position) {
    if (!viewpoint || !position) return 0;
    if (std::memcmp(viewpoint->position, position, sizeof(OVp3)) == 0) return 1;
    if (!orv::change_floats(viewpoint, "Position", viewpoint->position, position)) return 0;
    orv::viewpoint_update_direction(viewpoint);
    return 1;
}

ORV_API void OVviewpoint_getorientation(const OVviewpoint *viewpoint, OVq out) {
    static const OVq identity = {0, 0, 0, 1};
    if (out) std::memcpy(out, viewpoint ? viewpoint->orientation : identity, sizeof(OVq));
}

ORV_API int OVviewpoint_setorientation(OVviewpoint *viewpoint, const OVq orientation) {
    if (!viewpoint || !orientation) return 0;
    if (!orv::quat_valid(orientation, "OVviewpoint_setorientation")) return 0;
    if (std::memcmp(viewpoint->orientation, orientation, sizeof(OVq)) == 0) return 1;
    if (!orv::change_floats(viewpoint, "Orientation", viewpoint->orientation, orientation))
        return 0;
    orv::viewpoint_update_direction(viewpoint);
    return 1;
}

ORV_API void OVviewpoint_setpositionorientation(OVviewpoint *viewpoint, const OVpq *pose) {
    if (!viewpoint || !pose || !orv::finite(pose->p, 3) || !orv::finite(pose->q, 4)) return;
    if (std::memcmp(viewpoint->position, pose->p, sizeof(OVp3)) == 0 &&
        std::memcmp(viewpoint->orientation, pose->q, sizeof(OVq)) == 0)
        return;
    const float *q = pose->q;
    if (std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]) < OV_TOLERANCE) return;
    if (!orv::change_allowed(viewpoint, "Position") ||
        !orv::change_allowed(viewpoint, "Orientation"))
        return;
    std::memcpy(viewpoint->position, pose->p, sizeof(OVp3));
    std::memcpy(viewpoint->orientation, pose->q, sizeof(OVq));
    orv::viewpoint_update_direction(viewpoint);
    orv::change_made(viewpoint, "Position", viewpoint->position);
    orv::change_made(viewpoint, "Orientation", viewpoint->orientation);
}

ORV_API void OVviewpoint_getlastposition(const OVviewpoint *viewpoint, OVp3 out) {
    static const OVp3 zero = {0, 0, 0};
    if (out) std::memcpy(out, viewpoint ? viewpoint->last_position : zero, sizeof(OVp3));
}

ORV_API void OVviewpoint_getlastorientation(const OVviewpoint *viewpoint, OVq out) {
    static const OVq identity = {0, 0, 0, 1};
    if (out) std::memcpy(out, viewpoint ? viewpoint->last_orientation : identity, sizeof(OVq));
}

ORV_API void OVviewpoint_getdirection(const OVviewpoint *viewpoint, OVp3 out) {
    static const OVp3 zero = {0, 0, 0};
    if (out) std::memcpy(out, viewpoint ? viewpoint->direction : zero, sizeof(OVp3));
}

} // extern "C"
