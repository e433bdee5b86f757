/* Orvane: scene-graph nodes, hierarchy and transforms. */
#ifndef ORV_NODE_H
#define ORV_NODE_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

enum {
    OVNODE_XFORM = 1,
    OVNODE_LOD = 2,
    OVNODE_MLOD = 3,
    OVNODE_SWITCH = 4,
    OVNODE_MSWITCH = 5,
    OVNODE_GEOMETRY = 6,
    OVNODE_MGEOMETRY = 7,
    OVNODE_GROUP = 8,
    OVNODE_SEPARATOR = 9,
    OVNODE_MSEPARATOR = 10,
    OVNODE_OBJECT = 11,
    OVNODE_LIGHT = 12,
    OVNODE_MLIGHT = 13,
    OVNODE_ANCHOR = 14,
    OVNODE_INLINE = 15,
    OVNODE_XFORMSEP = 16,
    OVNODE_MATERIAL = 17,
    OVNODE_FOG = 18,
    OVNODE_AMBIENT = 19,
    OVNODE_RENDERING = 20,
    OVNODE_ROOT = 21,
    OVNODE_LINK = 22,
    OVNODE_MTABLE = 26,
    OVNODE_GL = 28
};

/* An application's drawing callback in the scene. */
typedef void (*OVglnodefunc)(OVnode *node);

/* Constructors: the parent first (null: the holding root). */
ORV_API OVnode *OVrootnode_new(void);
ORV_API OVnode *OVgroupnode_new(OVnode *parent);
ORV_API OVnode *OVsepnode_new(OVnode *parent);
ORV_API OVnode *OVxformsepnode_new(OVnode *parent);
ORV_API OVnode *OVswitchnode_new(OVnode *parent);
ORV_API OVnode *OVanchornode_new(OVnode *parent);
ORV_API OVnode *OVinlinenode_new(OVnode *parent);
ORV_API OVnode *OVxformnode_new(OVnode *parent);
ORV_API OVnode *OVgeometrynode_new(OVnode *parent, OVgeometry *geometry);
ORV_API OVnode *OVlodnode_new(OVnode *parent);
/* Fails for a null callback; bit 0x01 of the flags is forced on. */
ORV_API OVnode *OVglnode_new(OVnode *parent, OVglnodefunc callback, int flags);
/* Movable nodes: separator, Xform and content. */
ORV_API OVnode *OVmovsepnode_new(OVnode *parent);
ORV_API OVnode *OVmovswitchnode_new(OVnode *parent);
ORV_API OVnode *OVmovgeometrynode_new(OVnode *parent, OVgeometry *geometry);
ORV_API OVnode *OVmovlodnode_new(OVnode *parent);

/* Hierarchy. */
ORV_API int OVnode_canaddchild(OVnode *parent, OVnode *child);
ORV_API int OVnode_addchild(OVnode *parent, OVnode *child);
ORV_API int OVnode_insertchild(OVnode *parent, OVnode *child, int index);
ORV_API int OVnode_removechild(OVnode *parent, int index);
ORV_API int OVnode_remove(OVnode *node);
ORV_API const char *OVnode_getchildren(OVnode *parent);
ORV_API int OVnode_numchildren(OVnode *node);
ORV_API OVnode *OVnode_getchild(OVnode *node, int index);
ORV_API int OVnode_numparents(OVnode *node);
ORV_API OVnode *OVnode_getparent(OVnode *node, int index);
ORV_API int OVnode_setchildren(OVnode *parent, const char *names);
/* New position j holds the child that was at order[j]. */
ORV_API int OVsepnode_reorder(OVnode *node, const int *order, int count);
ORV_API OVnode *OVuniverse_getrootnodes(void);
ORV_API OVnode *OVrootnode_next(OVnode *root);

/* Attributes. */
ORV_API int OVnode_gettype(const OVnode *node);
ORV_API int OVnode_ismovable(const OVnode *node);
ORV_API int OVnode_enable(OVnode *node, int on);
ORV_API int OVnode_isenabled(OVnode *node);
ORV_API int OVnode_getenabled(OVnode *node);
ORV_API int OVnode_setname(OVnode *node, const char *name);
ORV_API const char *OVnode_getname(const OVnode *node);
ORV_API void OVnode_setdata(OVnode *node, void *data);
ORV_API void *OVnode_getdata(OVnode *node);
ORV_API OVnode *OVuniverse_findnode(const char *name, int length);
ORV_API OVnode *OVuniverse_findnodebyname(const char *name, int n);
ORV_API int OVsepnode_setcullmode(OVnode *node, int mode);
ORV_API int OVsepnode_getcullmode(OVnode *node);
ORV_API int OVswitchnode_setwhichchild(OVnode *node, int which);
ORV_API int OVswitchnode_getwhichchild(OVnode *node);
ORV_API int OVanchornode_setlocation(OVnode *node, const char *url);
ORV_API const char *OVanchornode_getlocation(OVnode *node);
ORV_API int OVinlinenode_setlocation(OVnode *node, const char *location);
ORV_API const char *OVinlinenode_getlocation(OVnode *node);
ORV_API OVgeometry *OVnode_getgeometry(OVnode *node);
/* The stationary object an object node shows, else null. */
ORV_API void *OVnode_getobject(OVnode *node);

