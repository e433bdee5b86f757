// Moving whole geometries: translate, transform, scale and stretch.
#include "core/finite.h"
#include "geometry/geometry_internal.h"
#include "orv/math.h"

using namespace orv::geom;

namespace {

void restat_all(OVgeometry *g) {
    for (OVpoly *p = g->polys; p; p = p->next)
        _OVpoly_stats(p);
    _OVgeometry_findextents(g);
    tell_node(g);
}

} // namespace

extern "C" {

int OVgeometry_translate(OVgeometry *g, const OVp3 d) {
    if (!orv::finite(d, 3) || !_OVgeometry_modifiable(g)) return 0;
    if (d[0] == 0 && d[1] == 0 && d[2] == 0) return 1;
    auto move = [d](float *at) {
        for (int a = 0; a < 3; ++a)
            at[a] += d[a];
    };
    for (OVvertex *v = g->vertices; v; v = v->next)
        move(v->position);
    reference_move(&g->reference, move);
    restat_all(g);
    return 1;
}

int OVgeometry_transform(OVgeometry *g, const OVpq *t) {
    if (!t || !orv::finite(t->p, 3) || !orv::finite(t->q, 4) || !_OVgeometry_modifiable(g))
        return 0;
    bool identity = t->p[0] == 0 && t->p[1] == 0 && t->p[2] == 0 && t->q[0] == 0 && t->q[1] == 0 &&
                    t->q[2] == 0;
    if (identity) return 1;
    OVm4 m;
    OVpq_2m4(t, m);
    auto move = [&m](float *at) {
        OVp3 out;
        OVp3_xformm4(at, m, out);
        copy3(out, at);
    };
    for (OVvertex *v = g->vertices; v; v = v->next)
        move(v->position);
    reference_move(&g->reference, move);
    restat_all(g);
    return 1;
}

int OVgeometry_scale(OVgeometry *g, float f, const OVp3 c) {
    if (!orv::finite(c, 3) || !(f > 0) || !orv::finite(f) || f == 1 || !_OVgeometry_modifiable(g))
        return 0;
    reference_detach(&g->reference, g->vertices);
    for (OVvertex *v = g->vertices; v; v = v->next)
        for (int a = 0; a < 3; ++a)
            v->position[a] = c[a] + f * (v->position[a] - c[a]);
    // Polygon centres, radii and plane distances follow from the corners.
    _OVgeometry_findextents(g);
    tell_node(g);
    return 1;
}

int OVgeometry_stretch(OVgeometry *g, const OVp3 s, const OVp3 c) {
    if (!orv::finite(s, 3) || !orv::finite(c, 3) || !(s[0] > 0 && s[1] > 0 && s[2] > 0) ||
        (s[0] == 1 && s[1] == 1 && s[2] == 1))
        return 0;
    if (s[0] == s[1] && s[1] == s[2]) return OVgeometry_scale(g, s[0], c);
    if (!_OVgeometry_modifiable(g)) return 0;
    reference_detach(&g->reference, g->vertices);
    for (OVvertex *v = g->vertices; v; v = v->next) {
        for (int a = 0; a < 3; ++a)
            v->position[a] = c[a] + s[a] * (v->position[a] - c[a]);
        if (v->normal) {
            float before = length(v->normal);
            for (int a = 0; a < 3; ++a)
                v->normal[a] /= s[a];
            float after = length(v->normal);
            if (after > 0)
                for (int a = 0; a < 3; ++a)
                    v->normal[a] *= before / after;
        }
    }
    restat_all(g);
    return 1;
}

} // extern "C"
