// Usage: orv-xshot out.png   (display from $DISPLAY)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>
#include <vector>

namespace {

int channel_shift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

bool write_png(const char *path, int width, int height, const std::vector<unsigned char> &rgb) {
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
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv-xshot out.png\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "orv-xshot: cannot open display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XWindowAttributes attrs;
    XGetWindowAttributes(display, root, &attrs);
    XImage *image = XGetImage(display, root, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "orv-xshot: cannot read the screen\n");
        return 1;
    }
    const int rs = channel_shift(image->red_mask), gs = channel_shift(image->green_mask),
              bs = channel_shift(image->blue_mask);
    std::vector<unsigned char> rgb(static_cast<size_t>(attrs.width) * attrs.height * 3);
    for (int y = 0; y < attrs.height; ++y)
        for (int x = 0; x < attrs.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            unsigned char *out = &rgb[(static_cast<size_t>(y) * attrs.width + x) * 3];
            out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> rs);
            out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> gs);
            out[2] = static_cast<unsigned char>((pixel & image->blue_mask) >> bs);
        }
    XDestroyImage(image);
    XCloseDisplay(display);
    if (!write_png(argv[1], attrs.width, attrs.height, rgb)) {
        std::fprintf(stderr, "orv-xshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
