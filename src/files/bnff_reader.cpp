#include "files/bnff_reader.h"

#include "files/bnff_format.h"
#include "files/bnff_mtable.h"
#include "files/model_read_steps.h"
#include "files/polygon_attributes.h"
#include "geometry/geometry_access.h"
#include "geometry/geometry_builder.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/mtable.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

namespace orv {

namespace {

using namespace bnff;

// The fewest bytes a vertex (position and flags) and a polygon (corner
// count, material id, end tag) take: counts the rest of the file cannot
// hold are refused before anything is allocated.
constexpr std::size_t kMinVertexBytes = 13, kMinPolygonBytes = 9, kCornerBytes = 4;
// The records nearly every model is made of, decoded whole: a vertex with no
// flags, and a triangle (its corner count, three vertex numbers and a
// material id) with no attributes. The offsets are of their last fields.
constexpr std::size_t kPlainVertexBytes = kMinVertexBytes, kVertexFlagsAt = 12;
constexpr std::size_t kPlainTriangleBytes = 21, kTriangleMatidAt = 16, kTriangleEndAt = 20;
constexpr std::uint32_t kTriangleCorners = 3;

class BnffReader {
  public:
    BnffReader(std::FILE *f, const char *name, float scale, bool merge,
               std::vector<PortalRequest> *portals)
        : r_(f), name_(name ? name : ""), scale_(scale), merge_(merge), portals_(portals),
          sharing_(merge) {}

    OVgeomlist *read(OVpq *view);

  private:
    bool read_magic();
    void read_header(OVpq *view);
    OVgeometry *read_geometry();
    bool read_string(std::string *out);
    bool read_count(std::size_t min_bytes, std::uint32_t *n);
    bool read_plain_vertex(OVgeometry *g, std::uint32_t number);
    bool read_vertex(OVgeometry *g, std::uint32_t number);
    bool read_plain_triangle(OVgeometry *g);
    int read_polygon(OVgeometry *g); // 1 good, 0 ignored, -1 fail
    bool read_attributes(PolygonAttributes *a);
    void unexpected_end() { OVwarning("Unexpected end of binary NFF file %s\n", name_.c_str()); }

