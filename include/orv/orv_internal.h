/* Orvane: functions shared between the toolkit's modules and exported for
 * tests and extension code, not meant for applications. The universe calls
 * most of them while it creates, runs and tears down the subsystems. */
#ifndef ORV_INTERNAL_H
#define ORV_INTERNAL_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* scene/: nodes */

/* Creates the universe's holding root node. */
ORV_API OVnode *OVrootnode_new(void);
/* The node subsystem's ready step: the renderer prepares each shown scene; 1. */
ORV_API int _OVnode_ready(void);
/* Deletes every node (all: the holding root as well). */
ORV_API void _OVnode_deleteall(int all);
/* A node of an internal type with payload_size bytes of zeroed payload, placed
 * under the parent (null: the holding root); null when the parent cannot
 * take children. */
ORV_API OVnode *_OVnode_newwithpayload(OVnode *parent, int type, size_t payload_size);
/* The payload of a node made by _OVnode_newwithpayload. */
ORV_API void *_OVnode_payload(OVnode *node);
/* The content of a movable node, or the node itself. */
ORV_API OVnode *_OVnode_content(OVnode *node);
/* Flags a transform separator holding a transform node and its content as movable. */
ORV_API void _OVnode_makemovable(OVnode *node);
/* The accumulated transform of a node path (root to last node) and its last
 * node; 0 when the path does not start at a shown root. */
ORV_API int _OVnodepath_getmatrix(OVnodepath *path, OVm4 out, OVnode **last);

/* scene/: properties and events */

/* Starts the event system and the extension hooks (first universe only). */
ORV_API void _OVevent_start(void);
/* Delivers the queued property events to their handlers. */
ORV_API void _OVevent_pass(void);
/* Calls the "NQdelete" hook and deletes the event records. */
ORV_API void _OVevent_shutdown(void);

/* scene/: lights */

/* Deletes every light. */
ORV_API void _OVlight_deleteall(void);
/* A light node is freed: its record goes too. */
ORV_API void _OVlight_nodedeleted(OVnode *node);

/* objects/: object nodes and portals */

/* An object node's half extents placed by its object's pose; 0 when none. */
ORV_API int _OVobjectnode_bounds(OVnode *node, OVp3 midpoint, OVp3 extents);
/* The geometry an object node shows, or null. */
ORV_API OVgeometry *_OVobjectnode_geometry(OVnode *node);
/* An object node met by the collection walk (state is the traversal state);
 * may name a node to visit next. */
ORV_API OVnode *_OVobjectnode_collect(OVnode *node, void *state);
/* An object node is freed; keep_object keeps its object. */
ORV_API void _OVobjectnode_deleted(OVnode *node, int keep_object);
/* The target file of the portal the viewpoint crossed this pass, or null. */
ORV_API const char *_OVportal_crossed(void);
/* Deletes every portal. */
ORV_API void _OVportal_deleteall(void);
/* The target file of a portal (as returned by OVpoly_getportal). */
ORV_API const char *_OVportal_gettarget(const void *portal);
/* Recomputes the portals' planes after their polygons changed. */
ORV_API void _OVportal_restatall(void);
/* The portal on a polygon, or null. */
ORV_API void *_OVportal_findpoly(OVpoly *p);
/* A polygon is being freed: its portal forgets it. */
ORV_API void _OVportal_forgetpoly(OVpoly *p);

/* universe/: configuration, tasks and scene bounds */

/* Reads the initialization file into the configuration record. */
ORV_API void _OVconfig_read(void);
/* Whether anything feeds the scene's bounding sphere. */
ORV_API int _OVuniverse_hasboundsources(void);

/* viewpoint/ */

/* Creates the first viewpoint and makes it current. */
ORV_API void _OVviewpoint_startup(void);
/* Copies every viewpoint's pose to its previous pose. */
ORV_API void _OVviewpoint_saveprevious(void);
/* Deletes every viewpoint. */
ORV_API void _OVviewpoint_deleteall(void);

/* render/: windows and rendering */

