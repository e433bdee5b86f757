// The binary NFF writer.
#include "files/bnff_format.h"
#include "files/bnff_mtable.h"
#include "files/nff_write_model.h"
#include "files/nff_writer.h"

#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/mtable.h"

namespace orv {

namespace {

using namespace bnff;

// Strings longer than a reader accepts are cut, with a warning.
std::string fit(const char *kind, const std::string &s) {
    if (s.size() <= kMaxString) return s;
    std::string cut = s.substr(0, kMaxString);
    OVwarning("%s \"%s\" is longer than %d bytes: written as \"%s\"\n", kind, s.c_str(),
              static_cast<int>(kMaxString), cut.c_str());
    return cut;
}

void write_header(Writer &w, const OVpq *view) {
    w.bytes(kMagic, sizeof kMagic);
    w.f32(kVersion);
    if (!view) return;
    OVp3 d;
    OVq_2dir(view->q, d);
    w.u8(kViewPosition);
    for (float c : view->p)
        w.f32(c);
    w.u8(kViewDirection);
    for (float c : d)
        w.f32(c);
}

void write_vertex(Writer &w, const WriteModel &model, OVmtable *table, const OVvertex *v) {
    const geom::VertexUV *uv = model.uv(v);
    bool coloured = geom::vertex_flags(v) & OVVERTEX_OWNMATID;
    const float *position = geom::vertex_position(v);
    for (int k = 0; k < 3; ++k)
        w.f32(position[k]);
    w.u8(static_cast<std::uint8_t>((geom::vertex_normal(v) ? kHasNormal : 0) | (uv ? kHasUV : 0) |
                                   (coloured ? kHasColour : 0)));
    if (geom::vertex_normal(v))
        for (int k = 0; k < 3; ++k)
            w.f32(geom::vertex_normal(v)[k]);
    if (uv) {
        w.f32(uv->u);
        w.f32(uv->v);
    }
    if (coloured) {
        unsigned rgb = entry_colour24(table, geom::vertex_matid(v));
        w.u8(static_cast<std::uint8_t>(rgb >> 16));
        w.u8(static_cast<std::uint8_t>(rgb >> 8));
        w.u8(static_cast<std::uint8_t>(rgb));
    }
}

void write_texture(Writer &w, OVpoly *p) {
    PolyTexture t;
    if (!poly_texture(p, &t)) return;
    w.u8(kTexture);
    w.string(fit("Texture", std::string{t.style, '_'} + t.name));
    if (rotation_written(t.rotation)) {
        w.u8(kRotation);
        w.f32(t.rotation);
    }
    if (scale_written(t.scale)) {
        w.u8(kScale);
        w.f32(t.scale);
    }
    if (translation_written(t.translation)) {
        w.u8(kTranslation);
        w.f32(t.translation[0]);
        w.f32(t.translation[1]);
    }
    if (t.mirrored) w.u8(kMirrored);
    if (t.tint) w.u8(kTinted);
}

void write_polygon(Writer &w, const WriteModel &model, OVpoly *p, int position,
                   const NffWriteSettings &s) {
    std::vector<OVvertex *> ring = model.corners(p, position);
    w.u32(static_cast<std::uint32_t>(ring.size()));
    for (const OVvertex *v : ring)
        w.u32(static_cast<std::uint32_t>(model.number(v)));
    w.i32(geom::poly_matid(p));
    if (geom::poly_flags(p) & OVPOLY_BOTHSIDES) w.u8(kTwoSided);
    if (geom::poly_id(p) != 0) {
        w.u8(kPolygonId);
        w.i32(geom::poly_id(p));
    }
    write_texture(w, p);
    if (const char *target = written_portal_target(p, s)) {
        w.u8(kPortal);
        w.string(fit("Portal name", target));
    }
    w.u8(kPolyEnd);
}

void write_geometry(Writer &w, OVgeometry *g, const char *name, const NffWriteSettings &s) {
    w.u8(kGeometry);
    if (!name) name = OVgeometry_getname(g);
    w.string(fit("Geometry name", name ? name : "untitled"));
    write_material_section(w, geom::geometry_mtable(g));
    WriteModel model(g, s.texture_uv);
    w.u32(static_cast<std::uint32_t>(model.vertices().size()));
    for (const OVvertex *v : model.vertices()) {
        write_vertex(w, model, geom::geometry_mtable(g), v);
        w.flush();
    }
    w.u32(static_cast<std::uint32_t>(model.polygons().size()));
    int position = 0;
    for (OVpoly *p : model.polygons()) {
        write_polygon(w, model, p, position++, s);
        w.flush();
    }
}

} // namespace

bool nff_write_binary(std::FILE *file, const GeometryList &geometries, const NffSave &save) {
    if (!file) return false;
    Writer w(file);
    write_header(w, save.view);
    // The header goes out first, so that a file that cannot take even the
    // magic is told apart from one cut later.
    w.flush(true);
    if (!w.ok()) {
        OVwarning("Unable to write to file.\n");
        return false;
    }
    for (std::size_t i = 0; i < geometries.size(); ++i)
        write_geometry(w, geometries[i], i == 0 ? save.name : nullptr, save.settings);
    w.flush(true);
    return w.ok();
}

} // namespace orv
