// The root nodes the windows show, for the preparation pass and the collision
// tests of viewpoints.
#include "render/window_internal.h"
#include "orv/node.h"
#include "orv/orv_internal.h"

namespace orv {

OVnode *shown_root(const OVwindow *window) {
    if (!window || !window->root) return nullptr;
    for (OVnode *r = OVuniverse_getrootnodes(); r; r = OVrootnode_next(r))
        if (r == window->root) return r;
    const_cast<OVwindow *>(window)->root = nullptr;
    return nullptr;
}

} // namespace orv

extern "C" ORV_API int _OVwindow_roots(OVnode **roots, int *display_bits, int capacity) {
    int count = 0;
    for (OVwindow *w = orv::window_list(); w && count < capacity; w = w->next, ++count) {
        roots[count] = orv::shown_root(w);
        display_bits[count] = 1 << w->display_index;
    }
    return count;
}

extern "C" ORV_API int _OVwindow_showsroot(const OVviewpoint *viewpoint, const OVnode *root) {
    for (OVwindow *w = orv::window_list(); w; w = w->next)
        if (w->enabled && w->root == root &&
            (w->viewpoint == viewpoint || w->viewpoint2 == viewpoint))
            return 1;
    return 0;
}
