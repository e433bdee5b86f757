// Polygon runs to OpenGL primitives.
#include "render/polygon_batch.h"

#include "geometry/mtable_access.h"
#include "render/model_frame.h"
#include "render/render_config.h"
#include "texture/texture_access.h"

#include <GL/gl.h>

#include <initializer_list>

#include <cstring>

namespace orv {

namespace {

using namespace geom;

constexpr GLenum no_batch = 0xFFFF;

// Ambient and diffuse carry the colour that tints a texture.
bool colour_component(int property) {
    return property == OVAMBIENT || property == OVDIFFUSE || property == OVAMBIENTDIFFUSE;
}

// A corner's own material where it has one, else its polygon's.
int vertex_colour(const OVvertex *v, int poly_matid) {
    return vertex_flags(v) & OVVERTEX_OWNMATID ? vertex_matid(v) : poly_matid;
}

class Batcher {
  public:
    Batcher() : limit_(render_config().max_primitives), force_(render_config().force_color) {}

    ~Batcher() { close(); }

    // The geometry whose runs come next; the open batch goes on with them
    // while the drawing state stays the same.
    void use(const PassPart &part) {
        const BatchOptions &o = part.options;
        if (o.immediate != o_.immediate || o.outlines != o_.outlines ||
            o.smooth_lines != o_.smooth_lines)
            close();
        table_ = geometry_mtable(part.geometry);
        mode_ = part.table->color_material;
        o_ = o;
        if (o.immediate) eye_in_model(eye_, toward_);
    }

    int run(const PolyRun &run, OVpoly **polys) {
        const int flags = o_.immediate ? run.flags & ~(DRAW_TWOSIDED | DRAW_CULL) : run.flags;
        const bool blend = o_.outlines && o_.smooth_lines && !(flags & DRAW_TRANSPARENT);
        if (!same_state(flags) || blend) close();
        flags_ = flags;
        // The mode first: enabling colour material reads the colour into it.
        if (flags_ & DRAW_COLORMATERIAL) apply_color_material(mode_);
        apply_flags(flags_);
        tint_ = true;
        if (blend) glEnable(GL_BLEND);
        int drawn = 0;
        for (int i = 0; i < run.count; ++i)
            drawn += polygon(polys[run.first + i], run.flags);
        if (blend) {
            close();
            glDisable(GL_BLEND);
        }
        return drawn;
    }

  private:
    const OVmtable *table_ = nullptr;
    int mode_ = 0;
    BatchOptions o_{};
    int limit_;
    bool force_;
    int flags_ = 0;
    bool tint_ = true; // false: a texture modulated by white, not the material colour
    GLenum open_ = no_batch;
    int primitives_ = 0;
    OVp3 eye_{}, toward_{};

    void close() {
        if (open_ != no_batch) glEnd();
        open_ = no_batch;
    }

    // Whether the run's flags need no OpenGL call, so that a batch may stay open.
    bool same_state(int flags) const {
        const DrawCache &c = draw_cache();
        return flags == c.flags && (!(flags & DRAW_COLORMATERIAL) || mode_ == c.color_material);
    }

    bool continues(GLenum kind) const {
        return open_ == kind && kind != GL_POLYGON && primitives_ < limit_;
    }

    // Closes the open batch when the next primitive cannot join it. What is
    // sent between batches stays out of a compiled list's vertices.
    void prepare(GLenum kind) {
        if (continues(kind)) return;
        close();
        if (force_)
            for (float &c : draw_cache().color)
                c = -1;
    }

    void begin(GLenum kind) {
        if (open_ == kind) return;
        glBegin(kind);
        open_ = kind;
        primitives_ = 0;
    }

    // Normals are sent only when they change: flat areas share one.
    static void normal(float x, float y, float z) {
        DrawCache &c = draw_cache();
        if (c.normal_known && c.normal[0] == x && c.normal[1] == y && c.normal[2] == z) return;
        glNormal3f(x, y, z);
        c.normal[0] = x;
        c.normal[1] = y;
        c.normal[2] = z;
        c.normal_known = true;
    }

