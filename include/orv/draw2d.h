/* Orvane: 2D overlays drawn from a window's 2D draw function: bitmap-font
 * text, points, lines, rectangles, circles and textured quadrilaterals.
 * Coordinates are in the viewport's unit square, (0, 0) one corner and (1, 1)
 * the opposite one.
 * Every call does nothing outside the window's 2D draw function or on a
 * window that is not in the universe's list. */
#ifndef ORV_DRAW2D_H
#define ORV_DRAW2D_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* The colour of the following 2D drawing, each component 0 to 255. */
ORV_API void OVwindow_set2dcolor(OVwindow *window, int r, int g, int b);
/* Point size in pixels. */
ORV_API void OVwindow_set2dpointsize(OVwindow *window, float size);
/* Line width in pixels. */
ORV_API void OVwindow_set2dlinewidth(OVwindow *window, float width);
/* A 16-bit stipple pattern; -1 (all bits set) switches stippling off. */
ORV_API void OVwindow_set2dlinestyle(OVwindow *window, int pattern);
/* One point. */
ORV_API void OVwindow_draw2dpoint(OVwindow *window, float x, float y);
/* One line segment. */
ORV_API void OVwindow_draw2dline(OVwindow *window, float x1, float y1, float x2, float y2);
/* A solid rectangle, or the closed outline through its four corners. */
ORV_API void OVwindow_draw2drectangle(OVwindow *window, float x1, float y1, float x2, float y2,
                                      int filled);
/* A circle round on the screen; nothing for a radius that is not positive. */
ORV_API void OVwindow_draw2dcircle(OVwindow *window, float x, float y, float radius, int filled);
/* A quadrilateral showing the named loaded texture: corners holds x, y for each
   of the four corners in order and texcoords the u, v of each; with alphatest,
   texels whose alpha is not above the alpha-test reference (ORVALPHATEST / 256)
   are left out. Nothing when no texture of that name is loaded. */
ORV_API void OVwindow_draw2dtexture(OVwindow *window, const char *name, int alphatest,
                                    const float *corners, const float *texcoords);
/* Makes font index current; an index outside the loaded fonts changes nothing. */
ORV_API void OVwindow_set2dfont(OVwindow *window, int index);
/* Size of the text in the current font, in the viewport's unit square. */
ORV_API void OVwindow_get2dtextextents(OVwindow *window, const char *text, float *width,
                                       float *height);
/* Draws the text with the current font, its baseline starting at (x, y). */
ORV_API void OVwindow_draw2dtext(OVwindow *window, float x, float y, const char *text);
/* The number of 2D fonts loaded (0 before the renderer starts). */
ORV_API int OVwindow_get2dfontcount(void);

ORV_EXTERN_C_END

#endif
