/* Orvane: paths of poses, recorded from a viewpoint, node or motion-link
 * target, played back onto motion-link targets, interpolated, shown as
 * markers and kept in path files. */
#ifndef ORV_PATH_H
#define ORV_PATH_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

typedef struct OVpathelement OVpathelement;

/* Playback modes ("PtMo"): bit 0 repeats at the end, bit 1 reverses. */
enum { OVPATH_REPEAT = 1, OVPATH_REVERSE = 2 };

/* Path states. */
enum { OVPATH_IDLE = 0, OVPATH_RECORDING = 1, OVPATH_PLAYING = 2, OVPATH_PLAYSTEP = 3 };

/* Constraints ("PtCo"): any of the position bits keeps positions from being
 * played, any of the orientation bits keeps orientations. */
enum { OVPATH_POSITION_CONSTRAINTS = 0x07, OVPATH_ORIENTATION_CONSTRAINTS = 0x38 };

/* Interpolation kinds. */
enum { OVPATH_BEZIER = 1, OVPATH_BSPLINE = 2, OVPATH_LINEAR = 3 };

/* Seek origins. */
enum { OVPATH_FROM_FIRST = 1, OVPATH_FROM_CURRENT = 2, OVPATH_FROM_LAST = 3 };

/* Source type of a motion link whose source is a path (OVmotionlink_new). */
enum { OVLINK_SOURCE_PATH = 1 };

/* A new idle path at the front of the universe's path list (the marker
 * object template is a legacy object and may be null). */
ORV_API OVpath *OVpath_new(void *markertemplate);
/* A new path holding a copy of every element, first to last. */
ORV_API OVpath *OVpath_copy(OVpath *path);
/* Stops, unlinks and frees the path with its elements and markers. */
ORV_API void OVpath_delete(OVpath *path);
/* The first path of the universe's list. */
ORV_API OVpath *OVuniverse_getpaths(void);
/* The following path of the list. */
ORV_API OVpath *OVpath_next(const OVpath *path);
/* The first path whose name begins with the first length characters of name. */
ORV_API OVpath *OVuniverse_findpath(const char *name, int length);
/* Stores a copy of the name (null clears it); false when refused. */
ORV_API int OVpath_setname(OVpath *path, const char *name);
/* The stored name, or null. */
ORV_API const char *OVpath_getname(const OVpath *path);
/* Application data. */
ORV_API void OVpath_setdata(OVpath *path, void *data);
/* Application data, or null. */
ORV_API void *OVpath_getdata(const OVpath *path);

/* An unlinked element holding a copy of the pose, or the origin and the
 * identity when pose is null. */
ORV_API OVpathelement *OVpathelement_new(const OVpq *pose);
/* Unlinks the element, deletes its marker and frees it. */
ORV_API void OVpathelement_delete(OVpathelement *element);
/* Appends the element (null: the source's current pose) as last and current. */
ORV_API int OVpath_appendelement(OVpath *path, OVpathelement *element);
/* Inserts the element (null: the source's pose) after the current element. */
ORV_API int OVpath_insertelement(OVpath *path, OVpathelement *element);
/* Unlinks the element from its path. */
ORV_API int OVpath_removeelement(OVpathelement *element);
/* The element's position; the origin for a null element. */
ORV_API void OVpathelement_getposition(const OVpathelement *element, OVp3 out);
/* The element's orientation; the identity for a null element. */
ORV_API void OVpathelement_getorientation(const OVpathelement *element, OVq out);
/* Stores the position and moves the element's marker. */
ORV_API int OVpathelement_setposition(OVpathelement *element, const OVp3 position);
/* Stores the orientation and turns the element's marker; refuses an invalid quaternion. */
ORV_API int OVpathelement_setorientation(OVpathelement *element, const OVq orientation);
/* The next element towards the last, or null. */
ORV_API OVpathelement *OVpathelement_next(const OVpathelement *element);
/* The next element towards the first, or null. */
ORV_API OVpathelement *OVpathelement_previous(const OVpathelement *element);
/* The path the element belongs to, or null. */
ORV_API OVpath *OVpathelement_getpath(const OVpathelement *element);
/* Application data, copied with the element. */
ORV_API void OVpathelement_setdata(OVpathelement *element, void *data);
/* Application data, or null. */
ORV_API void *OVpathelement_getdata(const OVpathelement *element);
/* The element's marker node, or null. */
ORV_API OVnode *OVpathelement_getmarker(const OVpathelement *element);
/* The element a marker node stands for, or null. */
ORV_API OVpathelement *OVpathelement_frommarker(const OVnode *marker);
/* The first element, or null. */
ORV_API OVpathelement *OVpath_getfirst(const OVpath *path);
/* The last element, or null. */
ORV_API OVpathelement *OVpath_getlast(const OVpath *path);
/* The current element, or null. */
ORV_API OVpathelement *OVpath_getcurrent(const OVpath *path);
/* The number of elements; -1 for a null path. */
ORV_API int OVpath_numelements(const OVpath *path);
/* Makes an element of the path current; false when it is not on the path. */
ORV_API int OVpath_setcurrent(OVpath *path, OVpathelement *element);
/* Makes the first element current when the path is idle. */
ORV_API int OVpath_rewind(OVpath *path);
/* Moves the current element count steps from the first, current or last
 * element; false (and no change) when a step runs off either end. */
