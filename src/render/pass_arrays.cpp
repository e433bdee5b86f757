// Building and drawing passes kept in vertex buffers.
#define GL_GLEXT_PROTOTYPES
#include "render/pass_arrays.h"

#include "geometry/mtable_access.h"
#include "orv/message.h"
#include "platform/platform.h"
#include "render/draw_state.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <new>
#include <span>
#include <vector>

namespace orv {

// Polygons of one kind drawn in one state and one colour: one glDrawArrays.
struct ArrayStretch {
    int flags;
    int color_material; // 0 without colour material
    float colour[4];
    GLenum kind;
    int first, count; // vertices
};

// Header, then the stretches, in one block.
struct PassArrays {
    unsigned buffer;   // 0 when nothing is drawn
    bool normal_array; // a normal follows each position; else one normal for all
    bool lit;          // some stretch is lit and needs the normals
    float normal[3];
    int polys;
    int stretch_count;
};

namespace {

using namespace geom;

constexpr int coordinates = 3;

int buffered = 0;
// What changes between the vertices of a batch, which one buffer cannot hold.
constexpr int unbufferable_flags = DRAW_TEXTURE | DRAW_SPHEREMAP;

ArrayStretch *stretches_of(PassArrays *a) {
    return reinterpret_cast<ArrayStretch *>(a + 1);
}

const ArrayStretch *stretches_of(const PassArrays *a) {
    return reinterpret_cast<const ArrayStretch *>(a + 1);
}

bool same_stretch(const ArrayStretch &s, int flags, int mode, const float colour[4], GLenum kind) {
    return s.flags == flags && s.color_material == mode && s.kind == kind &&
           std::memcmp(s.colour, colour, sizeof s.colour) == 0;
}

// The vertices, their normals and the stretches, as the batcher would send them.
class Gatherer {
  public:
    std::vector<float> positions, normals;
    std::vector<ArrayStretch> stretches;
    int polys = 0;
    bool lit = false;

    bool part(const PassPart &part, int pass) {
        if (part.options.outlines || part.options.immediate) return false;
        const OVmtable *table = geometry_mtable(part.geometry);
        const int mode = part.table->color_material;
        const PolyRun *runs = table_runs(part.table);
        OVpoly *const *polys = table_polys(part.table);
        for (int r = 0; r < part.table->run_count; ++r) {
            const PolyRun &run = runs[r];
            if (((run.flags & DRAW_TRANSPARENT) != 0) != (pass == 1)) continue;
            // Lit polygons without colour material carry whole materials.
            const bool materials = (run.flags & DRAW_LIGHTING) && !(run.flags & DRAW_COLORMATERIAL);
            if ((run.flags & unbufferable_flags) || materials) return false;
            const int run_mode = run.flags & DRAW_COLORMATERIAL ? mode : 0;
            for (int i = 0; i < run.count; ++i)
                if (!polygon(polys[run.first + i], run.flags, table, run_mode)) return false;
        }
        return true;
    }

