// What the viewpoint module asks of the windows that show a viewpoint.
#include "render/window_internal.h"
#include "orv/orv_internal.h"

namespace {
// Frustum order of the viewpoint calls: left, right, bottom, top, near, far.
const int order[6] = {OVFRUSTUM_LEFT, OVFRUSTUM_RIGHT, OVFRUSTUM_BOTTOM,
                      OVFRUSTUM_TOP,  OVFRUSTUM_NEAR,  OVFRUSTUM_FAR};

bool valid_eye(int eye) {
    return eye == 0 || eye == 1;
}
} // namespace

using namespace orv;

extern "C" {

void _OVwindow_setviewpointfrustum(const OVviewpoint *viewpoint, int eye, const float f[6]) {
    if (!viewpoint || !valid_eye(eye) || !f) return;
    for (OVwindow *w = window_list(); w; w = w->next)
        if (w->viewpoint == viewpoint)
            for (int i = 0; i < 6; ++i)
                w->frustum[order[i]][eye] = f[i];
}

int _OVwindow_getviewpointfrustum(const OVviewpoint *viewpoint, int eye, float f[6]) {
    if (!viewpoint || !valid_eye(eye) || !f) return 0;
    for (OVwindow *w = window_list(); w; w = w->next)
        if (w->viewpoint == viewpoint) {
            for (int i = 0; i < 6; ++i)
                f[i] = w->frustum[order[i]][eye];
            return 1;
        }
    return 0;
}

void _OVwindow_zoomviewpoint(const OVviewpoint *viewpoint) {
    if (!viewpoint) return;
    for (OVwindow *w = window_list(); w; w = w->next)
        if (w->viewpoint == viewpoint) OVwindow_zoomall(w);
}

void _OVwindow_forgetviewpoint(const OVviewpoint *viewpoint) {
    for (OVwindow *w = window_list(); w; w = w->next) {
        if (w->viewpoint == viewpoint) w->viewpoint = nullptr;
        if (w->viewpoint2 == viewpoint) w->viewpoint2 = nullptr;
    }
}

} // extern "C"
