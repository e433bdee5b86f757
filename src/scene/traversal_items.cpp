// Entries of the leaf nodes: geometry, lights, ambient, fog, material and
// application callback nodes.
#include "geometry/geometry_passes.h"
#include "geometry/geometry_access.h"
#include "scene/light_record.h"
#include "scene/traversal_stacks.h"

#include <cstdint>
#include <cstring>

namespace orv::scene {

namespace {

RenderLevel &level(TraversalState *state) {
    Stacks &s = stacks_of(state);
    return s.levels[s.level_depth];
}

const OVm4 &current(TraversalState *state) {
    Stacks &s = stacks_of(state);
    return s.matrices[s.matrix_depth - 1];
}

// The level's material values the list still owes: a geometry that does not
// set them itself must not inherit what the previous geometry left.
void settle_material(TraversalState *state, int list, int own, int matrix) {
    Stacks &s = stacks_of(state);
    int &pending = s.pending[list == LIST_OPAQUE ? 0 : 1];
    const int bits = pending & ~own;
    if (bits) {
        TempRecord *t = take_temp(state);
        t->material = s.materials[s.level_depth];
        t->material.mask = bits;
        add_entry(state, list, &t->material, ENTRY_MATERIAL, matrix);
        pending &= ~bits;
    }
}

void copy3(float *to, const float *from) {
    std::memcpy(to, from, 3 * sizeof(float));
}

} // namespace

void add_box(TraversalState *state, const OVp3 midpoint, const OVp3 extents) {
    const int matrix = current_matrix_index(state);
    TempRecord *t = take_temp(state);
    copy3(t->box.midpoint, midpoint);
    copy3(t->box.extents, extents);
    add_entry(state, LIST_OPAQUE, &t->box, ENTRY_BOUNDINGBOX, matrix);
}

void collect_geometry(TraversalState *state, OVnode *node) {
    OVgeometry *g = node_geometry(node);
    if (!g) return;
    if (level(state).test && sphere_visibility(state, current(state), geom::geometry_midpoint(g),
                                               geom::geometry_radius(g)) < 0)
        return;
    const int matrix = current_matrix_index(state);
    state->poly_count += geom::geometry_poly_count(g);
    const int passes = geometry_passes(g), own = geometry_material_mask(g);
    Stacks &s = stacks_of(state);
    if (passes & PASS_OPAQUE) {
        settle_material(state, LIST_OPAQUE, own, matrix);
        add_entry(state, LIST_OPAQUE, node, ENTRY_GEOMETRY, matrix);
        s.pending[0] |= own;
    }
    if (passes & PASS_TRANSPARENT) {
        settle_material(state, LIST_TRANSPARENT, own, matrix);
        add_entry(state, LIST_TRANSPARENT, node, ENTRY_GEOMETRY, matrix);
        s.pending[1] |= own;
    }
    if (node->flags & NODE_BOUNDINGBOX)
        add_box(state, geom::geometry_midpoint(g), geom::geometry_half_extents(g));
}

void collect_light(TraversalState *state, OVnode *node) {
    const OVlight *light = light_of(node);
    if (!light || light->slot < 0 || light->slot >= light_slots_per_level) return;
    const int matrix = current_matrix_index(state);
    add_entry(state, LIST_BOTH, reinterpret_cast<void *>(static_cast<std::intptr_t>(light->slot)),
              ENTRY_LIGHTON, matrix);
    RenderLevel &l = level(state);
    const auto bit = static_cast<std::uint8_t>(1u << light->slot);
    l.own_lights |= bit;
    l.lights |= bit;
    l.light_matrix[light->slot] = matrix;
}

void collect_ambient(TraversalState *state, OVnode *node) {
    const OVambientdata *a = ambient_of(node);
    if (!a) return;
    TempRecord *t = take_temp(state);
    for (int i = 0; i < 3; ++i)
        t->ambient.rgba[i] = a->rgb[i] * a->intensity;
    t->ambient.rgba[3] = 1;
    add_entry(state, LIST_BOTH, &t->ambient, ENTRY_AMBIENT, -1);
    level(state).ambient = &t->ambient;
}

void collect_fog(TraversalState *state, OVnode *node) {
    const OVfogdata *f = fog_of(node);
    if (!f) return;
    FogRecord *fog = nullptr;
    if (f->mode != -1) {
        TempRecord *t = take_temp(state);
        fog = &t->fog;
        fog->mode = f->mode;
        fog->start = f->linear_start;
        fog->end = f->range != 0 ? f->range : state->far_distance;
        std::memcpy(fog->color, f->color, sizeof fog->color);
    }
    add_entry(state, LIST_BOTH, fog, ENTRY_FOG, -1);
    level(state).fog = fog;
}

void collect_material(TraversalState *state, OVnode *node) {
    const auto *m = static_cast<const OVmaterialdata *>(node_payload(node));
    if (!m) return;
    Stacks &s = stacks_of(state);
    MaterialRecord &r = s.materials[s.level_depth];
    if (m->mask & 0x01) copy3(r.ambient, m->ambient);
    if (m->mask & 0x02) copy3(r.diffuse, m->diffuse);
    if (m->mask & 0x04) copy3(r.specular, m->specular);
    if (m->mask & 0x08) r.shininess = m->shininess;
    if (m->mask & 0x10) copy3(r.emission, m->emission);
    if (m->mask & 0x40) r.alpha = r.diffuse[3] = m->diffuse[3];
    level(state).material_changed |= m->mask;
    s.pending[0] |= m->mask;
    s.pending[1] |= m->mask;
}

void collect_callback(TraversalState *state, OVnode *node) {
    const auto *gl = static_cast<const OVglnodedata *>(node_payload(node));
    if (!gl || !gl->callback) return;
    add_entry(state, LIST_OPAQUE, node, ENTRY_CALLBACK, current_matrix_index(state));
    if (node->flags & NODE_BOUNDINGBOX) {
        OVp3 mid, ext;
        for (int j = 0; j < 3; ++j) {
            mid[j] = (gl->cull_min[j] + gl->cull_max[j]) / 2;
            ext[j] = (gl->cull_max[j] - gl->cull_min[j]) / 2;
        }
        add_box(state, mid, ext);
    }
}

} // namespace orv::scene
