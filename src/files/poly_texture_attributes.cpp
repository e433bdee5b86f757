// The texture attributes of a polygon as the writers store them.
#include "files/nff_write_model.h"

namespace orv {

// Bindings come only from the texturing calls, which are not built yet: until
// then no polygon carries a texture to write.
bool poly_texture(OVpoly *, PolyTexture *) {
    return false;
}

} // namespace orv
