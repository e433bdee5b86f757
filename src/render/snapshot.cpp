// The last image a window showed, kept as RGBA rows from the bottom up.
#include "render/snapshot.h"

#include "orv/render.h"

#include <GL/gl.h>

#include <cstring>
#include <map>
#include <vector>

namespace orv {

namespace {
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
};
std::map<const OVwindow *, Image> images;
} // namespace

void snapshot_capture(const OVwindow *w) {
    Image &image = images[w];
    image.width = w->width;
    image.height = w->height;
    image.rgba.resize(static_cast<size_t>(w->width) * w->height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w->width, w->height, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
}

void snapshot_forget(const OVwindow *w) {
    images.erase(w);
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API int OVwindow_snapshot(OVwindow *window, int x, int y, int width, int height,
                              unsigned char *rgba) {
    if (!window_is_listed(window) || window->is_viewport || !rgba) return 0;
    // Compared without adding: x + width can pass the end of the int range.
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || width > window->width - x ||
        height > window->height - y)
        return 0;
    // The last image shown, not a new frame: none before the first frame, and
    // a window grown since its last frame has only its old image.
    auto it = images.find(window);
    if (it == images.end()) return 0;
    const Image &image = it->second;
    if (width > image.width - x || height > image.height - y) return 0;
    for (int row = 0; row < height; ++row)
        std::memcpy(rgba + static_cast<size_t>(row) * width * 4,
                    image.rgba.data() + (static_cast<size_t>(y + row) * image.width + x) * 4,
                    static_cast<size_t>(width) * 4);
    return 1;
}

} // extern "C"