ORV_API int OVpath_seek(OVpath *path, int count, int from);

/* Starts recording one sample every sampling interval; only from idle. */
ORV_API int OVpath_record(OVpath *path);
/* Starts recording the pose of the link's target; only from idle. */
ORV_API int OVpath_recordfrom(OVpath *path, OVmotionlink *link);
/* Appends one element holding the source's current pose; only from idle. */
ORV_API int OVpath_recordelement(OVpath *path);
/* Starts playback; only from idle and on a path with elements. */
ORV_API int OVpath_play(OVpath *path);
/* Plays one step, then returns to idle. */
ORV_API int OVpath_playstep(OVpath *path);
/* Returns the path to idle; false when a pre-handler refuses. */
ORV_API int OVpath_stop(OVpath *path);
/* Whether the path records (true in state 1 and 3). */
ORV_API int OVpath_isrecording(const OVpath *path);
/* Whether the path plays (true in state 2 and 3). */
ORV_API int OVpath_isplaying(const OVpath *path);
/* The state: OVPATH_IDLE to OVPATH_PLAYSTEP; -1 for a null path. */
ORV_API int OVpath_getstate(const OVpath *path);

/* Playback mode ("PtMo", 0 to 3). */
ORV_API int OVpath_setmode(OVpath *path, int mode);
/* Playback mode; 0 for a null path. */
ORV_API int OVpath_getmode(const OVpath *path);
/* Direction ("Forward"): 1 from first to last, 0 backward. */
ORV_API int OVpath_setdirection(OVpath *path, int forward);
/* Direction; 0 for a null path. */
ORV_API int OVpath_getdirection(const OVpath *path);
/* Constraints ("PtCo"). */
ORV_API int OVpath_setconstraints(OVpath *path, int constraints);
/* Constraints; 0 for a null path. */
ORV_API int OVpath_getconstraints(const OVpath *path);
/* Elements advanced per playback step ("Speed"); below 1 becomes 1. */
ORV_API int OVpath_setspeed(OVpath *path, int speed);
/* Speed; -1 for a null path. */
ORV_API int OVpath_getspeed(const OVpath *path);
/* Passes between recorded samples ("PtSa"); below 1 becomes 1. */
ORV_API int OVpath_setsampling(OVpath *path, int interval);
/* Sampling interval; -1 for a null path. */
ORV_API int OVpath_getsampling(const OVpath *path);
/* The link whose target is recorded ("Record From"); refuses null. */
ORV_API int OVpath_setrecordfrom(OVpath *path, OVmotionlink *link);
/* The record-from link, or null. */
ORV_API OVmotionlink *OVpath_getrecordfrom(const OVpath *path);
/* Stores a copy of the marker geometry ("PtMa"); refuses null. */
ORV_API int OVpath_setmarkergeometry(OVpath *path, OVgeometry *geometry);
/* The path's copy of the marker geometry, or null. */
ORV_API OVgeometry *OVpath_getmarkergeometry(const OVpath *path);
/* Shows or hides every element's marker ("PtVi"). */
ORV_API int OVpath_setvisible(OVpath *path, int visible);
/* Whether markers are shown; 0 for a null path. */
ORV_API int OVpath_getvisible(const OVpath *path);
/* Replaces the marker object template (a legacy object; may be null). */
ORV_API void OVpath_setmarkerobject(OVpath *path, void *markertemplate);

/* Writes the path file; the path is idle afterwards. False when it cannot be written. */
ORV_API int OVpath_save(OVpath *path, const char *filename);
/* Reads a path file found along the model search path; null on failure. */
ORV_API OVpath *OVpath_load(const char *filename, void *markertemplate);
/* A new path through the elements: kind 1 Bezier, 2 B-spline, 3 straight
 * lines, with steps elements per segment; null when refused. */
ORV_API OVpath *OVpath_interpolate(OVpath *path, int steps, int kind);

/* The has-event-handlers flag of the property system. */
ORV_API void _OVpath_sethaseventhandlers(OVpath *path, int flag);
/* The has-event-handlers flag of the property system. */
ORV_API int _OVpath_gethaseventhandlers(const OVpath *path);
/* One pass of every path: recording and playback steps. */
ORV_API void _OVpath_runall(void);
/* Returns every path to idle without handlers. */
ORV_API void _OVpath_stopall(void);
/* Deletes every path. */
ORV_API void _OVpath_deleteall(void);

ORV_EXTERN_C_END

#endif
