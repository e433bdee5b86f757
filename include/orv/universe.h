/* Orvane: the universe, its simulation loop, timing and options. */
#ifndef ORV_UNIVERSE_H
#define ORV_UNIVERSE_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Display set-up codes of OVuniverse_new; OVDISPLAY_INTERLACED may be added
 * to any of them. Other values open one window with the given window flags. */
enum {
    OVDISPLAY_WINDOW = 1,           /* one window at the configured rectangle */
    OVDISPLAY_EYEWINDOWS = 2,       /* two windows side by side, one per eye */
    OVDISPLAY_STEREOFULLSCREEN = 4, /* one borderless stereo window over the screen */
    OVDISPLAY_COLORSTEREO = 8,      /* one window, eyes separated by colour */
    OVDISPLAY_STEREOWINDOW = 32,    /* one stereo window at the configured rectangle */
    OVDISPLAY_NONE = 512,           /* no window */
    OVDISPLAY_INTERLACED = 0x1000   /* the display interlaces the eyes' rows */
};

/* Universe options of OVuniverse_setoption (option 7 is stored only). */
enum {
    OVOPTION_VERBOSEGEOMETRY = 1, /* report vertices removed when closing geometry */
    OVOPTION_OLD3DS = 2,          /* older 3DS reader conventions */
    OVOPTION_OLDWAVEFRONT = 3,    /* older Wavefront reader conventions */
    OVOPTION_COPLANAR = 4,        /* coplanar polygon handling (stored only) */
    OVOPTION_WRITEUV = 5,         /* the NFF writer writes texture coordinates */
    OVOPTION_WRITE12BIT = 6,      /* 12-bit colours in the older NFF form */
    OVOPTION_RETRYTEXTURES = 8,   /* retry texture files under other names */
    OVOPTION_TEXTUREROTATION = 9, /* OVpoly_rotatetexture turns the other way */
    OVOPTION_PUMPMESSAGES = 10,   /* pump window messages every pass */
    OVOPTION_AUTOINSERT = 11,     /* light and object nodes go under the root */
    OVOPTION_OLDNFF = 12,         /* the NFF writer writes version 2.10 */
    OVOPTION_WAVEFRONTMATERIALS = 13,
    OVOPTION_NODELOADING = 14,
    OVOPTION_ALPHAAVERAGE = 15,  /* reduced textures average alpha */
    OVOPTION_NOQUITONCLOSE = 16, /* closing the last window posts no quit message */
    OVOPTION_ALTOPENFLIGHT = 17  /* OpenFlight files through the alternative reader */
};

/* Called when a universe of a given name is entered or left. */
typedef void (*OVuniversefn)(void);

/* Optional, before OVuniverse_new: records the toolkit's options from the
 * command line ("-bgcolor 0xf00", "/border", ...) and removes them, and
 * every argument they consume, from argv. */
ORV_API void OVuniverse_setargs(int *argc, char **argv);
/* Creates the universe; display 512 opens no window. */
ORV_API void OVuniverse_new(int display, int options);
/* Tears the universe down; nothing without a universe. */
ORV_API void OVuniverse_delete(void);
/* Prepares the scene for the first pass; the node subsystem's result. */
ORV_API int OVuniverse_ready(void);
/* Runs passes until OVuniverse_stop. */
ORV_API void OVuniverse_go(void);
/* Runs exactly one pass. */
ORV_API void OVuniverse_go1(void);
/* Ends the loop once the current pass has finished. */
ORV_API void OVuniverse_stop(void);
/* Stores the action function (null: the do-nothing function). */
ORV_API void OVuniverse_setactions(OVactionfn function);
/* Order of the four event steps (1 actions, 2 motion links, 3 tasks, 4 paths):
 * count 3 or 4 and a permutation of 1..count; false otherwise. */
ORV_API int OVuniverse_seteventorder(int count, const short *order);
/* The count followed by the four entries. */
ORV_API const short *OVuniverse_geteventorder(void);

