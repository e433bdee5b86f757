// Building a geometry's polygon runs and classifying its polygons by pass.
#include "render/geometry_runs.h"

#include "geometry/geometry_passes.h"
#include "geometry/mtable_access.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "platform/platform.h"
#include "render/geometry_groups.h"
#include "render/list_names.h"
#include "render/pass_arrays.h"
#include "render/render_data.h"
#include "texture/texture_access.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>
#include <vector>

namespace orv {

namespace {

std::size_t runs_offset() {
    return (sizeof(RunTable) + alignof(PolyRun) - 1) / alignof(PolyRun) * alignof(PolyRun);
}

std::size_t polys_offset(int run_count) {
    std::size_t end = runs_offset() + sizeof(PolyRun) * static_cast<std::size_t>(run_count);
    return (end + alignof(OVpoly *) - 1) / alignof(OVpoly *) * alignof(OVpoly *);
}

// A table with a single colour component is drawn with colour material.
int color_material_mode(const OVmtable *t) {
    if (!t) return GL_AMBIENT_AND_DIFFUSE; // no table: white polygons
    if (mtable_component_count(t) != 1) return 0;
    switch (mtable_components(t)[0].property) {
    case OVAMBIENTDIFFUSE:
        return GL_AMBIENT_AND_DIFFUSE;
    case OVDIFFUSE:
        return GL_DIFFUSE;
    case OVAMBIENT:
        return GL_AMBIENT;
    case OVSPECULAR:
        return GL_SPECULAR;
    case OVEMISSION:
        return GL_EMISSION;
    default:
        return 0;
    }
}

int draw_flags(const OVpoly *p, int style, int color_material) {
    const int shading = style & OVSTYLE_SMOOTH ? DRAW_SMOOTH : 0;
    // Outlines are unlit, in the polygon's or its corners' colours.
    if (style & OVSTYLE_WIREFRAME) return (poly_transparent(p) ? DRAW_TRANSPARENT : 0) | shading;
    int flags = DRAW_LIGHTING | DRAW_CULL;
    if (geom::poly_flags(p) & OVPOLY_BOTHSIDES) flags |= DRAW_TWOSIDED;
    if (geom::poly_render_flags(p) & OVPOLYR_SMOOTH) flags |= shading;
    if (color_material) flags |= DRAW_COLORMATERIAL;
    if (OVtexture *texture = geom::poly_texture(p); texture && tex::texture_list(texture)) {
        flags |= DRAW_TEXTURE;
        if (geom::poly_texture_transparent(p)) flags |= DRAW_ALPHATEST;
        // An unshaded texture shows its own colours whatever the lights.
        if (!geom::poly_texture_shaded(p)) flags &= ~(DRAW_LIGHTING | DRAW_COLORMATERIAL);
        if (style & OVSTYLE_SPHEREMAP) flags |= DRAW_SPHEREMAP;
    }
    if (poly_transparent(p)) flags |= DRAW_TRANSPARENT;
    return flags;
}

RunTable *build_runs(OVgeometry *g, int style) {
    const int mode = color_material_mode(geom::geometry_mtable(g));
    std::vector<std::pair<int, OVpoly *>> order;
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        if (geom::poly_corner_count(p) >= 3 && !(geom::poly_flags(p) & OVPOLY_DEGENERATE))
            order.emplace_back(draw_flags(p, style, mode), p);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    int run_count = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (i == 0 || order[i].first != order[i - 1].first) ++run_count;
    const auto n = static_cast<int>(order.size());
    std::size_t size = polys_offset(run_count) + sizeof(OVpoly *) * order.size();
    auto *t = static_cast<RunTable *>(OVmalloc(size));
    *t = {run_count, n, mode, 0, style};
    PolyRun *runs = table_runs(t);
    OVpoly **polys = table_polys(t);
    int r = -1;
    for (int i = 0; i < n; ++i) {
        polys[i] = order[static_cast<std::size_t>(i)].second;
        const int flags = order[static_cast<std::size_t>(i)].first;
        if (r < 0 || runs[r].flags != flags) runs[++r] = {flags, i, 0};
        ++runs[r].count;
        t->passes |= flags & DRAW_TRANSPARENT ? 2 : 1;
    }
    return t;
}

std::uint64_t last_serial = 0;

// The lists and buffers go now, while the names are known; the runs stay
// until the next draw.
void release_lists(RenderData *d) {
    for (PassArrays *&arrays : d->arrays) {
        release_pass_arrays(arrays);
        arrays = nullptr;
    }
    for (std::uint32_t &list : d->list) {
        if (!list) continue;
        if (platform::current().context_exists()) glDeleteLists(list, 1);
        list_names_free(list, 1);
        list = 0;
    }
    for (GeometryGroup *&group : d->group) {
        release_group(group);
        group = nullptr;
    }
}

} // namespace

PolyRun *table_runs(RunTable *t) {
    return reinterpret_cast<PolyRun *>(reinterpret_cast<char *>(t) + runs_offset());
}

OVpoly **table_polys(RunTable *t) {
    return reinterpret_cast<OVpoly **>(reinterpret_cast<char *>(t) + polys_offset(t->run_count));
}

RenderData *render_data(OVgeometry *g) {
    auto *d = static_cast<RenderData *>(geom::geometry_render_data(g));
    if (!d) {
        d = new (OVmalloc(sizeof(RenderData))) RenderData{};
        d->serial = ++last_serial;
        geom::geometry_set_render_data(g, d);
    }
    return d;
}

RunTable *geometry_runs(OVgeometry *g, int style) {
    RenderData *d = render_data(g);
    if (!d->valid) {
        invalidate_geometry(g);
        d = render_data(g);
    }
    RunTable *t = d->runs;
    if (t && t->style != style) {
        invalidate_geometry(g);
        d = render_data(g);
        t = nullptr;
    } else if (!t && d->valid) {
        OVwarning("Internal error: executing compile during call to geom_render\n");
    }
    if (!t) {
        t = build_runs(g, style);
        d->runs = t;
        d->style = style;
        d->passes = t->passes;
        d->valid = true;
    }
    return t;
}

void invalidate_geometry(OVgeometry *g) {
    render_data_release(geom::geometry_render_data(g));
    geom::geometry_set_render_data(g, nullptr);
}

void render_data_stale(void *data) {
    if (!data) return;
    auto *d = static_cast<RenderData *>(data);
    release_lists(d);
    d->valid = false;
    d->serial = ++last_serial;
}

void render_data_release(void *data) {
    if (!data) return;
    auto *d = static_cast<RenderData *>(data);
    release_lists(d);
    OVfree(d->runs);
    OVfree(d);
}

} // namespace orv
