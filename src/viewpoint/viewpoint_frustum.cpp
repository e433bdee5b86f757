// Per-eye frusta kept in the windows that show a viewpoint, and zooming the
// viewpoint onto the whole scene.
#include "core/finite.h"
#include "orv/viewpoint.h"
#include "orv/orv_internal.h"
#include "orv/universe.h"
#include "viewpoint/viewpoint_record.h"
#include "viewpoint/viewpoint_windows.h"

#include <algorithm>
#include <cmath>

extern "C" {

ORV_API void OVviewpoint_setfrustum(OVviewpoint *viewpoint, int eye, float left, float right,
                                    float bottom, float top, float distance, float extra) {
    if (!viewpoint || (eye != 0 && eye != 1) ||
        !orv::finite(left, right, bottom, top, distance, extra))
        return;
    const float frustum[6] = {left, right, bottom, top, std::max(distance, OV_TOLERANCE), extra};
    orv::viewpoint_windows().set_frustum(viewpoint, eye, frustum);
}

ORV_API void OVviewpoint_getfrustum(const OVviewpoint *viewpoint, int eye, float *left,
                                    float *right, float *bottom, float *top, float *distance,
                                    float *extra) {
    if (!viewpoint || (eye != 0 && eye != 1)) return;
    float frustum[6];
    if (!orv::viewpoint_windows().get_frustum(viewpoint, eye, frustum)) return;
    float *outputs[6] = {left, right, bottom, top, distance, extra};
    for (int i = 0; i < 6; ++i)
        if (outputs[i]) *outputs[i] = frustum[i];
}

ORV_API void OVviewpoint_zoomall(OVviewpoint *viewpoint) {
    if (!viewpoint) return;
    if (!_OVuniverse_hasboundsources()) {
        orv::viewpoint_windows().zoom(viewpoint);
        return;
    }
    const float radius = OVuniverse_getradius();
    if (std::fabs(radius) < OV_TOLERANCE) return;
    OVp3 midpoint;
    OVuniverse_getmidpoint(midpoint);
    const OVp3 position = {midpoint[0] - radius * viewpoint->direction[0],
                           midpoint[1] - radius * viewpoint->direction[1],
                           midpoint[2] - radius * viewpoint->direction[2]};
    OVviewpoint_setposition(viewpoint, position);
}

} // extern "C"
