/* Orvane: drawing every window, the stereo gap, window snapshots. */
#ifndef ORV_RENDER_H
#define ORV_RENDER_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Draws every enabled window and swaps all their buffers. */
ORV_API void OVrender_frame(void);
/* Sets the pixels between the two half-images of the above/below stereo mode. */
ORV_API void OVrender_setstereogap(int pixels);
/* Pixels between the two half-images of the above/below stereo mode (18 at start). */
ORV_API int OVrender_getstereogap(void);
/* The window's last shown image in a rectangle (x, y from the bottom left) as
 * RGBA bytes, rows bottom-up; false for a rectangle outside the window. */
ORV_API int OVwindow_snapshot(OVwindow *window, int x, int y, int width, int height,
                              unsigned char *rgba);
/* Writes the window's last shown image as a PNG file. */
ORV_API int OVwindow_savepng(OVwindow *window, const char *path);
/* Writes 8-bit pixels with 3 (RGB) or 4 (RGBA) channels as a PNG file, rows
   given top-down or, with bottom_up, as OpenGL reads them; 1 on success. */
ORV_API int _OVpng_write(const char *path, int width, int height, int channels,
                         const unsigned char *pixels, int bottom_up);
/* Largest texture edge in texels (ORVMAXTEXSIZE, 1024 by default). */
ORV_API int _OVrender_getmaxtexsize(void);
/* Display lists compiled for geometries since the process started. */
ORV_API int _OVrender_compilecount(void);

ORV_EXTERN_C_END

#endif
