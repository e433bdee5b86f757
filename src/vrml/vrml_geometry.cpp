// A geometry as VRML: an Info line, Coordinate3, Normal, the material table
// and one indexed face set per class of polygons.
#include "vrml/vrml_geometry.h"

#include "orv/geometry.h"
#include "orv/mtable.h"
#include "orv/texture.h"
#include "vrml/vrml_texture.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::vrml {

namespace {

// Class bits of a polygon.
constexpr int has_vertex_normals = 1;
constexpr int has_vertex_colours = 2;
constexpr int two_sided = 4;
constexpr int textured = 8;
constexpr int class_count = 16;

struct Numbers {
    std::unordered_map<const OVvertex *, int> vertex;
    std::unordered_map<const OVpoly *, int> polygon_normal; // polygons without vertex normals
    std::unordered_map<const OVvertex *, int> vertex_normal;
};

bool vertex_colours(OVgeometry *g, OVpoly *p) {
    for (int i = 0, n = OVpoly_numvertices(p); i < n; ++i)
        if (OVgeometry_getvertexmatid(g, OVpoly_getvertex(p, i)) < 0) return false;
    return true;
}

// A textured polygon shows its own colour only when its texture is tinted.
bool uses_material(OVpoly *p) {
    OVtexinfo info;
    return !OVpoly_gettextureinfo(p, &info) || info.tint;
}

const char *texture_name(OVpoly *p) {
    OVtexinfo info;
    return OVpoly_gettextureinfo(p, &info) && info.name ? info.name : "";
}

int class_of(OVgeometry *g, OVpoly *p) {
    OVtexinfo info;
    const bool has_texture = OVpoly_gettextureinfo(p, &info);
    const bool own_colour = !has_texture || info.tint;
    return (OVpoly_hasvnormals(p) ? has_vertex_normals : 0) |
           (own_colour && vertex_colours(g, p) ? has_vertex_colours : 0) |
           (OVpoly_getbothsides(p) ? two_sided : 0) | (has_texture ? textured : 0);
}

// The Material node a geometry's face sets index: its table, with an
// all-white entry for textured polygons that show no colour of their own.
struct Materials {
    OVmtable *table = nullptr;
    bool written = false;
    bool append_white = false; // the table lacks one: appended in the file
    bool plain_white = false;  // only such polygons and no white entry
    int white = -1;            // the white entry's index
};

Materials plan_materials(OVgeometry *g) {
    Materials m;
    m.table = OVgeometry_getmtable(g);
    bool need_white = false, coloured = false;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        (uses_material(p) ? coloured : need_white) = true;
    if (!need_white) return m;
    if (m.table) m.white = white_entry(m.table);
    if (m.white >= 0) return m;
    if (m.table && coloured) {
        m.append_white = true;
        m.white = OVmtable_getnumentries(m.table);
    } else {
        m.plain_white = true;
        m.white = 0;
    }
    return m;
}

void write_materials(Output &out, Materials &m) {
    if (m.written) return;
    m.written = true;
    if (m.plain_white)
        out.line("Material {ambientColor [1 1 1] diffuseColor [1 1 1]}\n");
    else if (m.table)
        write_material_table(out, m.table, m.append_white);
}

void write_info(Output &out, OVgeometry *g) {
    const char *name = OVgeometry_getname(g);
    out.line("Info { string ");
    // An unnamed geometry reports "untitled".
    std::string text = " glom ";
    if (name && std::string_view(name) != "untitled") text += std::string("name ") + name;
    out.quoted(text);
    out.text(" }\n");
}

void write_coordinates(Output &out, OVgeometry *g, Numbers &numbers) {
    out.line("Coordinate3 { point [\n");
    ++out.level;
    int index = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        if (index) out.text(",\n");
        out.line("%f %f %f", p[0], p[1], p[2]);
        numbers.vertex[v] = index++;
    }
    if (index) out.text("\n");
    --out.level;
    out.line("]\n");
    out.line("}\n");
}

void write_normals(Output &out, OVgeometry *g, Numbers &numbers) {
    std::vector<std::array<float, 3>> normals;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        if (!OVpoly_hasvnormals(p)) {
            OVp3 n;
            OVpoly_getnormal(p, n);
            numbers.polygon_normal[p] = static_cast<int>(normals.size());
            normals.push_back({n[0], n[1], n[2]});
        }
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 n;
        if (!OVgeometry_getvertexnormal(g, v, n)) continue;
        numbers.vertex_normal[v] = static_cast<int>(normals.size());
        normals.push_back({n[0], n[1], n[2]});
    }
    if (normals.empty()) return;
    out.line("Normal { vector [\n");
    ++out.level;
    for (size_t i = 0; i < normals.size(); ++i) {
        if (i) out.text(",\n");
        out.line("%f %f %f", normals[i][0], normals[i][1], normals[i][2]);
    }
    out.text("\n");
    --out.level;
    out.line("]\n");
    out.line("}\n");
}

