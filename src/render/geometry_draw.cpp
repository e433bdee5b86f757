// One geometry with its effective style, and application callback nodes.
#include "render/geometry_draw.h"

#include "orv/geometry.h"
#include "core/object_watch.h"
#include "orv/universe.h"
#include "render/collection_entries.h"
#include "render/geometry_lists.h"
#include "scene/scene_queries.h"

#include <GL/gl.h>

namespace orv {

void draw_with_style(OVgeometry *g, scene::TraversalState *s, int style) {
    const bool wire = style & OVSTYLE_WIREFRAME;
    if (OVgeometrydrawfn draw = geom::geometry_draw_function(g); !wire && draw) {
        draw(g, s);
        forget_drawing_state();
        return;
    }
    const BatchOptions options{geom::geometry_editing(g), wire, (style & OVSTYLE_ANTIALIAS) != 0,
                               s ? s->projection_mode : 1};
    const int drawn = draw_geometry_pass(g, style, options);
    if (s) s->drawn_polys += drawn;
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void _OVgeometry_draw(OVgeometry *g, void *state) {
    if (!g) return;
    auto *s = static_cast<scene::TraversalState *>(state);
    const int base = s ? s->rendering_flags : OVuniverse_getrendering();
    draw_with_style(g, s, geom::geometry_style(g, base));
}

ORV_API void _OVglcallback_draw(OVnode *node, void *state) {
    OVglnodefunc callback;
    OVp3 cull_min, cull_max;
    if (!scene::callback_of(node, &callback, cull_min, cull_max)) return;
    auto *s = static_cast<scene::TraversalState *>(state);
    drawing_without(DRAW_LIGHTING | DRAW_TEXTURE);
    const bool blend =
        s && (s->rendering_flags & OVSTYLE_ANTIALIAS) && !draw_cache().transparent_pass;
    if (blend) glEnable(GL_BLEND);
    ObjectWatch watch(node);
    if (callback) callback(node);
    if (blend) glDisable(GL_BLEND);
    forget_drawing_state();
    if (watch.deleted()) return;
    if (scene::outlines_bounds(node) && s) {
        OVp3 mid, ext;
        for (int i = 0; i < 3; ++i) {
            mid[i] = (cull_min[i] + cull_max[i]) / 2;
            ext[i] = (cull_max[i] - cull_min[i]) / 2;
        }
        draw_box(mid, ext, s);
    }
}

ORV_API int _OVrender_compilecount(void) {
    return compile_count();
}

} // extern "C"
