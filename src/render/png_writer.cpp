// Writing images as PNG files: a window's last image, and any pixel rows the
// toolkit's tools hand over.
#include "orv/render.h"
#include "render/window_internal.h"

#include <png.h>

#include <cstdio>
#include <vector>

extern "C" {

ORV_API int _OVpng_write(const char *path, int width, int height, int channels,
                         const unsigned char *pixels, int bottom_up) {
    if (!path || !pixels || width <= 0 || height <= 0 || (channels != 3 && channels != 4)) return 0;
    FILE *out = std::fopen(path, "wb");
    if (!out) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return 0;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, width, height, 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * channels;
    for (int row = 0; row < height; ++row) {
        int y = bottom_up ? height - 1 - row : row;
        png_write_row(png, const_cast<png_bytep>(pixels + static_cast<size_t>(y) * stride));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0 ? 1 : 0;
}

ORV_API int OVwindow_savepng(OVwindow *window, const char *path) {
    if (!orv::window_is_listed(window) || !path || window->width <= 0 || window->height <= 0)
        return 0;
    std::vector<unsigned char> rgba(static_cast<size_t>(window->width) * window->height * 4);
    if (!OVwindow_snapshot(window, 0, 0, window->width, window->height, rgba.data())) return 0;
    return _OVpng_write(path, window->width, window->height, 4, rgba.data(), 1);
}

} // extern "C"
