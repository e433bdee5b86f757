// The store's lists, shared by the files of the texture module.
#pragma once

#include "texture/texture_record.h"

namespace orv::tex {

OVtexture *store_first();
OVtexture *pending_first();
// Takes t out of the pending list (it stays in the store).
void leave_pending(OVtexture *t);
// A new texture with the default filters, queued for upload; the pixels
// become the texture's unless caller_pixels.
OVtexture *create(const char *name, unsigned char *pixels, int width, int height,
                  bool caller_pixels);
// Sets state bits and puts t in the pending list when it is not there.
void queue(OVtexture *t, std::uint8_t bits);
// New pixels (the old ones freed unless the caller's), queued for upload.
void replace_pixels(OVtexture *t, unsigned char *pixels, int width, int height, bool caller_pixels);
// Frees the pixels unless they are the caller's.
void free_pixels(OVtexture *t);
// Unlinks t from the store (and the pending list) and frees it.
void destroy(OVtexture *t);
int default_magnification();
int default_minification();

} // namespace orv::tex