    bool front_facing(const OVpoly *p) const {
        const float *n = poly_normal(p);
        if (o_.projection == 4)
            return n[0] * toward_[0] + n[1] * toward_[1] + n[2] * toward_[2] >= 0;
        const float *v = vertex_position(poly_corner_vertices(p)[0]);
        return n[0] * (eye_[0] - v[0]) + n[1] * (eye_[1] - v[1]) + n[2] * (eye_[2] - v[2]) >= 0;
    }

    void colour(int matid) {
        DrawCache &c = draw_cache();
        bool lit = (flags_ & DRAW_LIGHTING) && !(flags_ & DRAW_COLORMATERIAL);
        if (lit) {
            MaterialKey key{table_, matid, !tint_};
            if (c.material == key) return;
            material(matid);
            c.material = key;
            return;
        }
        float rgba[4];
        entry_colour(table_, matid, flags_ & DRAW_COLORMATERIAL ? mode_ : 0, rgba);
        if (!tint_) rgba[0] = rgba[1] = rgba[2] = 1;
        if (std::memcmp(rgba, c.color, sizeof rgba) == 0) return;
        // Opaque colours take three numbers per vertex in a compiled list, not four.
        if (rgba[3] == 1)
            glColor3fv(rgba);
        else
            glColor4fv(rgba);
        std::memcpy(c.color, rgba, sizeof rgba);
    }

    // Every component of the entry, for tables that colour material cannot carry.
    void material(int matid) {
        const float *e = table_ ? mtable_entry(table_, matid) : nullptr;
        if (!e) return;
        const OVmtablecomponent *components = mtable_components(table_);
        for (int i = 0, n = mtable_component_count(table_); i < n; ++i) {
            const OVmtablecomponent &comp = components[i];
            if (comp.property == OVSHININESS) {
                glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, e[comp.offset]);
                continue;
            }
            float v[4] = {e[comp.offset], e[comp.offset + 1], e[comp.offset + 2], 1};
            if (comp.size == 4) v[3] = e[comp.offset + 3];
            if (!tint_ && colour_component(comp.property)) v[0] = v[1] = v[2] = 1;
            glMaterialfv(GL_FRONT_AND_BACK, static_cast<GLenum>(comp.glparam), v);
        }
    }

    void texture(const OVpoly *p) {
        OVtexture *texture = poly_texture(p);
        unsigned list = texture ? tex::texture_list(texture) : 0;
        DrawCache &c = draw_cache();
        if (!list || list == c.texture_list) return;
        close();
        glCallList(list);
        c.texture_list = list;
        if (force_)
            for (float &f : c.color)
                f = -1;
    }

    int polygon(const OVpoly *p, int run_flags) {
        const int rflags = poly_render_flags(p);
        if (rflags & OVPOLYR_INVISIBLE) return 0;
        bool back = false;
        if (o_.immediate && !o_.outlines) {
            back = !front_facing(p);
            if (back && !(run_flags & DRAW_TWOSIDED)) return 0;
        }
        if (o_.outlines) return outline(p);
        if (flags_ & DRAW_TEXTURE) texture(p);
        const int corners = poly_corner_count(p), matid = poly_matid(p);
        const GLenum kind = corners == 3 ? GL_TRIANGLES : corners == 4 ? GL_QUADS : GL_POLYGON;
        prepare(kind);
        const bool textured = flags_ & DRAW_TEXTURE;
        tint_ = !textured || poly_texture_tinted(p);
        const float sign = back ? -1.0f : 1.0f;
        // Lighting and the sphere map both need the normals.
        const bool sphere_map = flags_ & DRAW_SPHEREMAP;
        const bool normals = (flags_ & DRAW_LIGHTING) || sphere_map;
        const bool vertex_normals =
            normals && (flags_ & DRAW_SMOOTH) && (rflags & OVPOLYR_VNORMALS);
        if (normals && !vertex_normals) {
            const float *n = poly_normal(p);
            normal(sign * n[0], sign * n[1], sign * n[2]);
        }
        begin(kind);
        // Inside the batch: under colour material, Mesa can miss a colour a
        // compiled list sends between batches and draw the list black.
        colour(matid);
        ++primitives_;
        bool per_vertex = tint_ && (rflags & OVPOLYR_VCOLORS);
        const std::span<OVvertex *const> ring = poly_corner_vertices(p);
        for (std::size_t k = 0; k < ring.size() && tint_ && !per_vertex; ++k)
            per_vertex = vertex_flags(ring[k]) & OVVERTEX_OWNMATID;
        const bool coordinates = textured && !sphere_map;
        for (int k = 0; k < static_cast<int>(ring.size()); ++k) {
            const OVvertex *v = ring[static_cast<std::size_t>(k)];
            if (per_vertex) colour(vertex_colour(v, matid));
            const float *n = vertex_normals ? vertex_normal(v) : nullptr;
            if (n) normal(sign * n[0], sign * n[1], sign * n[2]);
            float u, tv;
            if (coordinates && poly_corner_uv(p, k, &u, &tv)) glTexCoord2f(u, tv);
            glVertex3fv(vertex_position(v));
        }
        if (open_ == GL_POLYGON) close();
        return 1;
    }

