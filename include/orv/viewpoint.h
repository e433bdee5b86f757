/* Orvane: viewpoints, the eyes windows draw the scene from. */
#ifndef ORV_VIEWPOINT_H
#define ORV_VIEWPOINT_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Projection modes. */
enum {
    OVVIEWPOINT_MONO = 1,
    OVVIEWPOINT_STEREO = 2,
    OVVIEWPOINT_FRUSTUM = 3,
    OVVIEWPOINT_PARALLEL = 4
};

/* New viewpoint at the head of the universe's list, with the universe's defaults. */
ORV_API OVviewpoint *OVviewpoint_new(void);
/* New viewpoint taking every field of the source (its name as its own copy). */
ORV_API OVviewpoint *OVviewpoint_copy(const OVviewpoint *source);
/* Deletes a viewpoint; the universe's current viewpoint is left alone. */
ORV_API void OVviewpoint_delete(OVviewpoint *viewpoint);
/* Next viewpoint in the universe's list (newest first), or null. */
ORV_API OVviewpoint *OVviewpoint_next(const OVviewpoint *viewpoint);
/* Head of the universe's viewpoint list. */
ORV_API OVviewpoint *OVuniverse_getviewpoints(void);
/* First viewpoint whose name matches name over its first length characters. */
ORV_API OVviewpoint *OVuniverse_findviewpoint(const char *name, int length);
/* The universe's current viewpoint. */
ORV_API OVviewpoint *OVuniverse_getviewpoint(void);
/* Makes a listed viewpoint current; anything else is ignored. */
ORV_API void OVuniverse_setviewpoint(OVviewpoint *viewpoint);

/* Keeps a private copy of the name; null clears it. */
ORV_API void OVviewpoint_setname(OVviewpoint *viewpoint, const char *name);
/* The stored name or null. */
ORV_API const char *OVviewpoint_getname(const OVviewpoint *viewpoint);
/* Stores the application's pointer, never interpreted. */
ORV_API void OVviewpoint_setdata(OVviewpoint *viewpoint, void *data);
/* The application's pointer; null for null. */
ORV_API void *OVviewpoint_getdata(const OVviewpoint *viewpoint);
/* Sets the base-object has-event-handlers flag. */
ORV_API void _OVviewpoint_sethaseventhandlers(OVviewpoint *viewpoint, int flag);
/* The base-object has-event-handlers flag; 0 for null. */
ORV_API int _OVviewpoint_gethaseventhandlers(const OVviewpoint *viewpoint);

/* Eye position in world coordinates; (0, 0, 0) for null. */
ORV_API void OVviewpoint_getposition(const OVviewpoint *viewpoint, OVp3 out);
/* Sets the position through the "Position" handlers; false when vetoed. */
ORV_API int OVviewpoint_setposition(OVviewpoint *viewpoint, const OVp3 position);
/* Orientation; the identity for null. */
ORV_API void OVviewpoint_getorientation(const OVviewpoint *viewpoint, OVq out);
/* Sets the orientation (stored unnormalised) through the "Orientation" handlers. */
ORV_API int OVviewpoint_setorientation(OVviewpoint *viewpoint, const OVq orientation);
/* Sets position and orientation together, both properties' handlers firing. */
ORV_API void OVviewpoint_setpositionorientation(OVviewpoint *viewpoint, const OVpq *pose);
/* Position copied at the start of the current simulation pass. */
ORV_API void OVviewpoint_getlastposition(const OVviewpoint *viewpoint, OVp3 out);
/* Orientation copied at the start of the current simulation pass. */
ORV_API void OVviewpoint_getlastorientation(const OVviewpoint *viewpoint, OVq out);
/* View direction (rotated +Z); (0, 0, 0) for null. */
ORV_API void OVviewpoint_getdirection(const OVviewpoint *viewpoint, OVp3 out);

/* Moves by v in the viewpoint's frame (0 or 2) or the world frame (1). */
ORV_API void OVviewpoint_translate(OVviewpoint *viewpoint, const OVp3 v, int frame);
/* Turns by angle about local (frame 0/2) or world (frame 1) axis 0, 1 or 2. */
ORV_API void OVviewpoint_rotate(OVviewpoint *viewpoint, int axis, float angle, int frame);
/* Moves and turns by a relative pose in the given frame. */
ORV_API void OVviewpoint_move(OVviewpoint *viewpoint, const OVpq *motion, int frame);

