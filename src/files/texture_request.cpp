#include "files/texture_request.h"

#include "orv/texture.h"
#include "geometry/geometry_access.h"
#include "orv/geometry.h"

#include <cmath>

namespace orv {

void set_texture_style(char letter, TextureRequest *tex) {
    char style = static_cast<char>(letter | 0x20); // either case
    tex->shaded = style == 's' || style == 'u';
    tex->transparent = style == 't' || style == 'u';
}

void VertexUVTable::reset(std::size_t count) {
    count_ = count;
    uv_.clear();
    numbers_.clear();
}

void VertexUVTable::set(const OVvertex *v, std::size_t number, float u, float v_coord) {
    if (number >= count_) return;
    if (uv_.empty()) uv_.assign(count_ * 2, 0.0f);
    uv_[number * 2] = u;
    uv_[number * 2 + 1] = v_coord;
    numbers_[v] = number;
}

bool VertexUVTable::get(const OVvertex *v, float *u, float *v_coord) const {
    auto it = numbers_.find(v);
    if (it == numbers_.end()) return false;
    *u = uv_[it->second * 2];
    *v_coord = uv_[it->second * 2 + 1];
    return true;
}

void apply_texture(OVpoly *p, const TextureRequest &tex, const VertexUVTable &uvs) {
    int n = OVpoly_numvertices(p);
    std::vector<float> u, v;
    for (const OVvertex *corner : geom::poly_corner_vertices(p)) {
        float cu, cv;
        if (!uvs.get(corner, &cu, &cv)) break;
        u.push_back(cu);
        v.push_back(cv);
    }
    if (static_cast<int>(u.size()) == n) {
        OVpoly_settextureuv(p, tex.name.c_str(), u.data(), v.data(), tex.shaded, tex.transparent);
    } else if (OVpoly_settexture(p, tex.name.c_str(), tex.shaded, tex.transparent)) {
        if (tex.mirror) OVpoly_mirrortexture(p);
        if (std::fabs(tex.rot) >= OV_TOLERANCE) OVpoly_rotatetexture(p, tex.rot);
        if (std::fabs(tex.scale - 1) >= OV_TOLERANCE) OVpoly_scaletexture(p, tex.scale);
        if (std::fabs(tex.trans[0]) >= OV_TOLERANCE || std::fabs(tex.trans[1]) >= OV_TOLERANCE)
            OVpoly_translatetexture(p, tex.trans);
    }
    if (tex.tint) OVpoly_settexturestyle(p, tex.shaded, tex.transparent, 1);
}

} // namespace orv
