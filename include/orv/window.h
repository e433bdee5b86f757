/* Orvane: windows showing a viewpoint's view of a scene. */
#ifndef ORV_WINDOW_H
#define ORV_WINDOW_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Application drawing called after the scene of each eye (eye 0 left, 1 right). */
typedef void (*OVwindowdrawfn)(OVwindow *window, int eye);

/* Creation flags of OVwindow_new and OVwindow_newuser. */
enum {
    OVWINDOW_BORDERLESS = 0x0001,
    OVWINDOW_DISPLAYINDEX = 0x0002, /* bits 4..7 hold the display index */
    OVWINDOW_STEREO = 0x0004,
    OVWINDOW_COLORSTEREO = 0x0100,
    OVWINDOW_NOSTEREOBUFFERS = 0x0200,
    OVWINDOW_INTERLACED = 0x7000
};

/* A new window with its client area at (x, y); null at the window limit. */
ORV_API OVwindow *OVwindow_new(int x, int y, int width, int height, int flags);
/* A window on a native window the application made (an X11 window id). */
ORV_API OVwindow *OVwindow_newuser(uintptr_t native, int flags);
/* A window drawing into a rectangle of its parent (x, y from the top left). */
ORV_API OVwindow *OVwindow_newviewport(OVwindow *parent, int x, int y, int width, int height);
/* Deletes the window; unknown windows are ignored. */
ORV_API void OVwindow_delete(OVwindow *window);
/* The next window in the universe's list. */
ORV_API OVwindow *OVwindow_next(const OVwindow *window);
/* First window whose name matches in its first length characters. */
ORV_API OVwindow *OVuniverse_findwindow(const char *name, int length);
/* First window whose client area contains the screen point. */
ORV_API OVwindow *OVwindow_findat(const OVp2 point);
/* The native window handle. */
ORV_API uintptr_t OVwindow_getidx(const OVwindow *window);

/* Name, user data and the has-event-handlers flag. */
ORV_API void OVwindow_setname(OVwindow *window, const char *name);
ORV_API const char *OVwindow_getname(const OVwindow *window);
ORV_API void OVwindow_setdata(OVwindow *window, void *data);
ORV_API void *OVwindow_getdata(const OVwindow *window);
ORV_API void _OVwindow_sethaseventhandlers(OVwindow *window, int flag);
ORV_API int _OVwindow_gethaseventhandlers(const OVwindow *window);

/* Viewport rectangle in pixels of the surface, y from the top. */
ORV_API int OVwindow_setviewport(OVwindow *window, int x, int y, int width, int height);
ORV_API int OVwindow_getviewport(const OVwindow *window, int *x, int *y, int *width, int *height);
/* Screen position and size of the client area. */
ORV_API int OVwindow_setgeometry(OVwindow *window, int x, int y, int width, int height);
ORV_API int OVwindow_getgeometry(const OVwindow *window, int *x, int *y, int *width, int *height);
/* Whether the screen point lies in the client area. */
ORV_API int OVwindow_isinside(const OVwindow *window, int x, int y);

/* Projection mode 1..4 (as for viewpoints). */
ORV_API int OVwindow_setprojection(OVwindow *window, int mode);
ORV_API int OVwindow_getprojection(const OVwindow *window);
/* Near clipping distance, at least 0.004. */
ORV_API int OVwindow_sethither(OVwindow *window, float distance);
ORV_API float OVwindow_gethither(const OVwindow *window);
/* Far clipping distance, at least hither + 0.004. */
ORV_API int OVwindow_setyon(OVwindow *window, float distance);
ORV_API float OVwindow_getyon(const OVwindow *window);
/* Half the horizontal field of view, 0.004 to 1.5667964 radians. */
ORV_API int OVwindow_setviewangle(OVwindow *window, float angle);
ORV_API float OVwindow_getviewangle(const OVwindow *window);
/* Explicit frustum of one eye. */
ORV_API int OVwindow_setfrustum(OVwindow *window, int eye, float left, float right, float bottom,
                                float top, float nearplane, float farplane);