/* Local axis 0, 1 or 2 in world coordinates. */
ORV_API void OVviewpoint_getaxis(const OVviewpoint *viewpoint, int axis, OVp3 out);
/* Turns the viewpoint to look along v (normalised in place when not unit). */
ORV_API void OVviewpoint_setdirection(OVviewpoint *viewpoint, OVp3 v);
/* Turns the viewpoint so that its local axis points along v. */
ORV_API void OVviewpoint_alignaxis(OVviewpoint *viewpoint, int axis, const OVp3 v);
/* World point into the viewpoint's frame. */
ORV_API void OVviewpoint_worldtolocal(const OVviewpoint *viewpoint, const OVp3 p, OVp3 out);
/* Point of the viewpoint's frame into world coordinates. */
ORV_API void OVviewpoint_localtoworld(const OVviewpoint *viewpoint, const OVp3 p, OVp3 out);
/* Viewpoint matrix: the rotation of the conjugate orientation (world
 * directions into the viewpoint's frame) over the eye point, the right-eye
 * point when asked. */
ORV_API void OVviewpoint_getm4(const OVviewpoint *viewpoint, OVm4 out, int righteye);

/* View angle in radians, accepted from 0.004 to pi/2 - 0.004; 1 when stored. */
ORV_API int OVviewpoint_setviewangle(OVviewpoint *viewpoint, float angle);
/* The view angle in radians; 0 for null. */
ORV_API float OVviewpoint_getviewangle(const OVviewpoint *viewpoint);
/* Aspect ratio through the "AspectRatio" handlers; below 0.004 refused. */
ORV_API int OVviewpoint_setaspect(OVviewpoint *viewpoint, float ratio);
/* The aspect ratio; 1 for null. */
ORV_API float OVviewpoint_getaspect(const OVviewpoint *viewpoint);
/* Near clipping distance, at least 0.004. */
ORV_API void OVviewpoint_sethither(OVviewpoint *viewpoint, float distance);
/* Near clipping distance; 0 for null. */
ORV_API float OVviewpoint_gethither(const OVviewpoint *viewpoint);
/* Far clipping distance, at least hither + 0.004. */
ORV_API void OVviewpoint_setyon(OVviewpoint *viewpoint, float distance);
/* Far clipping distance; 0 for null. */
ORV_API float OVviewpoint_getyon(const OVviewpoint *viewpoint);
/* Projection mode 1 to 4 (OVVIEWPOINT_MONO ...); other values are ignored. */
ORV_API void OVviewpoint_setprojection(OVviewpoint *viewpoint, int mode);
/* The projection mode; 0 for null. */
ORV_API int OVviewpoint_getprojection(const OVviewpoint *viewpoint);
/* Selects stereo (mode 2) or mono (mode 1) perspective. */
ORV_API void OVviewpoint_setstereo(OVviewpoint *viewpoint, int on);
/* Whether the projection mode is stereo (2). */
ORV_API int OVviewpoint_isstereo(const OVviewpoint *viewpoint);

/* Stereo eye separation through the "Parallax" handlers. */
ORV_API int OVviewpoint_setparallax(OVviewpoint *viewpoint, float parallax);
/* Stereo eye separation; 0 for null. */
ORV_API float OVviewpoint_getparallax(const OVviewpoint *viewpoint);
/* Stereo convergence in pixels through the "Convergence" handlers. */
ORV_API int OVviewpoint_setconvergence(OVviewpoint *viewpoint, int pixels);
/* Stereo convergence in pixels; 0 for null. */
ORV_API int OVviewpoint_getconvergence(const OVviewpoint *viewpoint);
/* Distance of the zero-parallax plane through the "ConvergenceDist" handlers. */
ORV_API int OVviewpoint_setconvergencedist(OVviewpoint *viewpoint, float distance);
/* Distance of the zero-parallax plane; 0 for null. */
ORV_API float OVviewpoint_getconvergencedist(const OVviewpoint *viewpoint);
/* Right-eye offset in frame 0/2 (viewpoint) or 1 (world). */
ORV_API void OVviewpoint_seteyeoffset(OVviewpoint *viewpoint, const OVp3 translation,
                                      const OVq rotation, int frame);
/* Moves the viewpoint from the left-eye to the right-eye pose, no handlers. */
ORV_API void OVviewpoint_applyeyeoffset(OVviewpoint *viewpoint);
/* Explicit frustum of eye 0 or 1 in every window showing the viewpoint. */
ORV_API void OVviewpoint_setfrustum(OVviewpoint *viewpoint, int eye, float left, float right,
                                    float bottom, float top, float distance, float extra);
/* The explicit frustum of the first window showing the viewpoint. */
ORV_API void OVviewpoint_getfrustum(const OVviewpoint *viewpoint, int eye, float *left,
                                    float *right, float *bottom, float *top, float *distance,
                                    float *extra);

/* Backs the viewpoint off until the scene's bounding sphere is in view. */
ORV_API void OVviewpoint_zoomall(OVviewpoint *viewpoint);

/* Whether the viewpoint, moving from its previous position to its position,
   comes within distance of the polygon (or crosses it); the node path runs
   from the root of an enabled window showing the viewpoint to the polygon's
   geometry node. */
ORV_API int OVviewpoint_intersectpoly(const OVviewpoint *viewpoint, OVpoly *poly, OVnodepath *path,
                                      float distance);

ORV_EXTERN_C_END

#endif
