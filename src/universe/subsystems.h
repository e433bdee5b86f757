// The entry points through which the universe creates, runs and tears down the
// subsystems. Each is defined by the module named beside it. They are declared
// weak so that the universe runs with whatever subsystems exist: an entry
// point that no module defines is null and its step is skipped.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

#define ORV_SUBSYSTEM extern "C" __attribute__((weak))

// scene/ (nodes, traversal)
ORV_SUBSYSTEM OVnode *OVrootnode_new(void);
ORV_SUBSYSTEM int _OVnode_ready(void);
ORV_SUBSYSTEM void _OVnode_deleteall(int all);
// universe/ (legacy objects): an object node met by the collection walk (the
// state is a scene traversal state); may name a node to visit next.
ORV_SUBSYSTEM OVnode *_OVobjectnode_collect(OVnode *node, void *state);
// scene/ (properties and events)
ORV_SUBSYSTEM void _OVevent_start(void);    // first universe of the process only
ORV_SUBSYSTEM void _OVevent_pass(void);     // pass step 8
ORV_SUBSYSTEM void _OVevent_shutdown(void); // "NQdelete" and the event records
// objects/ (stationary objects shown through object nodes, portals)
ORV_SUBSYSTEM int _OVobjectnode_bounds(OVnode *node, OVp3 midpoint,
                                       OVp3 extents); // half extents, placed by the object's pose
ORV_SUBSYSTEM OVgeometry *_OVobjectnode_geometry(OVnode *node);
ORV_SUBSYSTEM void _OVobjectnode_deleted(OVnode *node, int keep_object); // the node is freed
ORV_SUBSYSTEM const char *_OVportal_crossed(void); // pass step 2: the target file, or null
ORV_SUBSYSTEM void _OVportal_deleteall(void);
ORV_SUBSYSTEM const char *_OVportal_gettarget(const void *portal); // of OVpoly_getportal
// files/ (NFF writers, later): write the geometry to the open file.
ORV_SUBSYSTEM int _OVnff_writetext(FILE *file, OVgeometry *geometry, const OVpq *view);
ORV_SUBSYSTEM int _OVnff_writebinary(FILE *file, OVgeometry *geometry);
// scene/ (lights)
ORV_SUBSYSTEM void _OVlight_deleteall(void);
ORV_SUBSYSTEM void _OVlight_nodedeleted(OVnode *node); // a light node is freed: its record goes too
ORV_SUBSYSTEM void _OVlight_applymotion(OVmotionlink *link); // a sensor's link to a light
// universe/ (tasks)
ORV_SUBSYSTEM void OVtask_run(void);
ORV_SUBSYSTEM void OVtask_clear(void);
// viewpoint/
ORV_SUBSYSTEM void _OVviewpoint_startup(void);      // first viewpoint, made current
ORV_SUBSYSTEM void _OVviewpoint_saveprevious(void); // pass step 1
ORV_SUBSYSTEM void _OVviewpoint_deleteall(void);
ORV_SUBSYSTEM int OVviewpoint_setviewangle(OVviewpoint *viewpoint, float angle);
ORV_SUBSYSTEM OVviewpoint *OVuniverse_getviewpoint(void);
// render/ (windows, rendering)
ORV_SUBSYSTEM int _OVwindow_startup(int display, int options); // pass step 9 of creation
ORV_SUBSYSTEM void _OVwindow_pump(void);                       // pass step 3
ORV_SUBSYSTEM void _OVwindow_setbgall(std::uint32_t rgb);      // gives every window the colour
ORV_SUBSYSTEM void _OVwindow_deleteall(void);
// Each window's root node (null when none) and display bit, in window order;
// the number of windows written.
ORV_SUBSYSTEM int _OVwindow_roots(OVnode **roots, int *display_bits, int capacity);
// Whether an enabled window showing the viewpoint (as either eye) has the root.
ORV_SUBSYSTEM int _OVwindow_showsroot(const OVviewpoint *viewpoint, const OVnode *root);
// The renderer's preparation pass over a root's scene, before the simulation starts.
ORV_SUBSYSTEM void _OVrender_prepare(OVnode *root, void *state);
ORV_SUBSYSTEM void _OVwindow_shutdown(void);   // base window and context
ORV_SUBSYSTEM void _OVrender_allwindows(void); // pass step 11
ORV_SUBSYSTEM void _OVtexture_deleteall(void);
ORV_SUBSYSTEM void _OVnode_invalidate(OVnode *root); // frees the compiled lists below a root
// input/
ORV_SUBSYSTEM void _OVsensor_updateall(void); // pass step 4
ORV_SUBSYSTEM void _OVsensor_deleteall(void);
ORV_SUBSYSTEM void _OVmotionlink_step(void);  // event 2
ORV_SUBSYSTEM void _OVkeyboard_deliver(void); // pass step 7
ORV_SUBSYSTEM void _OVinput_deleteall(void);  // queued keys and mouse state of the windows
// geometry/ (3D text)
ORV_SUBSYSTEM void _OVfont3d_deleteall(void);
// geometry/ (material tables left at the end)
ORV_SUBSYSTEM void _OVmtable_deleteall(void);
// paths/, configuration (later issues)
ORV_SUBSYSTEM void _OVpath_runall(void);
ORV_SUBSYSTEM void _OVpath_stopall(void);
ORV_SUBSYSTEM void _OVpath_deleteall(void);
ORV_SUBSYSTEM void _OVconfig_read(void);

// Calls a subsystem entry point when some module defines it.
#define ORV_CALL(fn, ...) ((fn) ? (void)(fn)(__VA_ARGS__) : (void)0)

// input/: mouse and key messages that the window procedure of render/ hands
// over; returns 1 when the message was consumed.
struct OVwinmsg;
ORV_SUBSYSTEM int _OVinput_windowmessage(OVwindow *window, const OVwinmsg *message);

// render/: the windows that show a viewpoint. A frustum is left, right,
// bottom, top, near, far of one eye.
ORV_SUBSYSTEM void _OVwindow_setviewpointfrustum(const OVviewpoint *viewpoint, int eye,
                                                 const float frustum[6]);
ORV_SUBSYSTEM int _OVwindow_getviewpointfrustum(const OVviewpoint *viewpoint, int eye,
                                                float frustum[6]); // first such window; 0 if none
ORV_SUBSYSTEM void _OVwindow_zoomviewpoint(const OVviewpoint *viewpoint); // each zooms to its root
ORV_SUBSYSTEM void _OVwindow_forgetviewpoint(const OVviewpoint *viewpoint); // being deleted
// input/: motion links of a target that is being deleted.
ORV_SUBSYSTEM void OVmotionlink_deletetarget(void *target);
// universe/: scene bounds; whether any object feeds the bounding sphere.
ORV_SUBSYSTEM int _OVuniverse_hasboundsources(void);
ORV_SUBSYSTEM float OVuniverse_getradius(void);
ORV_SUBSYSTEM void OVuniverse_getmidpoint(OVp3 midpoint);
