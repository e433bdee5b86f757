// What the renderer asks of the texture store: the display list that binds a
// texture (0 while the texture is not loaded or no texture store exists).
#pragma once

extern "C" __attribute__((weak)) unsigned _OVtexture_getlist(void *texture);

namespace orv {

inline unsigned texture_list(void *texture) {
    return texture && _OVtexture_getlist ? _OVtexture_getlist(texture) : 0;
}

} // namespace orv