/* Level of detail: ranges are distances from the centre. */
ORV_API int OVlodnode_setrange(OVnode *node, const float *ranges, int count);
ORV_API int OVlodnode_getrange(OVnode *node, float *out, int capacity);
ORV_API int OVlodnode_numranges(OVnode *node);
ORV_API int OVlodnode_setranges(OVnode *node, const char *text);
ORV_API const char *OVlodnode_getranges(OVnode *node);
ORV_API int OVlodnode_setcenter(OVnode *node, const OVp3 center);
ORV_API int OVlodnode_getcenter(OVnode *node, OVp3 out);

/* OpenGL callback nodes. */
ORV_API int OVglnode_setflags(OVnode *node, int flags);
ORV_API int OVglnode_getflags(OVnode *node);
ORV_API int OVglnode_setcullingbox(OVnode *node, const OVp3 min, const OVp3 max);
ORV_API int OVglnode_replacecallback(OVnode *node, OVglnodefunc callback);

/* Attachments of movable nodes. Index -1 appends. */
ORV_API int OVmovnode_attach(OVnode *movable, OVnode *node, int index);
ORV_API int OVmovnode_detach(OVnode *movable, int index);
ORV_API int OVmovnode_deleteattachment(OVnode *movable, int index);
ORV_API int OVmovnode_numattachments(OVnode *movable);
ORV_API OVnode *OVmovnode_getattachment(OVnode *movable, int index);

/* Transforms of Xform and movable nodes. */
ORV_API int OVnode_settranslation(OVnode *node, const OVp3 p);
ORV_API int OVnode_gettranslation(OVnode *node, OVp3 out);
ORV_API int OVnode_setrotation(OVnode *node, const OVm3 m);
ORV_API int OVnode_getrotation(OVnode *node, OVm3 out);
ORV_API int OVnode_setorientation(OVnode *node, const OVq q);
ORV_API int OVnode_getorientation(const OVnode *node, OVq out);
ORV_API int OVnode_settransform(OVnode *node, const OVm4 m);
/* False, and the identity written, for a node without a transform. */
ORV_API int OVnode_gettransform(const OVnode *node, OVm4 out);
/* Incremental changes; frame 0: the node's own axes, 3: the parent's.
   Axis 0 X, 1 Y, 2 Z; three angles compose as R_Y(first) R_X(second) R_Z(third). */
ORV_API int OVnode_translate(OVnode *node, const OVp3 v, int frame);
ORV_API int OVnode_rotateaxis(OVnode *node, int axis, float degrees, int frame);
ORV_API int OVnode_axisrotation(OVnode *node, int axis, float radians, int frame);
ORV_API int OVnode_rotate(OVnode *node, float first, float second, float third, int frame);
ORV_API int OVnode_rotation(OVnode *node, float first, float second, float third, int frame);
ORV_API int OVnode_rotateq(OVnode *node, const OVq q, int frame);
ORV_API int OVnode_rotatem3(OVnode *node, const OVm3 m, int frame);
ORV_API int OVnode_rotatem4(OVnode *node, const OVm4 m, int frame);

/* Bounds in the node's own frame, and the bounding-box display flag. */
ORV_API int OVnode_getextents(OVnode *node, OVp3 out);
ORV_API int OVnode_getmidpoint(OVnode *node, OVp3 out);
ORV_API float OVnode_getradius(OVnode *node);
ORV_API int OVnode_boundingbox(OVnode *node, int on);
ORV_API int OVnode_hasboundingbox(OVnode *node);
ORV_API int OVnode_getboundingbox(OVnode *node);

/* Deletion and printing. */
ORV_API void OVnode_delete(OVnode *node);
ORV_API int OVnode_deletechild(OVnode *parent, int index);
ORV_API void OVnode_vacuum(void);
ORV_API void OVnode_print(OVnode *node);
/* Polygons of the enabled geometries below the node, each appearance counted. */
ORV_API int OVnode_numpolys(OVnode *node);

/* Shared with the modules that make nodes of their own types. */
ORV_API void _OVnode_changed(OVnode *node);
/* The transform a subtree passes on to what follows it; returns its kind
   (0: none, out untouched). */
ORV_API int _OVnode_getxforms(OVnode *node, OVm4 out);
ORV_API int _OVnode_ready(void);
ORV_API void _OVnode_deleteall(int all);
/* Deletes a geometry, object or light node; its record lives on. */
ORV_API void _OVnode_delete(OVnode *node);

ORV_EXTERN_C_END

#endif
