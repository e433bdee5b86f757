// The windows' side of the viewpoints, as the renderer registered it.
#include "viewpoint/viewpoint_windows.h"

namespace orv {
namespace {

void no_frustum(const OVviewpoint *, int, const float *) {}
int no_stored_frustum(const OVviewpoint *, int, float *) {
    return 0;
}
void no_window(const OVviewpoint *) {}
int no_root(const OVviewpoint *, const OVnode *) {
    return 0;
}

constexpr ViewpointWindows without_windows = {no_frustum, no_stored_frustum, no_window, no_window,
                                              no_root};
ViewpointWindows windows = without_windows;

} // namespace

void set_viewpoint_windows(const ViewpointWindows &registered) {
    windows = registered;
}

const ViewpointWindows &viewpoint_windows() {
    return windows;
}

} // namespace orv
