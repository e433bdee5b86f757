// Before the simulation starts: the renderer prepares each shown scene once.
#include "scene/traversal_state.h"
#include "scene/scene_hooks.h"

extern "C" ORV_API int _OVnode_ready(void) {
    constexpr int most = 8;
    OVnode *roots[most];
    int bits[most];
    const int count = orv::scene::shown_roots(roots, bits, most);
    for (int i = 0; i < count; ++i) {
        // Consecutive windows on one root share the pass.
        if (!roots[i] || (i > 0 && roots[i] == roots[i - 1])) continue;
        auto *state = static_cast<orv::scene::TraversalState *>(_OVnode_newstate());
        state->display_bit = bits[i];
        orv::scene::prepare_root(roots[i], state);
        _OVnode_deletestate(state);
    }
    return 1;
}