    // Each edge once per polygon, in the colours of its ends.
    int outline(const OVpoly *p) {
        prepare(GL_LINES);
        begin(GL_LINES);
        ++primitives_;
        const int matid = poly_matid(p);
        const std::span<OVvertex *const> ring = poly_corner_vertices(p);
        for (std::size_t k = 0; k < ring.size(); ++k) {
            for (const OVvertex *v : {ring[k], ring[k + 1 < ring.size() ? k + 1 : 0]}) {
                colour(vertex_colour(v, matid));
                glVertex3fv(vertex_position(v));
            }
        }
        return 1;
    }
};

} // namespace

void entry_colour(const OVmtable *t, int matid, int mode, float out[4]) {
    out[0] = out[1] = out[2] = out[3] = 1;
    const float *e = t ? mtable_entry(t, matid) : nullptr;
    if (!e) return;
    const OVmtablecomponent *components = mtable_components(t);
    const bool diffuse = mtable_properties(t) & OVDIFFUSE;
    const OVmtablecomponent *pick = nullptr;
    for (int i = 0, n = mtable_component_count(t); i < n && !pick; ++i) {
        const OVmtablecomponent &c = components[i];
        bool colour = mode ? c.glparam == mode
                           : c.property == OVAMBIENTDIFFUSE || c.property == OVDIFFUSE ||
                                 (c.property == OVAMBIENT && !diffuse);
        if (colour) pick = &c;
    }
    if (!pick) return;
    std::memcpy(out, e + pick->offset, sizeof(float) * 3);
    if (pick->size == 4) out[3] = e[pick->offset + 3];
    if (const int opacity = mtable_opacity_offset(t); opacity >= 0) out[3] = e[opacity];
}

bool first_colour(OVgeometry *g, RunTable *table, int pass, const BatchOptions &options,
                  float out[4]) {
    if (options.outlines) return false;
    PolyRun *runs = table_runs(table);
    for (int r = 0; r < table->run_count; ++r) {
        const PolyRun &run = runs[r];
        if (((run.flags & DRAW_TRANSPARENT) != 0) != (pass == 1)) continue;
        const bool current_colour =
            (run.flags & DRAW_COLORMATERIAL) || !(run.flags & DRAW_LIGHTING);
        if (!current_colour || (run.flags & DRAW_TEXTURE) || run.count == 0) return false;
        const int mode = run.flags & DRAW_COLORMATERIAL ? table->color_material : 0;
        entry_colour(geometry_mtable(g), poly_matid(table_polys(table)[run.first]), mode, out);
        return true;
    }
    return false;
}

int draw_parts(const PassPart *parts, int count, int pass) {
    Batcher batcher;
    int drawn = 0;
    for (int i = 0; i < count; ++i) {
        RunTable *table = parts[i].table;
        batcher.use(parts[i]);
        PolyRun *runs = table_runs(table);
        OVpoly **polys = table_polys(table);
        for (int r = 0; r < table->run_count; ++r)
            if (((runs[r].flags & DRAW_TRANSPARENT) != 0) == (pass == 1))
                drawn += batcher.run(runs[r], polys);
    }
    return drawn;
}

int draw_runs(OVgeometry *g, RunTable *table, int pass, const BatchOptions &options) {
    const PassPart part{g, table, options};
    return draw_parts(&part, 1, pass);
}

} // namespace orv