    Reader r_;
    std::string name_;
    float scale_;
    bool merge_;
    std::vector<PortalRequest> *portals_;
    TableSharing sharing_;
    std::vector<OVvertex *> vertices_;
    std::vector<OVvertex *> ring_; // the corners of the polygon being read
    VertexUVTable uvs_;
};

bool BnffReader::read_magic() {
    char magic[sizeof kMagic + 1] = {};
    for (std::size_t i = 0; i < sizeof kMagic; ++i) {
        std::uint8_t b;
        if (!r_.u8(&b)) {
            OVwarning("File %s has no data\n", name_.c_str());
            return false;
        }
        magic[i] = static_cast<char>(b);
    }
    if (std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
        OVwarning("File %s. '%s' is not the magic string ('%s')\n", name_.c_str(), magic, "bnff");
        return false;
    }
    return true;
}

// Header items up to tag 3 (left for the geometries); the end of the file
// ends the header too.
void BnffReader::read_header(OVpq *view) {
    float version;
    if (!r_.f32(&version)) return;
    for (std::uint8_t tag; r_.peek(&tag) && tag != kGeometry;) {
        r_.u8(&tag);
        if (tag == kViewPosition) {
            OVp3 p;
            if (!r_.floats(p, 3)) return;
            std::memcpy(view->p, p, sizeof p);
        } else if (tag == kViewDirection) {
            OVp3 d;
            if (!r_.floats(d, 3)) return;
            float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            if (len > 0 && std::isfinite(len)) {
                for (float &c : d)
                    c /= len;
                OVdir_2q(d, view->q);
            }
        }
    }
}

bool BnffReader::read_string(std::string *out) {
    bool too_long;
    if (r_.string(out, &too_long)) return true;
    if (too_long)
        OVwarning("A string in binary NFF file %s is longer than %d bytes\n", name_.c_str(),
                  static_cast<int>(kMaxString));
    else
        unexpected_end();
    return false;
}

bool BnffReader::read_count(std::size_t min_bytes, std::uint32_t *n) {
    if (!r_.u32(n)) {
        unexpected_end();
        return false;
    }
    if (*n > r_.remaining() / min_bytes) {
        OVwarning("Count %u in binary NFF file %s is more than the file holds\n", *n,
                  name_.c_str());
        return false;
    }
    return true;
}

// A vertex without flags taken whole; false, nothing taken, for any other.
bool BnffReader::read_plain_vertex(OVgeometry *g, std::uint32_t number) {
    const unsigned char *b = r_.ahead(kPlainVertexBytes);
    if (!b || b[kVertexFlagsAt] != 0) return false;
    OVp3 pos;
    for (int a = 0; a < 3; ++a)
        pos[a] = std::bit_cast<float>(load_u32(b + 4 * a)) * scale_;
    r_.skip(kPlainVertexBytes);
    vertices_[number] = geom::builder_vertex(g, pos);
    return true;
}

bool BnffReader::read_vertex(OVgeometry *g, std::uint32_t number) {
    if (read_plain_vertex(g, number)) return true;
    OVp3 pos;
    std::uint8_t flags;
    if (!r_.floats(pos, 3) || !r_.u8(&flags)) return false;
    for (float &c : pos)
        c *= scale_;
    OVvertex *v = geom::builder_vertex(g, pos);
    vertices_[number] = v;
    if (flags & kHasNormal) {
        OVp3 n;
        if (!r_.floats(n, 3)) return false;
        if (n[0] != 0 || n[1] != 0 || n[2] != 0) OVgeometry_setvertexnormal(g, v, n);
    }
    if (flags & kHasUV) {
        float uv[2];
        if (!r_.floats(uv, 2)) return false;
        uvs_.set(v, number, uv[0], uv[1]);
        geom::vertex_set_flag(v, OVVERTEX_HASUV, true);
    }
    if (flags & kHasColour) {
        std::uint8_t rgb[3];
        if (!r_.u8(&rgb[0]) || !r_.u8(&rgb[1]) || !r_.u8(&rgb[2])) return false;
        int id = OVmtable_matchcolor24(geom::geometry_mtable(g), unsigned{rgb[0]} << 16 |
                                                                     unsigned{rgb[1]} << 8 |
                                                                     unsigned{rgb[2]});
        if (id >= 0) OVgeometry_setvertexmatid(g, v, id);
    }
    return true;
}

bool BnffReader::read_attributes(PolygonAttributes *a) {
    TextureRequest *tex = &a->tex;
    for (std::uint8_t tag;;) {
        if (!r_.u8(&tag)) return false;
        std::string text;
        switch (tag) {
        case kPolyEnd:
            return true;
        case kTwoSided:
            a->both = true;
            break;
        case kTexture:
            if (!read_string(&text)) return false;
            if (text.size() >= 2) {
                set_texture_style(text[0], tex);
                tex->name = text.substr(2);
            }
            break;
        case kPortal:
            if (!read_string(&text)) return false;
            if (portals_ && !text.empty()) a->portals.push_back(std::move(text));
            break;
        case kRotation:
            if (!r_.f32(&tex->rot)) return false;
            break;
        case kScale:
            if (!r_.f32(&tex->scale)) return false;
            break;
        case kTranslation:
            if (!r_.floats(tex->trans, 2)) return false;
            break;
        case kMirrored:
            tex->mirror = true;
            break;
        case kTinted:
            tex->tint = true;
            break;
        case kPolygonId: {
            std::int32_t id;
            if (!r_.i32(&id)) return false;
            a->id = id;
            a->has_id = true;
            break;
        }
        default: // other bytes are skipped
            break;
        }
    }
}

// A sound triangle without attributes taken whole; false, nothing taken,
// for any other polygon, which read_polygon reads field by field with its
// messages.
bool BnffReader::read_plain_triangle(OVgeometry *g) {
    const unsigned char *b = r_.ahead(kPlainTriangleBytes);
    if (!b || load_u32(b) != kTriangleCorners || b[kTriangleEndAt] != kPolyEnd) return false;
    OVvertex *ring[kTriangleCorners];
    for (std::uint32_t i = 0; i < kTriangleCorners; ++i) {
        const std::uint32_t index = load_u32(b + kCornerBytes * (i + 1));
        if (index >= vertices_.size()) return false;
        ring[i] = vertices_[index];
    }
    const auto matid = static_cast<std::int32_t>(load_u32(b + kTriangleMatidAt));
    r_.skip(kPlainTriangleBytes);
    OVpoly *p = geom::builder_polygon(g, ring, kTriangleCorners);
    if (matid >= 0) geom::poly_set_matid(p, matid);
    return true;
}

int BnffReader::read_polygon(OVgeometry *g) {
    if (read_plain_triangle(g)) return 1;
    std::uint32_t n;
    if (!r_.u32(&n) || n > r_.remaining() / kCornerBytes) return -1;
    ring_.clear();
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint32_t index;
        if (!r_.u32(&index) || index >= vertices_.size()) return -1;
        ring_.push_back(vertices_[index]);
    }
    std::int32_t matid;
    PolygonAttributes a;
    if (!r_.i32(&matid) || !read_attributes(&a)) return -1;
    a.matid = matid;
    OVpoly *p = geom::builder_polygon(g, ring_.data(), static_cast<int>(n));
    if (!p) {
        OVwarning("problem with polygon.\n");
        return 0;
    }
    apply_polygon_attributes(p, a, uvs_, portals_);
    return 1;
}

OVgeometry *BnffReader::read_geometry() {
    std::string geometry_name;
    if (!read_string(&geometry_name)) return nullptr;
    OVmtable *table;
    if (!read_material_section(r_, name_.c_str(), &table)) return nullptr;
    OVgeometry *g = geom::builder_new(geometry_name.c_str());
    std::unique_ptr<OVgeometry, int (*)(OVgeometry *)> pending(g, OVgeometry_delete);
    if (table) OVgeometry_setmtable(g, table);
    std::uint32_t nvertices, npolys;
    if (!read_count(kMinVertexBytes, &nvertices)) return nullptr;
    vertices_.assign(nvertices, nullptr);
    uvs_.reset(nvertices);
    for (std::uint32_t i = 0; i < nvertices; ++i) {
        if (!read_vertex(g, i)) {
            unexpected_end();
            OVwarning("bff_scan_vertex returned null in function bff_scan_geometry. \n");
            return nullptr;
        }
    }
    if (!read_count(kMinPolygonBytes, &npolys)) return nullptr;
    int ignored = 0, good = 0;
    for (std::uint32_t i = 0; i < npolys; ++i) {
        int result = read_polygon(g);
        if (result < 0) {
            if (r_.at_end()) unexpected_end();
            OVwarning("bff_scan_polygon returned null in function bff_scan_geometry. \n");
            return nullptr;
        }
        (result ? good : ignored)++;
    }
    if (!report_polygon_counts(good, ignored)) return nullptr;
    sharing_.join(g);
    sharing_.remember(g);
    geom::builder_done(g, !uvs_.empty()); // only vertices with (u, v) carry the mark
    uvs_.reset(0);
    return pending.release();
}

OVgeomlist *BnffReader::read(OVpq *view) {
    if (!r_.ok()) {
        OVwarning("Not enough memory to read binary NFF file %s\n", name_.c_str());
        return nullptr;
    }
    if (!read_magic()) return nullptr;
    read_header(view);
    OVgeomlist *list = nullptr, **tail = &list; // appending at the tail keeps the file order
    for (std::uint8_t tag; r_.u8(&tag) && tag == kGeometry;) {
        OVgeometry *g = read_geometry();
        if (!g) break;
        tail = geom::builder_list_append(tail, g);
    }
    return finish_model_read(list, name_, merge_);
}

} // namespace

OVgeomlist *bnff_read(std::FILE *file, const char *name, OVpq *view, float scale, bool merge,
                      std::vector<PortalRequest> *portals) {
    BnffReader reader(file, name, scale, merge, portals);
    return reader.read(view);
}

} // namespace orv