/* Opens the windows and the shared OpenGL context; 0 on failure. */
ORV_API int _OVwindow_startup(int display, int options);
/* Pumps the window messages. */
ORV_API void _OVwindow_pump(void);
/* Gives every window the 0xRRGGBB background colour. */
ORV_API void _OVwindow_setbgall(uint32_t rgb);
/* Deletes every window. */
ORV_API void _OVwindow_deleteall(void);
/* Each window's root node (null when none) and display bit, in window
 * order; the number written. */
ORV_API int _OVwindow_roots(OVnode **roots, int *display_bits, int capacity);
/* Whether an enabled window showing the viewpoint (as either eye) has the root. */
ORV_API int _OVwindow_showsroot(const OVviewpoint *viewpoint, const OVnode *root);
/* Keeps an eye's frustum (left, right, bottom, top, near, far) in every
 * window showing the viewpoint. */
ORV_API void _OVwindow_setviewpointfrustum(const OVviewpoint *viewpoint, int eye,
                                           const float frustum[6]);
/* The eye's frustum of the first window showing the viewpoint; 0 if none. */
ORV_API int _OVwindow_getviewpointfrustum(const OVviewpoint *viewpoint, int eye, float frustum[6]);
/* Each window showing the viewpoint zooms to its root. */
ORV_API void _OVwindow_zoomviewpoint(const OVviewpoint *viewpoint);
/* The viewpoint is being deleted: its windows forget it. */
ORV_API void _OVwindow_forgetviewpoint(const OVviewpoint *viewpoint);
/* Releases the base window and the OpenGL context. */
ORV_API void _OVwindow_shutdown(void);
/* The renderer's preparation pass over a root's scene. */
ORV_API void _OVrender_prepare(OVnode *root, void *state);
/* Renders every window. */
ORV_API void _OVrender_allwindows(void);
/* Frees the compiled display lists below a root. */
ORV_API void _OVnode_invalidate(OVnode *root);

/* input/ */

/* Updates every sensor. */
ORV_API void _OVsensor_updateall(void);
/* Deletes every sensor. */
ORV_API void _OVsensor_deleteall(void);
/* Applies the enabled motion links (event 2 of a pass). */
ORV_API void _OVmotionlink_step(void);
/* Drops a node that is going away from the links using it as their
 * reference; they fall back to the parent's (or world) axes. */
ORV_API void _OVmotionlink_forgetreference(void *node);
/* Delivers queued keys to the "Key" handlers. */
ORV_API void _OVkeyboard_deliver(void);
/* Forgets the queued keys and mouse state of every window. */
ORV_API void _OVinput_deleteall(void);
struct OVwinmsg;
/* Mouse and key messages of a window; 1 when the message was consumed. */
ORV_API int _OVinput_windowmessage(OVwindow *window, const struct OVwinmsg *message);

/* paths/ */

/* Records or plays the next sample of every path, in list order. */
ORV_API void _OVpath_runall(void);
/* Tells every path to stop. */
ORV_API void _OVpath_stopall(void);
/* Deletes every path. */
ORV_API void _OVpath_deleteall(void);

/* geometry/ and text3d/ */

/* Deletes every loaded 3D-text font. */
ORV_API void _OVfont3d_deleteall(void);
/* Deletes the material tables left at the end. */
ORV_API void _OVmtable_deleteall(void);
/* Abandons a building phase left open, so that a later universe can build. */
ORV_API void _OVgeometry_endbuilding(void);
/* A geometry starts using a material table. */
ORV_API void _OVmtable_attach(OVmtable *table, OVgeometry *g);
/* A geometry stops using a material table (a table left without users goes). */
ORV_API void _OVmtable_detach(OVmtable *table, OVgeometry *g);

/* net/ */

/* Hands the message channel a datagram as though a peer had sent it; it is
 * queued, ignored or dropped as a received one would be. 0 when a datagram
 * already waits for room in the receive ring and this one was not taken. */
ORV_API int _OVnet_deliver(const void *datagram, int size);

ORV_EXTERN_C_END

#endif
