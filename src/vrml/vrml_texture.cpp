#include "vrml/vrml_texture.h"

#include "orv/geometry.h"
#include "orv/texture.h"
#include "texture/texture_access.h"

namespace orv::vrml {

namespace {

constexpr int rgba_components = 4;

void write_image(Output &out, const unsigned char *pixels, int width, int height) {
    out.text(" wrapS REPEAT wrapT REPEAT image %d %d %d\n", width, height, rgba_components);
    ++out.level;
    // Rows in memory order: the first row is where v is 0, as in the renderer.
    for (int y = 0; y < height; ++y) {
        out.line("%s", "");
        for (int x = 0; x < width; ++x) {
            const unsigned char *px = pixels + (static_cast<long>(y) * width + x) * rgba_components;
            out.text(" 0x%02x%02x%02x%02x", px[0], px[1], px[2], px[3]);
        }
        out.text("\n");
    }
    --out.level;
    out.line("}\n");
}

} // namespace

void write_texture(Output &out, const char *name) {
    const OVtexture *t = tex::find(name);
    out.line("Texture2 {");
    if (const unsigned char *pixels = tex::kept_pixels(t)) {
        write_image(out, pixels, tex::texture_width(t), tex::texture_height(t));
        return;
    }
    out.text("filename ");
    out.quoted(name ? name : "");
    out.text(" wrapS REPEAT wrapT REPEAT}\n");
}

void write_texture_coordinates(Output &out, const std::vector<OVpoly *> &polys) {
    out.line("TextureCoordinate2 { point [\n");
    ++out.level;
    std::vector<float> u, v;
    for (OVpoly *p : polys) {
        const int pairs = _OVpoly_numuv(p), corners = OVpoly_numvertices(p);
        u.assign(static_cast<std::size_t>(pairs > 0 ? pairs : 0), 0.0f);
        v.assign(u.size(), 0.0f);
        OVpoly_getuv(p, u.data(), v.data());
        for (int c = 0; c < corners; ++c) {
            const bool have = c < pairs;
            out.line("%f %f,\n", have ? u[static_cast<std::size_t>(c)] : 0.0f,
                     have ? v[static_cast<std::size_t>(c)] : 0.0f);
        }
    }
    --out.level;
    out.line("]}\n");
}

} // namespace orv::vrml
