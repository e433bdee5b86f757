// A geometry as the NFF writers walk it: vertices numbered in list order,
// polygons in creation order, the texture coordinates given to vertices, and
// the attributes of each polygon's texture binding.
#pragma once

#include "files/nff_writer.h"
#include "geometry/texture_vertices.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv {

// The style letter of a texture: "U" shaded and transparent, "T"
// transparent, "S" shaded, "V" neither.
char texture_style_letter(bool shaded, bool transparent);

// What the writers store of a polygon's texture binding.
struct PolyTexture {
    std::string name;
    char style = 'V';
    float rotation = 0, scale = 1, translation[2] = {0, 0};
    bool mirrored = false, tint = false;
};
// False when the polygon has no texture.
bool poly_texture(OVpoly *p, PolyTexture *out);

// Placement values worth writing: as the readers apply them.
bool rotation_written(float rotation);
bool scale_written(float scale);
bool translation_written(const float translation[2]);

// The 0xRRGGBB colour of a table entry with each channel rounded, so that a
// colour read back from a material file's six decimals keeps its bytes.
unsigned entry_colour24(OVmtable *table, int id);

// The portal target of p when the settings write portals, else null.
const char *written_portal_target(OVpoly *p, const NffWriteSettings &settings);

class WriteModel {
  public:
    // With texture_uv the vertices are given the polygons' texture
    // coordinates first (new vertices may be added to g).
    WriteModel(OVgeometry *g, bool texture_uv);
    // With texture_uv the reference positions are taken again.
    ~WriteModel();
    WriteModel(const WriteModel &) = delete;
    WriteModel &operator=(const WriteModel &) = delete;

    const std::vector<OVvertex *> &vertices() const { return vertices_; }
    const std::vector<OVpoly *> &polygons() const { return polygons_; }
    int number(const OVvertex *v) const { return numbers_.at(v); }
    // The vertex's texture coordinates, null when it carries none.
    const geom::VertexUV *uv(const OVvertex *v) const;
    // The corner vertices of p in ring order; warns about polygons of fewer
    // than 3 corners (written anyway), position counted from 0.
    std::vector<OVvertex *> corners(OVpoly *p, int position) const;

  private:
    OVgeometry *g_;
    bool texture_uv_;
    geom::VertexUVs uvs_;
    std::vector<OVvertex *> vertices_;
    std::vector<OVpoly *> polygons_;
    std::unordered_map<const OVvertex *, int> numbers_;
};

} // namespace orv