ORV_API int OVwindow_getfrustum(const OVwindow *window, int eye, float *left, float *right,
                                float *bottom, float *top, float *nearplane, float *farplane);

/* Background colour as bytes, and as a 12-bit 0xRGB value. */
ORV_API int OVwindow_setbgrgb(OVwindow *window, int r, int g, int b);
ORV_API int OVwindow_getbgrgb(const OVwindow *window, int *r, int *g, int *b);
ORV_API int OVwindow_setbgcolor(OVwindow *window, int rgb12);
ORV_API int OVwindow_getbgcolor(const OVwindow *window);
/* The eye a mono window draws (0 left, 1 right); 0xFFFF for an unknown window. */
ORV_API int OVwindow_seteye(OVwindow *window, int eye);
ORV_API int OVwindow_geteye(const OVwindow *window);
/* The viewpoint shown, and the second one for the right eye. */
ORV_API int OVwindow_setviewpoint(OVwindow *window, OVviewpoint *viewpoint);
ORV_API OVviewpoint *OVwindow_getviewpoint(const OVwindow *window);
ORV_API int OVwindow_setviewpoint2(OVwindow *window, OVviewpoint *viewpoint);
ORV_API OVviewpoint *OVwindow_getviewpoint2(const OVwindow *window);
/* The root node drawn; only root nodes are accepted. */
ORV_API int OVwindow_setrootnode(OVwindow *window, OVnode *root);
ORV_API OVnode *OVwindow_getrootnode(const OVwindow *window);
/* Only enabled windows are drawn. */
ORV_API int OVwindow_setenabled(OVwindow *window, int enabled);
ORV_API int OVwindow_getenabled(const OVwindow *window);
/* 3D and 2D application drawing; null removes it. */
ORV_API void OVwindow_setdrawfn(OVwindow *window, OVwindowdrawfn function);
ORV_API void OVwindow_setdraw2dfn(OVwindow *window, OVwindowdrawfn function);

/* Polygons drawn in the window's last frame. */
ORV_API int OVwindow_getpolycount(const OVwindow *window);
/* Performance-counter readings: after the last buffer swap, and the swap before. */
ORV_API int OVwindow_getframetimes(const OVwindow *window, uint64_t times[2]);
/* Pixel coordinates (from the bottom left) of a world point seen by an eye. */
ORV_API int OVwindow_projectpoint(OVwindow *window, int eye, const OVp3 point, OVp2 out);
/* Moves the viewpoint so that the node (instance along the path) fills the view. */
ORV_API int OVwindow_zoomnode(OVwindow *window, OVnode *node, int instance);
/* Zooms onto the window's root node. */
ORV_API int OVwindow_zoomall(OVwindow *window);

/* Key and mouse-button properties of windows: not available (print a TODO line). */
ORV_API int OVwindow_setkey(OVwindow *window, int value);
ORV_API int OVwindow_getkey(const OVwindow *window);
ORV_API int OVwindow_setlbutton(OVwindow *window, int value);
ORV_API int OVwindow_getlbutton(const OVwindow *window);
ORV_API int OVwindow_setlbuttondblclk(OVwindow *window, int value);
ORV_API int OVwindow_getlbuttondblclk(const OVwindow *window);
ORV_API int OVwindow_setrbutton(OVwindow *window, int value);
ORV_API int OVwindow_getrbutton(const OVwindow *window);
ORV_API int OVwindow_getrbuttondblclk(const OVwindow *window);
ORV_API int OVwindow_setmbutton(OVwindow *window, int value);
ORV_API int OVwindow_getmbutton(const OVwindow *window);
ORV_API int OVwindow_setmbuttondblclk(OVwindow *window, int value);
ORV_API int OVwindow_getmbuttondblclk(const OVwindow *window);

/* The palette for an indexed visual: entry i as 0x00RRGGBB in out[i] for
 * 2^colorbits entries; the 8-bit 3-3-2 layout gets the twelve system colours. */
ORV_API int _OVwindow_buildpalette(int colorbits, int redbits, int redshift, int greenbits,
                                   int greenshift, int bluebits, int blueshift, uint32_t *out);

ORV_EXTERN_C_END

#endif
