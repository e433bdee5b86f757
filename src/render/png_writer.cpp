// Writing a window's last image as a PNG file.
#include "orv/render.h"
#include "render/window_internal.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {
bool write_png(const char *path, int width, int height, const std::vector<unsigned char> &rgba) {
    FILE *out = std::fopen(path, "wb");
    if (!out) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // OpenGL rows run bottom-up, PNG rows top-down.
    for (int y = height - 1; y >= 0; --y)
        png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}
} // namespace

extern "C" {

ORV_API int OVwindow_savepng(OVwindow *window, const char *path) {
    if (!orv::window_is_listed(window) || !path || window->width <= 0 || window->height <= 0)
        return 0;
    std::vector<unsigned char> rgba(static_cast<size_t>(window->width) * window->height * 4);
    if (!OVwindow_snapshot(window, 0, 0, window->width, window->height, rgba.data())) return 0;
    return write_png(path, window->width, window->height, rgba) ? 1 : 0;
}

} // extern "C"
