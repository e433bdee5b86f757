// What both NFF writers take from a geometry before writing it.
#include "files/nff_write_model.h"

#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "orv/universe.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Universe option numbers read by the writers.
constexpr int kOptionTextureUV = 5;
constexpr int kOptionColour12 = 6;
constexpr int kOptionOldColours = 12;

constexpr float kChannelMax = 255.0f;

PortalTargetFn portal_lookup = nullptr;

bool option_on(int option) {
    return OVuniverse_getoption(option) > 0;
}

} // namespace

NffWriteSettings nff_write_settings() {
    NffWriteSettings s;
    s.old_colours = option_on(kOptionOldColours);
    s.colour12 = option_on(kOptionColour12);
    s.texture_uv = option_on(kOptionTextureUV);
    s.portals = OVuniverse_getportals() != 0;
    return s;
}

void set_portal_target_lookup(PortalTargetFn lookup) {
    portal_lookup = lookup;
}

const char *written_portal_target(OVpoly *p, const NffWriteSettings &settings) {
    return settings.portals && portal_lookup ? portal_lookup(p) : nullptr;
}

unsigned entry_colour24(OVmtable *table, int id) {
    int count = OVmtable_getnumentries(table);
    if (count <= 0 || id < 0) return 0;
    float rgb[3];
    for (int property : {OVAMBIENTDIFFUSE, OVDIFFUSE, OVAMBIENT}) {
        if (!OVmtable_getvalue(table, id % count, rgb, property)) continue;
        unsigned colour = 0;
        for (float c : rgb)
            colour = colour << 8 |
                     static_cast<unsigned>(std::lround(std::clamp(c, 0.0f, 1.0f) * kChannelMax));
        return colour;
    }
    return 0;
}

char texture_style_letter(bool shaded, bool transparent) {
    if (shaded && transparent) return 'U';
    if (transparent) return 'T';
    return shaded ? 'S' : 'V';
}

bool rotation_written(float rotation) {
    return std::fabs(rotation) >= OV_TOLERANCE;
}
bool scale_written(float scale) {
    return std::fabs(scale - 1) >= OV_TOLERANCE;
}
bool translation_written(const float translation[2]) {
    return std::fabs(translation[0]) >= OV_TOLERANCE || std::fabs(translation[1]) >= OV_TOLERANCE;
}

WriteModel::WriteModel(OVgeometry *g, bool texture_uv) : g_(g), texture_uv_(texture_uv) {
    if (texture_uv_) uvs_ = geom::give_vertices_texture_coordinates(g);
    for (OVvertex *v = geom::geometry_vertices(g); v; v = geom::vertex_next(v)) {
        numbers_.emplace(v, static_cast<int>(vertices_.size()));
        vertices_.push_back(v);
    }
    // The list is newest first; files keep creation order.
    polygons_.reserve(static_cast<std::size_t>(std::max(geom::geometry_poly_count(g), 0)));
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        polygons_.push_back(p);
    std::reverse(polygons_.begin(), polygons_.end());
}

WriteModel::~WriteModel() {
    if (texture_uv_) geom::rebuild_reference_vertices(g_);
}

const geom::VertexUV *WriteModel::uv(const OVvertex *v) const {
    if (!texture_uv_ || !(geom::vertex_flags(v) & OVVERTEX_HASUV)) return nullptr;
    auto it = uvs_.find(v);
    return it == uvs_.end() ? nullptr : &it->second;
}

std::vector<OVvertex *> WriteModel::corners(OVpoly *p, int position) const {
    const std::span<OVvertex *const> corners = geom::poly_corner_vertices(p);
    std::vector<OVvertex *> ring(corners.begin(), corners.end());
    if (ring.size() < 3)
        OVwarning("Polygon %d has only %d verts!\n", position, static_cast<int>(ring.size()));
    return ring;
}

} // namespace orv
