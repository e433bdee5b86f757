// What the geometry, the renderer, the writers and the start-up may ask of
// the texture store. The texture record stays inside the texture module.
#pragma once

#include "orv/texture.h"
#include "texture/texture_resize.h"

namespace orv::tex {

// The texture of that name, or null.
OVtexture *find(const char *name);
// The texture of that name, loaded with the default filters when it is not
// in the store, with one more use; null (the load's message printed) on failure.
OVtexture *acquire(const char *name);
// One use more or less; a texture left without uses is deleted at the next upload.
void add_use(OVtexture *t);
void release_use(OVtexture *t);

const char *texture_name(const OVtexture *t);
int texture_width(const OVtexture *t);
int texture_height(const OVtexture *t);
// The pixels of a texture whose application keeps them (OVtexture_replace),
// null for any other: such a texture has no image file a reader could load.
const unsigned char *kept_pixels(const OVtexture *t);
// The display list that binds the texture, 0 before its first upload.
unsigned texture_list(const OVtexture *t);

// The renderer's settings: ORVMAXTEXSIZE and ORVSQRTEX, and the default
// filters (1 and 1 with texture objects, 0 and 0 without).
void set_limits(int max_side, bool square);
void set_default_filters(int magnification, int minification);
// The current limits, alpha averaging (universe option 15) included.
TextureLimits current_limits();

// The image search along a named search list (the file module's), set at
// start-up; without it image names are only tried as given.
using ImageFinder = const char *(*)(const char *name, const char *listname);
void set_image_finder(ImageFinder find);

} // namespace orv::tex
