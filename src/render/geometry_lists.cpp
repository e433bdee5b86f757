// Compiling and replaying a geometry's display lists.
#include "render/geometry_lists.h"

#include "orv/geometry.h"
#include "orv/message.h"
#include "render/list_names.h"
#include "render/pass_arrays.h"

#include <GL/gl.h>

#include <cstring>
#include <functional>

namespace orv {

namespace {

int compiles = 0;

// Sets the list's first colour outside it, so that a one-colour list holds no
// colour in its vertices. Under colour material Mesa leaves such a constant
// colour out of the ambient term: the material takes it directly as well.
ListExit exit_of(const DrawCache &c) {
    ListExit e{c.flags, c.color_material, c.material, {}, {}, c.normal_known};
    std::memcpy(e.color, c.color, sizeof e.color);
    std::memcpy(e.normal, c.normal, sizeof e.normal);
    return e;
}

void take_exit(DrawCache &c, const ListExit &e) {
    c.flags = e.flags;
    c.color_material = e.color_material;
    c.material = e.material;
    std::memcpy(c.color, e.color, sizeof c.color);
    std::memcpy(c.normal, e.normal, sizeof c.normal);
    c.normal_known = e.normal_known;
}

int first_flags(RunTable *t, int pass) {
    PolyRun *runs = table_runs(t);
    for (int r = 0; r < t->run_count; ++r)
        if (((runs[r].flags & DRAW_TRANSPARENT) != 0) == (pass == 1)) return runs[r].flags;
    return 0;
}

// Compiles one pass's list; with GL_COMPILE_AND_EXECUTE it is drawn as well.
int compile(OVgeometry *g, RunTable *t, int pass, GLenum mode, const BatchOptions &options) {
    RenderData *d = render_data(g);
    PassRecord &r = d->pass[pass];
    r.flags_in = first_flags(t, pass);
    r.color_material_in = t->color_material;
    BatchOptions compiled = options;
    compiled.immediate = false;
    r.color_known_in = first_colour(g, t, pass, compiled, r.color_in);
    const PassPart part{g, t, compiled};
    if (PassArrays *arrays = build_pass_arrays(&part, 1, pass)) {
        d->arrays[pass] = arrays;
        ++compiles;
        return mode == GL_COMPILE ? 0 : draw_pass_arrays(arrays);
    }
    unsigned name = list_names_take(1);
    if (!name) {
        r.unavailable = true;
        if (mode == GL_COMPILE) return 0;
        BatchOptions now = options;
        now.immediate = true;
        return draw_runs(g, t, pass, now);
    }
    if (!record_list(name, r, mode, [&] { return draw_runs(g, t, pass, compiled); })) {
        r.unavailable = true;
        return r.polys;
    }
    d->list[pass] = name;
    ++compiles;
    return r.polys;
}

} // namespace

bool record_list(unsigned name, PassRecord &r, GLenum mode, const std::function<int()> &draw) {
    DrawCache &c = draw_cache();
    const DrawCache outside = c;
    if (mode == GL_COMPILE_AND_EXECUTE) {
        if (r.color_material_in) apply_color_material(r.color_material_in);
        apply_flags(r.flags_in);
        forget_colours();
        if (r.color_known_in) send_colour(r.color_in);
    } else {
        // Nothing is executed: the cache pretends the list's entry state.
        c.flags = r.flags_in;
        if (r.color_material_in) c.color_material = r.color_material_in;
        forget_colours();
        if (r.color_known_in) std::memcpy(c.color, r.color_in, sizeof c.color);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    glNewList(name, mode);
    r.polys = draw();
    glEndList();
    const bool exhausted = glGetError() == GL_OUT_OF_MEMORY;
    r.out = exit_of(c);
    if (mode == GL_COMPILE) c = outside;
    if (!exhausted) return true;
    OVwarning("Out of display list memory");
    glDeleteLists(name, 1);
    list_names_free(name, 1);
    return false;
}

void replay_list(const PassRecord &r, unsigned list) {
    if (r.color_material_in) apply_color_material(r.color_material_in);
    apply_flags(r.flags_in);
    DrawCache &c = draw_cache();
    // Sent even when the cache has it: a list may have left the material behind.
    if (r.color_known_in) send_colour(r.color_in);
    glCallList(list);
    take_exit(c, r.out);
    c.texture_list = 0; // whichever texture the list bound last
}

const RenderData *listed_pass(OVgeometry *g, int style, int pass, bool *empty) {
    *empty = false;
    const auto *d = static_cast<const RenderData *>(geom::geometry_render_data(g));
    if (!d || !d->valid || !d->runs || d->style != style) return nullptr;
    if ((geom::geometry_draw_function(g) && !(style & OVSTYLE_WIREFRAME)) ||
        geom::geometry_editing(g))
        return nullptr;
    if (!(d->passes & (1 << pass))) {
        *empty = true;
        return nullptr;
    }
    const bool prepared = d->list[pass] || d->arrays[pass];
    return prepared && !d->pass[pass].unavailable ? d : nullptr;
}

PassPart listed_part(OVgeometry *g, const BatchOptions &options) {
    return {g, render_data(g)->runs, options};
}

int draw_geometry_pass(OVgeometry *g, int style, const BatchOptions &options) {
    RunTable *t = geometry_runs(g, style);
    const int pass = draw_cache().transparent_pass ? 1 : 0;
    if (!(t->passes & (1 << pass))) return 0;
    const RenderData *d = render_data(g);
    const PassRecord &r = d->pass[pass];
    if (options.immediate || r.unavailable) {
        BatchOptions now = options;
        now.immediate = true;
        return draw_runs(g, t, pass, now);
    }
    if (const PassArrays *arrays = d->arrays[pass]) return draw_pass_arrays(arrays);
    if (unsigned list = d->list[pass]) {
        replay_list(r, list);
        return r.polys;
    }
    return compile(g, t, pass, GL_COMPILE_AND_EXECUTE, options);
}

void compile_geometry(OVgeometry *g, int style) {
    RunTable *t = geometry_runs(g, style);
    const RenderData *d = render_data(g);
    const BatchOptions options{false, (style & OVSTYLE_WIREFRAME) != 0,
                               (style & OVSTYLE_ANTIALIAS) != 0, 1};
    for (int pass = 0; pass < 2; ++pass)
        if ((t->passes & (1 << pass)) && !d->list[pass] && !d->arrays[pass] &&
            !d->pass[pass].unavailable)
            compile(g, t, pass, GL_COMPILE, options);
}

int compile_count() {
    return compiles;
}

} // namespace orv
