// What the renderer does with the textures waiting for upload: the store
// decides what each needs, the renderer talks to OpenGL.
#pragma once

#include <cstdint>

namespace orv::tex {

struct UploadWork {
    bool remove = false; // delete the list and the texture object
    bool load = false;   // load the image and filters
    const std::uint8_t *pixels = nullptr;
    std::uint8_t *restore = nullptr; // pixels were released: read the image back into this
    int width = 0, height = 0;
    int mag_filter = 0, min_filter = 0;
    bool clamp_s = false, clamp_t = false, decal = false;
    unsigned list = 0;          // in and out: the binding list (0: allocate one)
    unsigned object = 0;        // in and out: this display's texture object
    bool out_of_memory = false; // out: OpenGL ran out of memory
};

using UploadFn = void (*)(UploadWork &work);

// Runs fn for every pending texture on one display; the last display
// finishes them: deleted textures are freed, the others leave the pending
// list and, with release_pixels, give up their own pixels.
void upload_pending(int display, bool last_display, bool release_pixels, UploadFn fn);

} // namespace orv::tex
