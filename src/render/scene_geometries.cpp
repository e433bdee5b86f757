// Walking a scene for its geometries; the preparation pass and the
// invalidation after a change of the rendering flags.
#include "render/scene_geometries.h"

#include "orv/universe.h"
#include "platform/platform.h"
#include "render/geometry_draw.h"
#include "render/geometry_lists.h"
#include "render/render_config.h"
#include "scene/node_record.h"

#include <unordered_set>
#include <vector>

namespace orv {

void for_each_geometry(OVnode *root, const std::function<void(OVgeometry *)> &visit) {
    if (!root) return;
    std::vector<OVnode *> stack{root};
    std::unordered_set<OVnode *> seen;
    std::unordered_set<OVgeometry *> done;
    while (!stack.empty()) {
        OVnode *n = stack.back();
        stack.pop_back();
        if (!seen.insert(n).second) continue;
        if (n->header.type == NT_GEOMETRY && n->geometry && done.insert(n->geometry).second)
            visit(n->geometry);
        if (!node_is_grouping(n->header.type)) continue;
        for (OVlink *l = n->first_child; l; l = l->next_sibling)
            if (l->child) stack.push_back(l->child);
    }
}

} // namespace orv

using namespace orv;

extern "C" {

// Compiles the lists of every geometry of the scene before the first frame.
ORV_API void _OVrender_prepare(OVnode *root, void *) {
    if (!root || !render_config().started || !platform::current().context_exists()) return;
    platform::current().make_current(nullptr);
    // What was marked stale before is compiled now.
    render_config().lists_stale = false;
    int flags = OVuniverse_getrendering();
    if (flags & 0x80) flags &= 0x90;
    for_each_geometry(root, [flags](OVgeometry *g) {
        const int style = effective_style(g, flags);
        if (!g->draw || (style & 0x80)) compile_geometry(g, style);
    });
}

ORV_API void _OVnode_invalidate(OVnode *root) {
    for_each_geometry(root, [](OVgeometry *g) { invalidate_geometry(g); });
}

} // extern "C"
