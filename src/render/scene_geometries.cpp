// The preparation pass over a scene's geometries and their invalidation
// after a change of the rendering flags.
#include "orv/universe.h"
#include "orv/geometry.h"
#include "platform/platform.h"
#include "render/geometry_draw.h"
#include "render/geometry_lists.h"
#include "render/render_config.h"
#include "scene/scene_queries.h"

using namespace orv;
using orv::scene::for_each_geometry;

extern "C" {

// Compiles the lists of every geometry of the scene before the first frame.
ORV_API void _OVrender_prepare(OVnode *root, void *) {
    if (!root || !render_config().started || !platform::current().context_exists()) return;
    platform::current().make_current(nullptr);
    int flags = OVuniverse_getrendering();
    if (flags & 0x80) flags &= 0x90;
    for_each_geometry(root, [flags](OVgeometry *g) {
        const int style = geom::geometry_style(g, flags);
        if (!geom::geometry_draw_function(g) || (style & OVSTYLE_WIREFRAME))
            compile_geometry(g, style);
    });
}

ORV_API void _OVnode_invalidate(OVnode *root) {
    for_each_geometry(root, [](OVgeometry *g) { invalidate_geometry(g); });
}

} // extern "C"
