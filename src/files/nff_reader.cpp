#include "files/nff_reader.h"

#include "core/tokenizer.h"
#include "files/model_read_steps.h"
#include "files/plain_line.h"
#include "files/polygon_attributes.h"
#include "geometry/geometry_access.h"
#include "geometry/geometry_builder.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "orv/texture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace orv {

namespace {

// The largest coordinate a model may have once scaled.
constexpr float kLargestCoordinate = 1e18f;

constexpr int kMinVertexLine = 6; // "0 0 0\n"

// Polygon lines of at most this many corners are read at once when plain
// (numbers and an optional colour); longer ones take the token calls.
constexpr int kQuickCorners = 16;

unsigned widen12(unsigned c) {
    unsigned r = (c >> 8) & 0xF, g = (c >> 4) & 0xF, b = c & 0xF;
    return (r * 0x11u) << 16 | (g * 0x11u) << 8 | (b * 0x11u);
}

class NffReader {
  public:
    NffReader(std::FILE *f, const char *name, float scale, bool merge,
              std::vector<PortalRequest> *portals)
        : tok_(f, name), name_(name ? name : ""), scale_(scale), merge_(merge), portals_(portals),
          sharing_(merge) {
        long here = std::ftell(f);
        std::fseek(f, 0, SEEK_END);
        size_ = std::ftell(f);
        std::fseek(f, here, SEEK_SET);
    }

    OVgeomlist *read(OVpq *view);

  private:
    bool read_header(OVpq *view, const char **first);
    OVgeometry *read_geometry(const char *geometry_name);
    bool read_name_line(OVgeometry *g);
    bool read_table_line(OVgeometry *g, bool *own_table);
    bool read_count(const char *label, int *n, long bytes_each);
    bool read_vertex(OVgeometry *g, int number);
    bool read_plain_vertex(OVgeometry *g, int number);
    OVvertex *add_vertex(OVgeometry *g, int number, const OVp3 pos);
    bool scale_coordinate(float *c);
    int read_polygon(OVgeometry *g); // 1 good, 0 ignored, -1 fail
    bool read_plain_polygon(OVgeometry *g);
    OVvertex *vertex_at(int index) const;
    bool read_poly_colour(OVgeometry *g, const char *t, PolygonAttributes *a);
    int colour_matid(OVgeometry *g, unsigned colour, std::size_t length);
    int table_colour(OVgeometry *g, unsigned colour24);
    bool read_poly_attribute(const char *t, PolygonAttributes *a);