void write_bindings(Output &out, int previous, int current) {
    const int changed = previous ^ current;
    if (changed & has_vertex_normals)
        out.line("NormalBinding { value %s }\n",
                 current & has_vertex_normals ? "PER_VERTEX_INDEXED" : "PER_FACE_INDEXED");
    if (changed & has_vertex_colours)
        out.line("MaterialBinding { value %s }\n",
                 current & has_vertex_colours ? "PER_VERTEX_INDEXED" : "PER_FACE_INDEXED");
    if (changed & two_sided) {
        out.line("ShapeHints {vertexOrdering COUNTERCLOCKWISE\n");
        out.line("shapeType %s faceType CONVEX\n",
                 current & two_sided ? "UNKNOWN_SHAPE_TYPE" : "SOLID");
        out.line("creaseAngle 0}\n");
    }
}

// The form of one corner's number in an index list: coordinate, normal and
// material indices are followed by a blank, texture coordinate indices not.
constexpr const char *spaced_corner = "%d, ";
constexpr const char *packed_corner = "%d,";

// One index list: per polygon either one number per corner in the corner
// form, closed by "-1", or one number per polygon as "%2d".
template <typename PerCorner, typename PerPolygon>
void write_index(Output &out, const char *field, const std::vector<OVpoly *> &polys,
                 bool per_corner, PerCorner corner, PerPolygon polygon,
                 const char *corner_form = spaced_corner) {
    out.line("%s [\n", field);
    for (size_t i = 0; i < polys.size(); ++i) {
        OVpoly *p = polys[i];
        if (per_corner) {
            if (i) out.text(",\n");
            out.line("%s", "");
            for (int c = 0, n = OVpoly_numvertices(p); c < n; ++c)
                out.text(corner_form, corner(OVpoly_getvertex(p, c)));
            out.text("-1");
        } else if (i) {
            out.text(",%2d", polygon(p));
        } else {
            out.line("%2d", polygon(p));
        }
    }
    out.text("\n");
    out.line("]\n");
}

void write_face_set(Output &out, OVgeometry *g, const std::vector<OVpoly *> &polys, int bits,
                    const Numbers &numbers, int white) {
    out.line("IndexedFaceSet {\n");
    ++out.level;
    write_index(
        out, " coordIndex", polys, true, [&](OVvertex *v) { return numbers.vertex.at(v); },
        [](OVpoly *) { return 0; });
    write_index(
        out, " normalIndex", polys, bits & has_vertex_normals,
        [&](OVvertex *v) { return numbers.vertex_normal.at(v); },
        [&](OVpoly *p) { return numbers.polygon_normal.at(p); });
    write_index(
        out, " materialIndex", polys, bits & has_vertex_colours,
        [&](OVvertex *v) { return OVgeometry_getvertexmatid(g, v); },
        [white](OVpoly *p) { return uses_material(p) ? OVpoly_getmatid(p) : white; });
    if (bits & textured) {
        int next = 0; // the coordinates are numbered on through the face set
        write_index(
            out, "textureCoordIndex", polys, true, [&next](OVvertex *) { return next++; },
            [](OVpoly *) { return 0; }, packed_corner);
    }
    --out.level;
    out.line("}\n");
}

} // namespace

void write_geometry(Output &out, OVgeometry *g) {
    write_info(out, g);
    Numbers numbers;
    write_coordinates(out, g, numbers);
    write_normals(out, g, numbers);
    std::array<std::vector<OVpoly *>, class_count> classes;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        classes[class_of(g, p)].push_back(p);
    Materials materials = plan_materials(g);
    int previous = 0;
    for (int c = 0; c < class_count; ++c) {
        if (classes[c].empty()) continue;
        // Reverse of the list's newest-first order: creation order.
        std::vector<OVpoly *> remaining(classes[c].rbegin(), classes[c].rend());
        write_materials(out, materials);
        write_bindings(out, previous, c);
        previous = c;
        if (!(c & textured)) {
            write_face_set(out, g, remaining, c, numbers, materials.white);
            continue;
        }
        // Texture by texture, in the order their first polygons come.
        while (!remaining.empty()) {
            const std::string name = texture_name(remaining.front());
            std::vector<OVpoly *> same, rest;
            for (OVpoly *p : remaining)
                (name == texture_name(p) ? same : rest).push_back(p);
            write_texture(out, name.c_str());
            write_texture_coordinates(out, same);
            write_face_set(out, g, same, c, numbers, materials.white);
            remaining.swap(rest);
        }
    }
}

} // namespace orv::vrml