/* Frames per second averaged over the last 30 passes. */
ORV_API float OVuniverse_framerate(void);
/* Frames per second over the last n passes (1..30); -1 otherwise. */
ORV_API float OVuniverse_recentframerate(int n);
/* Seconds from the creation or last reset to the newest tick. */
ORV_API float OVuniverse_time(void);
/* Makes the newest tick the new start and clears the frame rate. */
ORV_API void OVuniverse_resettime(void);
/* Passes run since creation or the last reset of the count. */
ORV_API unsigned OVuniverse_framecount(void);
/* Sets the pass count back to 0. */
ORV_API void OVuniverse_resetframecount(void);

/* Background colour from 8-bit components, given to every window. */
ORV_API void OVuniverse_setbgrgb(int r, int g, int b);
/* The background colour as 8-bit components. */
ORV_API void OVuniverse_getbgrgb(int *r, int *g, int *b);
/* Background colour from 12-bit 0xRGB (each digit repeated), given to every window. */
ORV_API void OVuniverse_setbgcolor(int rgb12);
/* The background colour reduced to 12-bit 0xRGB. */
ORV_API int OVuniverse_getbgcolor(void);
/* Colour of the immediate-mode overlay drawing. */
ORV_API void OVuniverse_setoverlaycolor(float r, float g, float b);

/* The universe name (normalised; a refused name keeps the old one). */
ORV_API const char *OVuniverse_getname(void);
/* Sets the universe name, normalised to a base name; false when refused. */
ORV_API int OVuniverse_setname(const char *name);
/* Switches the portal test of every pass on or off. */
ORV_API void OVuniverse_setportals(int on);
/* Whether portals are taken (1 at creation). */
ORV_API int OVuniverse_getportals(void);
/* Default rendering style; bit 0x80 draws wireframe and switches off picking. */
ORV_API void OVuniverse_setrendering(int flags);
/* The default rendering style (13 at creation). */
ORV_API int OVuniverse_getrendering(void);
/* Radius of the scene's bounding sphere, recomputed on every call. */
ORV_API float OVuniverse_getradius(void);
/* Midpoint of the scene's bounds, recomputed on every call. */
ORV_API void OVuniverse_getmidpoint(OVp3 midpoint);
/* Scene bounds as the minimum corner followed by the maximum corner. */
ORV_API void OVuniverse_getextents(OVp3 min_and_max[2]);
/* Maps the application's axes onto the toolkit's; the arrays are kept. */
ORV_API void OVuniverse_setaxismap(int count, const int *from, const int *to,
                                   const unsigned char *negate);

/* Entry callback of a named universe ("" every universe; null function: none). */
ORV_API int OVuniverse_setentrycallback(const char *name, OVuniversefn function);
/* Exit callback of a named universe ("" every universe; null function: none). */
ORV_API int OVuniverse_setexitcallback(const char *name, OVuniversefn function);
/* The entry callback stored for the name, or null when none. */
ORV_API OVuniversefn OVuniverse_getentrycallback(const char *name);
/* The exit callback stored for the name, or null when none. */
ORV_API OVuniversefn OVuniverse_getexitcallback(const char *name);

/* Clears the scene and loads a universe file as the universe object; the
 * file's view goes into placement. False on failure (the scene stays cleared
 * once the read has begun). */
ORV_API int OVuniverse_load(const char *filename, OVpq *placement, float scale);
/* Writes the universe object as type 2 (text NFF), 11 (binary NFF) or 1. */
ORV_API int OVuniverse_save(const char *filename, int type);

/* Option switches 1..17 (option 6 is stored inverted). */
ORV_API int OVuniverse_setoption(int option, int value);
/* The option's value, -1 for an unknown option. */
ORV_API int OVuniverse_getoption(int option);

ORV_EXTERN_C_END

#endif
