// What a viewpoint asks of the windows that show it. The renderer registers
// these at start-up; without windows a frustum is nowhere kept and no root
// is shown.
#pragma once

#include "orv/orv_base.h"

namespace orv {

// A frustum is left, right, bottom, top, near, far of one eye (0 or 1).
struct ViewpointWindows {
    void (*set_frustum)(const OVviewpoint *viewpoint, int eye, const float frustum[6]);
    // From the first window showing the viewpoint; false when there is none.
    int (*get_frustum)(const OVviewpoint *viewpoint, int eye, float frustum[6]);
    // Each window showing the viewpoint zooms to its root.
    void (*zoom)(const OVviewpoint *viewpoint);
    // The viewpoint is being deleted.
    void (*forget)(const OVviewpoint *viewpoint);
    // Whether an enabled window showing the viewpoint has the root.
    int (*shows_root)(const OVviewpoint *viewpoint, const OVnode *root);
};

void set_viewpoint_windows(const ViewpointWindows &windows);
const ViewpointWindows &viewpoint_windows();

} // namespace orv