    LineTokenizer tok_;
    std::string name_;
    float scale_;
    bool merge_;
    std::vector<PortalRequest> *portals_;
    long size_ = 0;
    float version_ = 1.01f;
    bool distinct_ = false;
    bool colours_dropped_ = false; // this geometry's colours met no table
    TableSharing sharing_;
    std::vector<OVvertex *> vertices_;
    std::vector<OVvertex *> ring_; // the corners of the polygon being read
    VertexUVTable uvs_;
};

bool NffReader::read_header(OVpq *view, const char **first) {
    while (const char *t = tok_.next()) {
        if (std::strcmp(t, "distinct") == 0) {
            distinct_ = true;
        } else if (std::strcmp(t, "viewpos") == 0) {
            for (float &c : view->p)
                if (!tok_.read_float_any("Vertex coordinate", &c)) return false;
        } else if (std::strcmp(t, "viewdir") == 0) {
            OVp3 d;
            for (float &c : d)
                if (!tok_.read_float_any("Viewdirection coordinate", &c)) return false;
            if (d[0] != 0 || d[1] != 0 || d[2] != 0) {
                float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                for (float &c : d)
                    c /= len;
                OVdir_2q(d, view->q);
            }
        } else if (std::strcmp(t, "version") == 0) {
            if (!tok_.read_float_any("Version", &version_)) return false;
        } else {
            *first = t;
            return true;
        }
    }
    return false;
}

bool NffReader::read_name_line(OVgeometry *) {
    while (const char *t = tok_.next_on_line()) {
        const char *eq = std::strchr(t, '=');
        if (!eq || eq == t || !eq[1] || std::strchr(eq + 1, '=')) {
            tok_.report("Geometry attribute unknown.\n");
            return false;
        }
    }
    return true;
}

bool NffReader::read_table_line(OVgeometry *g, bool *own_table) {
    const char *t = tok_.next_on_line();
    if (!t || std::strcmp(t, "mtable") != 0) {
        tok_.push_back();
        return true;
    }
    std::string table_name = (t = tok_.next_on_line()) ? t : "";
    OVmtable *table = OVuniverse_findmtable(table_name.c_str());
    if (!table && !table_name.empty()) table = OVmtable_load(table_name.c_str());
    if (table) {
        OVgeometry_setmtable(g, table);
        *own_table = true;
    } else if (!geom::geometry_mtable(g)) {
        OVwarning("Couldn't load mtable '%s' for geometry '%s' in file '%s'.\n", table_name.c_str(),
                  OVgeometry_getname(g), name_.c_str());
    }
    return tok_.skip_line();
}

bool NffReader::read_count(const char *label, int *n, long bytes_each) {
    if (!tok_.read_int(label, n)) return false;
    // A count the rest of the file cannot hold is refused before allocating.
    long left = size_ - tok_.position();
    if (*n < 0 || (bytes_each > 0 && *n > left / bytes_each + 1)) {
        tok_.report("%s invalid.\n", label);
        return false;
    }
    return true;
}

// Scales a coordinate; false when it is too large. Extents, squared
// distances and their sums must stay finite.
bool NffReader::scale_coordinate(float *c) {
    *c *= scale_;
    return std::fabs(*c) <= kLargestCoordinate;
}

OVvertex *NffReader::add_vertex(OVgeometry *g, int number, const OVp3 pos) {
    OVvertex *v = geom::builder_vertex(g, pos);
    vertices_[static_cast<std::size_t>(number)] = v;
    return v;
}

// A line of three good coordinates and nothing else, taken at once; false
// leaves the line to the token calls, which report what is wrong with it.
bool NffReader::read_plain_vertex(OVgeometry *g, int number) {
    const char *limit;
    const char *begin = tok_.buffered(&limit);
    if (!begin) return false;
    PlainLine line(begin, limit);
    OVp3 pos;
    for (float &c : pos)
        if (!line.number(&c) || !scale_coordinate(&c)) return false;
    if (!line.at_end()) return false;
    tok_.take_plain_line(line.end());
    add_vertex(g, number, pos);
    return true;
}

bool NffReader::read_vertex(OVgeometry *g, int number) {
    if (read_plain_vertex(g, number)) return true;
    if (!tok_.skip_line()) {
        OVwarning("%s missing.\n", "Vertex coordinate");
        return false;
    }
    OVp3 pos;
    for (float &c : pos) {
        if (!tok_.read_float("Vertex coordinate", &c)) return false;
        if (!scale_coordinate(&c)) {
            tok_.report("%s invalid.\n", "Vertex coordinate");
            return false;
        }
    }
    OVvertex *v = add_vertex(g, number, pos);
    while (const char *t = tok_.next_on_line()) {
        if (std::strcmp(t, "N") == 0) {
            geom::vertex_set_flag(v, OVVERTEX_SMOOTH, true);
        } else if (std::strcmp(t, "uv") == 0) {
            float uv[2];
            if (!tok_.read_float("Vertex uv", &uv[0]) || !tok_.read_float("Vertex uv", &uv[1]))
                continue;
            uvs_.set(v, static_cast<std::size_t>(number), uv[0], uv[1]);
            geom::vertex_set_flag(v, OVVERTEX_HASUV, true);
        } else if (std::strcmp(t, "rgb") == 0) {
            if (version_ >= 3.0f) {
                OVwarning("nff file format v3.0 does not allow rgb \t\t\t\t\t\t\t\tcolors for "
                          "vertices\n");
                return false;
            }
            unsigned c;
            const char *text;
            if (!tok_.read_color("Vertex color", &c, &text)) return false;
            int id = table_colour(g, std::strlen(text) == 8 ? c : widen12(c));
            if (id >= 0) OVgeometry_setvertexmatid(g, v, id);
        } else if (std::strcmp(t, "matid") == 0) {
            int id;
            if (!tok_.read_int("Material index", &id)) return false;
            if (id < 0)
                OVwarning("negative material index parsed from nff file\n");
            else
                OVgeometry_setvertexmatid(g, v, id);
        } else if (version_ < 2.0f || std::strcmp(t, "norm") == 0) {
            if (version_ < 2.0f) tok_.push_back();
            OVp3 n;
            if (!tok_.read_float("Vertex normal", &n[0]) ||
                !tok_.read_float("Vertex normal", &n[1]) ||
                !tok_.read_float("Vertex normal", &n[2]))
                continue;
            if (n[0] != 0 || n[1] != 0 || n[2] != 0) OVgeometry_setvertexnormal(g, v, n);
        }
    }
    return true;
}

bool NffReader::read_poly_colour(OVgeometry *g, const char *t, PolygonAttributes *a) {
    if (std::strcmp(t, "matid") == 0) {
        int id;
        if (!tok_.read_int("Material index", &id)) return false;
        if (id < 0)
            OVwarning("negative material index parsed from nff file\n");
        else
            a->matid = id;
        return true;
    }
    unsigned c;
    if (!parse_hex(t, &c)) {
        tok_.report("%s invalid.\n", "Polygon color");
        return false;
    }
    a->matid = colour_matid(g, c, std::strlen(t));
    return true;
}

// The material id of a colour token, found or added in the geometry's table;
// a token of 5 characters (0xF80) is 12-bit, any other 24-bit.
int NffReader::colour_matid(OVgeometry *g, unsigned colour, std::size_t length) {
    return table_colour(g, length == 5 ? widen12(colour) : colour);
}

// The material id of a 24-bit colour in the geometry's table. A geometry
// without a table cannot keep colours: said once, not dropped silently.
int NffReader::table_colour(OVgeometry *g, unsigned colour24) {
    OVmtable *table = geom::geometry_mtable(g);
    if (!table) {
        if (!colours_dropped_)
            OVwarning("Geometry '%s' in file '%s' has no material table: its colors are "
                      "ignored.\n",
                      OVgeometry_getname(g), name_.c_str());
        colours_dropped_ = true;
        return -1;
    }
    return OVmtable_matchcolor24(table, colour24);
}

// False when the geometry fails.
bool NffReader::read_poly_attribute(const char *t, PolygonAttributes *a) {
    auto plain_float = [this]() {
        float f = 0;
        parse_float(tok_.next_on_line(), &f);
        return f;
    };
    TextureRequest *tex = &a->tex;
    if (std::strcmp(t, "both") == 0) {
        a->both = true;
    } else if (std::strcmp(t, "tint") == 0) {
        tex->tint = true;
    } else if (std::strcmp(t, "rot") == 0) {
        tex->rot = plain_float();
    } else if (std::strcmp(t, "scale") == 0) {
        tex->scale = plain_float();
    } else if (std::strcmp(t, "trans") == 0) {
        tex->trans[0] = plain_float();
        tex->trans[1] = plain_float();
    } else if (std::strcmp(t, "mirror") == 0) {
        tex->mirror = true;
    } else if (t[0] == '_' && t[1] && t[2]) {
        set_texture_style(t[1], tex);
        tex->name = t + 3;
    } else if (t[0] == '-' && t[1]) {
        if (portals_) a->portals.emplace_back(t + 1);
    } else if (const char *eq = std::strchr(t, '=')) {
        if (eq == t || !eq[1] || std::strchr(eq + 1, '=')) {
            tok_.report("Polygon attribute unknown.\n");
            return false;
        }
        if (std::string(t, eq) != "id") {
            tok_.report("Polygon assignment unknown.\n");
            return false;
        }
        if (!parse_int(eq + 1, &a->id)) {
            tok_.report("ID number invalid.\n");
            return false;
        }
        a->has_id = true;
    }
    return true;
}

// The vertex a vertex number names, or null when it is no good number.
OVvertex *NffReader::vertex_at(int index) const {
    if (index < 0 || index >= static_cast<int>(vertices_.size())) return nullptr;
    return vertices_[static_cast<std::size_t>(index)];
}

// A line of a corner count of 3 to kQuickCorners, that many good vertex
// numbers and at most a hexadecimal colour, taken at once; false leaves the
// line to the token calls, which report what is wrong with it.
bool NffReader::read_plain_polygon(OVgeometry *g) {
    const char *limit;
    const char *begin = tok_.buffered(&limit);
    if (!begin) return false;
    PlainLine line(begin, limit);
    int n;
    if (!line.integer(&n) || n < 3 || n > kQuickCorners) return false;
    OVvertex *ring[kQuickCorners];
    for (int i = 0; i < n; ++i) {
        int index;
        if (!line.integer(&index) || !(ring[i] = vertex_at(index))) return false;
    }
    unsigned colour = 0;
    std::size_t length = 0;
    bool coloured = !line.at_end();
    if (coloured && (!line.colour(&colour, &length) || !line.at_end())) return false;
    tok_.take_plain_line(line.end());
    OVpoly *p = geom::builder_polygon(g, ring, n); // 3 to kQuickCorners corners: made
    if (coloured) {
        int id = colour_matid(g, colour, length);
        if (id >= 0) geom::poly_set_matid(p, id);
    }
    return true;
}

int NffReader::read_polygon(OVgeometry *g) {
    if (read_plain_polygon(g)) return 1;
    if (!tok_.skip_line()) {
        OVwarning("%s missing.\n", "Number of vertices");
        return -1;
    }
    int n;
    if (!tok_.read_int("Number of vertices", &n)) return -1;
    if (n <= 0) {
        tok_.report("This polygon does not have any vertices.\n");
        return -1;
    }
    if (n < 3) {
        tok_.report("A polygon cannot have fewer than 3 vertices.\n");
        return 0;
    }
    ring_.clear();
    for (int i = 0; i < n; ++i) {
        int index;
        if (!tok_.read_int("Vertex index", &index)) return -1;
        OVvertex *v = vertex_at(index);
        if (!v) {
            tok_.report("%s invalid.\n", "Vertex index");
            return -1;
        }
        ring_.push_back(v);
    }
    PolygonAttributes a;
    if (const char *t = tok_.next_on_line()) {
        if (!read_poly_colour(g, t, &a)) return -1;
        while ((t = tok_.next_on_line()))
            if (!read_poly_attribute(t, &a)) return -1;
    }
    OVpoly *p = geom::builder_polygon(g, ring_.data(), n);
    if (!p) {
        tok_.report("Problem is with this polygon.\n");
        return 0;
    }
    apply_polygon_attributes(p, a, uvs_, portals_);
    return 1;
}

OVgeometry *NffReader::read_geometry(const char *geometry_name) {
    OVgeometry *g = geom::builder_new(geometry_name);
    colours_dropped_ = false;
    std::unique_ptr<OVgeometry, int (*)(OVgeometry *)> pending(g, OVgeometry_delete);
    if (!read_name_line(g)) return nullptr;
    if (version_ < 2.99f) {
        OVmtable *table = sharing_.shared();
        if (!table) table = OVmtable_new(OVAMBIENTDIFFUSE, 10, nullptr);
        OVgeometry_setmtable(g, table);
    }
    bool own_table = false;
    int nvertices = 0, npolys = 0;
    if (!tok_.skip_line() || !read_table_line(g, &own_table)) {
        OVwarning("%s missing.\n", "Number of vertices");
        return nullptr;
    }
    if (!read_count("Number of vertices", &nvertices, kMinVertexLine)) return nullptr;
    vertices_.assign(static_cast<std::size_t>(nvertices), nullptr);
    uvs_.reset(static_cast<std::size_t>(nvertices));
    for (int i = 0; i < nvertices; ++i)
        if (!read_vertex(g, i)) return nullptr;
    if (!tok_.skip_line()) {
        OVwarning("%s missing.\n", "Number of polygons");
        return nullptr;
    }
    if (!read_count("Number of polygons", &npolys, 0)) return nullptr;
    int ignored = 0, good = 0;
    for (int i = 0; i < npolys; ++i) {
        int r = read_polygon(g);
        if (r < 0) return nullptr;
        (r ? good : ignored)++;
    }
    if (!report_polygon_counts(good, ignored)) return nullptr;
    if (own_table) sharing_.join(g);
    sharing_.remember(g);
    geom::builder_done(g, !uvs_.empty()); // only vertices with (u, v) carry the mark
    uvs_.reset(0);
    return pending.release();
}

OVgeomlist *NffReader::read(OVpq *view) {
    const char *magic = tok_.next();
    if (!magic) {
        OVwarning("File %s has no data\n", name_.c_str());
        return nullptr;
    }
    if (std::strcmp(magic, "nff") != 0 && std::strcmp(magic, "zq") != 0) {
        OVwarning("File %s. '%s' is not the magic string ('%s')\n", name_.c_str(), magic, "nff");
        return nullptr;
    }
    const char *first = nullptr;
    if (!read_header(view, &first)) return nullptr;
    // Appended at the tail: walking the list for each would be quadratic.
    OVgeomlist *list = nullptr, **tail = &list;
    for (std::string geometry_name = first;;) {
        OVgeometry *g = read_geometry(geometry_name.c_str());
        if (!g) break;
        tail = geom::builder_list_append(tail, g);
        if (!tok_.skip_line()) break;
        const char *t = tok_.next_on_line();
        if (!t) break;
        geometry_name = t;
    }
    return finish_model_read(list, name_, merge_ && !distinct_);
}

} // namespace

OVgeomlist *nff_read(std::FILE *file, const char *name, OVpq *view, float scale, bool merge,
                     std::vector<PortalRequest> *portals) {
    NffReader reader(file, name, scale, merge, portals);
    return reader.read(view);
}

} // namespace orv
