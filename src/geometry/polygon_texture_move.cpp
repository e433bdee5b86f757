// Moving a binding's coordinates: rotation, scaling, stretching, translation
// and mirroring.
#include "core/finite.h"
#include "geometry/geometry_internal.h"
#include "orv/texture.h"
#include "orv/universe.h"
#include "texture/texture_access.h"

namespace orv::geom {

namespace {

constexpr int kRotationSignOption = 9;
constexpr float kCentre = 0.5f;

// The binding of p when it may change, else null.
OVtexbinding *movable_binding(OVpoly *p) {
    if (!p || !p->texture || !_OVgeometry_modifiable(p->geometry)) return nullptr;
    return p->texture;
}

float mean(const float *x, int n) {
    float sum = 0;
    for (int i = 0; i < n; ++i)
        sum += x[i];
    return n ? sum / static_cast<float>(n) : 0;
}

void scale_about_mean(float *x, int n, float f) {
    const float m = mean(x, n);
    for (int i = 0; i < n; ++i)
        x[i] = m + f * (x[i] - m);
}

} // namespace

} // namespace orv::geom

using namespace orv;
using namespace orv::geom;

extern "C" {

ORV_API int OVpoly_rotatetexture(OVpoly *p, float angle) {
    OVtexbinding *b = movable_binding(p);
    if (!b || !orv::finite(angle)) return 0;
    const float c = std::cos(angle);
    const float s =
        OVuniverse_getoption(kRotationSignOption) > 0 ? -std::sin(angle) : std::sin(angle);
    for (int i = 0; i < b->count; ++i) {
        const float u = b->u[i] - kCentre, v = b->v[i] - kCentre;
        b->u[i] = c * u + s * v + kCentre;
        b->v[i] = c * v - s * u + kCentre;
    }
    b->rotation += angle;
    drawing_changed(p->geometry);
    return 1;
}

ORV_API int OVpoly_scaletexture(OVpoly *p, float f) {
    OVtexbinding *b = movable_binding(p);
    if (!b || !orv::finite(f)) return 0;
    scale_about_mean(b->u, b->count, f);
    scale_about_mean(b->v, b->count, f);
    b->scale *= f;
    drawing_changed(p->geometry);
    return 1;
}

ORV_API int OVpoly_stretchtexture(OVpoly *p, float fu, float fv) {
    OVtexbinding *b = movable_binding(p);
    if (!b || !orv::finite(fu, fv)) return 0;
    scale_about_mean(b->u, b->count, fu);
    scale_about_mean(b->v, b->count, fv);
    drawing_changed(p->geometry);
    return 1;
}

ORV_API int OVpoly_translatetexture(OVpoly *p, const float d[2]) {
    OVtexbinding *b = movable_binding(p);
    if (!b || !orv::finite(d, 2)) return 0;
    const int w = tex::texture_width(b->texture), h = tex::texture_height(b->texture);
    if (w <= 0 || h <= 0) return 0;
    for (int i = 0; i < b->count; ++i) {
        b->u[i] += d[0] / static_cast<float>(w);
        b->v[i] += d[1] / static_cast<float>(h);
    }
    b->translation[0] += d[0];
    b->translation[1] += d[1];
    drawing_changed(p->geometry);
    return 1;
}

ORV_API int OVpoly_mirrortexture(OVpoly *p) {
    OVtexbinding *b = movable_binding(p);
    if (!b) return 0;
    for (int i = 0; i < b->count; ++i)
        b->u[i] = 1 - b->u[i];
    b->mirrored = !b->mirrored;
    drawing_changed(p->geometry);
    return 1;
}

} // extern "C"
