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

/* Keeps a private copy of the name; null clears it. */
ORV_API void OVwindow_setname(OVwindow *window, const char *name);
/* The stored name, or null. */
ORV_API const char *OVwindow_getname(const OVwindow *window);
/* Stores the application's pointer. */
ORV_API void OVwindow_setdata(OVwindow *window, void *data);
/* The application's pointer; null for null. */
ORV_API void *OVwindow_getdata(const OVwindow *window);
/* Sets the base-object has-event-handlers flag. */
ORV_API void _OVwindow_sethaseventhandlers(OVwindow *window, int flag);
/* The base-object has-event-handlers flag; 0 for null. */
ORV_API int _OVwindow_gethaseventhandlers(const OVwindow *window);

/* Sets the viewport rectangle in pixels of the surface, y from the top. */
ORV_API int OVwindow_setviewport(OVwindow *window, int x, int y, int width, int height);
/* The viewport rectangle in pixels of the surface, y from the top. */
ORV_API int OVwindow_getviewport(const OVwindow *window, int *x, int *y, int *width, int *height);
/* Moves and sizes the client area ("Position", "Size"); impossible values are ignored. */
ORV_API int OVwindow_setgeometry(OVwindow *window, int x, int y, int width, int height);
/* Screen position and size of the client area. */
ORV_API int OVwindow_getgeometry(const OVwindow *window, int *x, int *y, int *width, int *height);
/* Whether the screen point lies in the client area. */
ORV_API int OVwindow_isinside(const OVwindow *window, int x, int y);

/* Projection mode 1..4 (as for viewpoints, "Projection"); others are refused. */
ORV_API int OVwindow_setprojection(OVwindow *window, int mode);
/* The window's projection mode; 0 for null. */
ORV_API int OVwindow_getprojection(const OVwindow *window);
/* Near clipping distance, at least 0.004. */
ORV_API int OVwindow_sethither(OVwindow *window, float distance);
/* Near clipping distance; 0 for null. */
ORV_API float OVwindow_gethither(const OVwindow *window);
/* Far clipping distance, at least hither + 0.004. */
ORV_API int OVwindow_setyon(OVwindow *window, float distance);
/* Far clipping distance; 0 for null. */
ORV_API float OVwindow_getyon(const OVwindow *window);
/* Half the horizontal field of view, 0.004 to 1.5667964 radians. */
ORV_API int OVwindow_setviewangle(OVwindow *window, float angle);
/* Half the horizontal field of view in radians; 0 for null. */
ORV_API float OVwindow_getviewangle(const OVwindow *window);
/* Explicit frustum of eye 0 or 1; near below 0.004 becomes 0.004. */
ORV_API int OVwindow_setfrustum(OVwindow *window, int eye, float left, float right, float bottom,
                                float top, float nearplane, float farplane);
/* The explicit frustum of eye 0 or 1. */
ORV_API int OVwindow_getfrustum(const OVwindow *window, int eye, float *left, float *right,
                                float *bottom, float *top, float *nearplane, float *farplane);

/* Background colour from 8-bit components ("Backgroud color"). */
ORV_API int OVwindow_setbgrgb(OVwindow *window, int r, int g, int b);
/* The background colour as 8-bit components. */
ORV_API int OVwindow_getbgrgb(const OVwindow *window, int *r, int *g, int *b);
/* Background colour from 12-bit 0xRGB, each digit repeated (0xF80: 255, 136, 0). */
ORV_API int OVwindow_setbgcolor(OVwindow *window, int rgb12);
/* The background colour as 12-bit 0xRGB; 0xFFFF for null. */
ORV_API int OVwindow_getbgcolor(const OVwindow *window);
/* Sets the eye a mono window draws: 0 left, 1 right ("Eye"). */
ORV_API int OVwindow_seteye(OVwindow *window, int eye);
/* The eye a mono window draws; 0xFFFF for an unknown window. */
ORV_API int OVwindow_geteye(const OVwindow *window);
/* Sets the viewpoint the window shows ("Viewpoint"). */
ORV_API int OVwindow_setviewpoint(OVwindow *window, OVviewpoint *viewpoint);
/* The viewpoint the window shows, or null. */
ORV_API OVviewpoint *OVwindow_getviewpoint(const OVwindow *window);
/* Sets the second viewpoint, drawn for the right eye ("Viewpoint2"). */
ORV_API int OVwindow_setviewpoint2(OVwindow *window, OVviewpoint *viewpoint);
/* The second viewpoint, or null. */
ORV_API OVviewpoint *OVwindow_getviewpoint2(const OVwindow *window);
/* Sets the root node drawn; only root nodes are accepted ("Root Node"). */
ORV_API int OVwindow_setrootnode(OVwindow *window, OVnode *root);
/* The root node drawn. */
ORV_API OVnode *OVwindow_getrootnode(const OVwindow *window);
/* Switches drawing of the window on or off ("Enabled"). */
ORV_API int OVwindow_setenabled(OVwindow *window, int enabled);
/* Whether the window is drawn; 0 for null. */
ORV_API int OVwindow_getenabled(const OVwindow *window);
/* 3D drawing in scene coordinates after each eye's scene; null removes it. */
ORV_API void OVwindow_setdrawfn(OVwindow *window, OVwindowdrawfn function);
/* 2D overlay drawing after each eye's scene (OVwindow_draw2d...); null removes it. */
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

/* Setter of the "Key" property: not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setkey(OVwindow *window, int value);
/* Getter of the "Key" property: not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getkey(const OVwindow *window);
/* Setter of "LeftButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setlbutton(OVwindow *window, int value);
/* Getter of "LeftButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getlbutton(const OVwindow *window);
/* Setter of "LeftButtonDbl": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setlbuttondblclk(OVwindow *window, int value);
/* Getter of "LeftButtonDbl": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getlbuttondblclk(const OVwindow *window);
/* Setter of "RightButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setrbutton(OVwindow *window, int value);
/* Getter of "RightButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getrbutton(const OVwindow *window);
/* Getter of "RightButtonDbl": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getrbuttondblclk(const OVwindow *window);
/* Setter of "MiddleButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setmbutton(OVwindow *window, int value);
/* Getter of "MiddleButton": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getmbutton(const OVwindow *window);
/* Setter of "MiddleButtonDbl": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_setmbuttondblclk(OVwindow *window, int value);
/* Getter of "MiddleButtonDbl": not available, prints a TODO line and returns 0. */
ORV_API int OVwindow_getmbuttondblclk(const OVwindow *window);

/* The palette for an indexed visual: entry i as 0x00RRGGBB in out[i] for
 * 2^colorbits entries; the 8-bit 3-3-2 layout gets the twelve system colours. */
ORV_API int _OVwindow_buildpalette(int colorbits, int redbits, int redshift, int greenbits,
                                   int greenshift, int bluebits, int blueshift, uint32_t *out);

ORV_EXTERN_C_END

#endif
