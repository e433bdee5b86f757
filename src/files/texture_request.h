// Texture attributes of a polygon as the model readers gather them, and
// their application once the polygon is closed.
#pragma once

#include "orv/orv_base.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv {

struct TextureRequest {
    std::string name;
    bool shaded = false, transparent = false, tint = false, mirror = false;
    float rot = 0, scale = 1, trans[2] = {0, 0};
};

// The style letter of a texture attribute: s shaded, t transparent, u both
// (either case); any other letter neither.
void set_texture_style(char letter, TextureRequest *tex);

// The texture coordinates a file gives its vertices, by vertex number.
class VertexUVTable {
  public:
    // Forgets every pair; a geometry of count vertices follows.
    void reset(std::size_t count);
    void set(const OVvertex *v, std::size_t number, float u, float v_coord);
    bool get(const OVvertex *v, float *u, float *v_coord) const;
    bool empty() const { return numbers_.empty(); }

  private:
    std::size_t count_ = 0;
    std::vector<float> uv_; // (u, v) by vertex number, empty until the first pair
    std::unordered_map<const OVvertex *, std::size_t> numbers_;
};

// Textures the closed polygon: with the vertices' coordinates when every
// corner has a pair, else with the default mapping moved as requested; then
// the tint.
void apply_texture(OVpoly *p, const TextureRequest &tex, const VertexUVTable &uvs);

} // namespace orv
