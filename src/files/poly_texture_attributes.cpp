// The texture attributes of a polygon as the writers store them.
#include "files/nff_write_model.h"

#include "orv/texture.h"

namespace orv {

bool poly_texture(OVpoly *p, PolyTexture *out) {
    OVtexinfo info;
    if (!OVpoly_gettextureinfo(p, &info)) return false;
    out->name = info.name ? info.name : "";
    out->style = texture_style_letter(info.shaded, info.transparent);
    out->rotation = info.rotation;
    out->scale = info.scale;
    out->translation[0] = info.translation[0];
    out->translation[1] = info.translation[1];
    out->mirrored = info.mirrored != 0;
    out->tint = info.tint != 0;
    return true;
}

} // namespace orv
