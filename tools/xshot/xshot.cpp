// Usage: orv-xshot out.png   (display from $DISPLAY)
#include "orv/render.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
    if (!_OVpng_write(argv[1], attrs.width, attrs.height, 3, rgb.data(), 0)) {
        std::fprintf(stderr, "orv-xshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