  private:
    bool polygon(const OVpoly *p, int flags, const OVmtable *table, int mode) {
        const int rflags = poly_render_flags(p);
        if (rflags & OVPOLYR_INVISIBLE) return true;
        const int corners = poly_corner_count(p);
        if ((corners != 3 && corners != 4) || (rflags & OVPOLYR_VCOLORS)) return false;
        const std::span<OVvertex *const> ring = poly_corner_vertices(p);
        for (const OVvertex *v : ring)
            if (vertex_flags(v) & OVVERTEX_OWNMATID) return false;
        float colour[4];
        entry_colour(table, poly_matid(p), mode, colour);
        const GLenum kind = corners == 3 ? GL_TRIANGLES : GL_QUADS;
        const int first = static_cast<int>(positions.size() / coordinates);
        if (stretches.empty() || !same_stretch(stretches.back(), flags, mode, colour, kind)) {
            ArrayStretch s{flags, mode, {}, kind, first, 0};
            std::memcpy(s.colour, colour, sizeof s.colour);
            stretches.push_back(s);
        }
        const bool vertex_normals =
            (flags & DRAW_LIGHTING) && (flags & DRAW_SMOOTH) && (rflags & OVPOLYR_VNORMALS);
        for (const OVvertex *v : ring) {
            const float *n = vertex_normals ? vertex_normal(v) : poly_normal(p);
            if (!n) return false;
            const float *at = vertex_position(v);
            positions.insert(positions.end(), at, at + coordinates);
            normals.insert(normals.end(), n, n + coordinates);
        }
        stretches.back().count += corners;
        lit = lit || (flags & DRAW_LIGHTING);
        ++polys;
        return true;
    }
};

bool one_normal(const std::vector<float> &normals) {
    for (std::size_t i = coordinates; i < normals.size(); i += coordinates)
        if (std::memcmp(&normals[i], normals.data(), sizeof(float) * coordinates) != 0)
            return false;
    return true;
}

// Positions alone, or each followed by its normal.
std::vector<float> buffer_contents(const Gatherer &g, bool normal_array) {
    if (!normal_array) return g.positions;
    std::vector<float> data;
    data.reserve(g.positions.size() * 2);
    for (std::size_t i = 0; i < g.positions.size(); i += coordinates) {
        data.insert(data.end(), &g.positions[i], &g.positions[i] + coordinates);
        data.insert(data.end(), &g.normals[i], &g.normals[i] + coordinates);
    }
    return data;
}

// The buffer's name, or 0 when OpenGL has no memory for it.
unsigned upload(const std::vector<float> &data) {
    unsigned buffer = 0;
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (glGetError() == GL_NO_ERROR) return buffer;
    glDeleteBuffers(1, &buffer);
    return 0;
}

// The normal is sent only when it changes, as the batcher does.
void send_normal(const float n[3]) {
    DrawCache &c = draw_cache();
    if (c.normal_known && std::memcmp(c.normal, n, sizeof c.normal) == 0) return;
    glNormal3fv(n);
    std::memcpy(c.normal, n, sizeof c.normal);
    c.normal_known = true;
}

} // namespace

PassArrays *build_pass_arrays(const PassPart *parts, int count, int pass) {
    Gatherer g;
    for (int i = 0; i < count; ++i)
        if (!g.part(parts[i], pass)) return nullptr;
    const bool normal_array = g.lit && !one_normal(g.normals);
    unsigned buffer = 0;
    if (!g.stretches.empty()) {
        buffer = upload(buffer_contents(g, normal_array));
        if (!buffer) return nullptr;
    }
    const auto stretch_count = static_cast<int>(g.stretches.size());
    void *block = OVmalloc(sizeof(PassArrays) + sizeof(ArrayStretch) * g.stretches.size());
    auto *a =
        new (block) PassArrays{buffer, normal_array, g.lit, {0, 0, 1}, g.polys, stretch_count};
    if (g.lit && !normal_array) std::memcpy(a->normal, g.normals.data(), sizeof a->normal);
    std::memcpy(stretches_of(a), g.stretches.data(), sizeof(ArrayStretch) * g.stretches.size());
    ++buffered;
    return a;
}

int draw_pass_arrays(const PassArrays *a) {
    if (!a->buffer) return a->polys;
    DrawCache &c = draw_cache();
    const GLsizei stride =
        static_cast<GLsizei>(sizeof(float)) * coordinates * (a->normal_array ? 2 : 1);
    glBindBuffer(GL_ARRAY_BUFFER, a->buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(coordinates, GL_FLOAT, stride, nullptr);
    if (a->normal_array) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride,
                        reinterpret_cast<const void *>(sizeof(float) * coordinates));
    } else if (a->lit) {
        send_normal(a->normal);
    }
    const ArrayStretch *stretches = stretches_of(a);
    for (int i = 0; i < a->stretch_count; ++i) {
        const ArrayStretch &s = stretches[i];
        // The mode first: enabling colour material reads the colour into it.
        if (s.flags & DRAW_COLORMATERIAL) apply_color_material(s.color_material);
        apply_flags(s.flags);
        // Sent at the start even when the cache has it: a list may have left
        // the material behind.
        if (i == 0 || std::memcmp(c.color, s.colour, sizeof c.color) != 0) send_colour(s.colour);
        glDrawArrays(s.kind, s.first, s.count);
    }
    if (a->normal_array) {
        glDisableClientState(GL_NORMAL_ARRAY);
        c.normal_known = false; // undefined after drawing from a normal array
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    c.material = {}; // colour material may have written into it
    return a->polys;
}

int buffered_pass_count() {
    return buffered;
}

void release_pass_arrays(PassArrays *a) {
    if (!a) return;
    if (a->buffer && platform::current().context_exists()) glDeleteBuffers(1, &a->buffer);
    OVfree(a);
}

} // namespace orv
