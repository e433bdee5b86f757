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

/* A new root node at the end of the universe's root list. */
ORV_API OVnode *OVrootnode_new(void);
/* A group under the parent (null: the holding root); its transforms reach later siblings. */
ORV_API OVnode *OVgroupnode_new(OVnode *parent);
/* A separator under the parent, cull mode 3; transforms inside stay inside. */
ORV_API OVnode *OVsepnode_new(OVnode *parent);
/* A transform separator under the parent: transforms stay inside, lights and fog do not. */
ORV_API OVnode *OVxformsepnode_new(OVnode *parent);
/* A switch under the parent, selecting no child (-1). */
ORV_API OVnode *OVswitchnode_new(OVnode *parent);
/* An anchor under the parent, with no URL. */
ORV_API OVnode *OVanchornode_new(OVnode *parent);
/* An inline node under the parent, with no location. */
ORV_API OVnode *OVinlinenode_new(OVnode *parent);
/* An Xform node under the parent holding the identity transform. */
ORV_API OVnode *OVxformnode_new(OVnode *parent);
/* A geometry node showing the geometry; null when it already has a node. */
ORV_API OVnode *OVgeometrynode_new(OVnode *parent, OVgeometry *geometry);
/* A level-of-detail node under the parent, centre (0, 0, 0), no ranges. */
ORV_API OVnode *OVlodnode_new(OVnode *parent);
/* Fails for a null callback; bit 0x01 of the flags is forced on. */
ORV_API OVnode *OVglnode_new(OVnode *parent, OVglnodefunc callback, int flags);
/* Movable separator: a separator holding an Xform node and the content separator. */
ORV_API OVnode *OVmovsepnode_new(OVnode *parent);
/* Movable switch: a separator holding an Xform node and the switch. */
ORV_API OVnode *OVmovswitchnode_new(OVnode *parent);
/* Movable geometry node: a separator holding an Xform node and the geometry node. */
ORV_API OVnode *OVmovgeometrynode_new(OVnode *parent, OVgeometry *geometry);
/* Movable level of detail: a separator holding an Xform node and the LOD node. */
ORV_API OVnode *OVmovlodnode_new(OVnode *parent);

/* Whether the child could be added: a grouping parent that the child does not contain. */
ORV_API int OVnode_canaddchild(OVnode *parent, OVnode *child);
/* Appends the child ("Children"); roots and cycles are refused. */
ORV_API int OVnode_addchild(OVnode *parent, OVnode *child);
/* Inserts the child before the one at index; index = child count appends ("Children"). */
ORV_API int OVnode_insertchild(OVnode *parent, OVnode *child, int index);
/* Removes the edge at index; a child left without parents goes to the holding root. */
ORV_API int OVnode_removechild(OVnode *parent, int index);
/* Removes the node from all its parents into the holding root. */
ORV_API int OVnode_remove(OVnode *node);
/* The comma-joined child names as last built, or null. */
ORV_API const char *OVnode_getchildren(OVnode *parent);
/* Number of children of a grouping node, else 0. */
ORV_API int OVnode_numchildren(OVnode *node);
/* The child at index, or null. */
ORV_API OVnode *OVnode_getchild(OVnode *node, int index);
/* Number of real parents (0 in the holding root). */
ORV_API int OVnode_numparents(OVnode *node);
/* The index-th parent; a movable node stands for its inner nodes. */
ORV_API OVnode *OVnode_getparent(OVnode *node, int index);
/* Replaces all children by the nodes named in the text; unknown names are skipped. */
ORV_API int OVnode_setchildren(OVnode *parent, const char *names);
/* New position j holds the child that was at order[j]. */
ORV_API int OVsepnode_reorder(OVnode *node, const int *order, int count);
/* The universe's first root node, or null. */
ORV_API OVnode *OVuniverse_getrootnodes(void);
/* The next root in the universe's list; null at the end or for a non-root. */
ORV_API OVnode *OVrootnode_next(OVnode *root);

/* The node's type code (OVNODE_...; a movable node its content's plus one); 0 for null. */
ORV_API int OVnode_gettype(const OVnode *node);
/* Whether the node is a movable node. */
ORV_API int OVnode_ismovable(const OVnode *node);
/* Switches a geometry, separator, light, ambient, fog or GL node on or off ("Enabled"). */
ORV_API int OVnode_enable(OVnode *node, int on);
/* Whether the node is enabled; 0 for null. */
ORV_API int OVnode_isenabled(OVnode *node);
/* The same as OVnode_isenabled (the "Enabled" property's getter). */
ORV_API int OVnode_getenabled(OVnode *node);
/* Keeps a copy of the name (null clears) and indexes it; false when refused. */
ORV_API int OVnode_setname(OVnode *node, const char *name);
/* The node's name, or null. */
ORV_API const char *OVnode_getname(const OVnode *node);
/* Stores the application's pointer. */
ORV_API void OVnode_setdata(OVnode *node, void *data);
/* The application's pointer; null for null. */
ORV_API void *OVnode_getdata(OVnode *node);
/* A node whose name matches name in its first length characters, or null. */
ORV_API OVnode *OVuniverse_findnode(const char *name, int length);
/* The n-th node (0 the most recently named) named exactly name, or null. */
ORV_API OVnode *OVuniverse_findnodebyname(const char *name, int n);
/* Cull mode 1 to 3 of a separator ("SeCu"). */
ORV_API int OVsepnode_setcullmode(OVnode *node, int mode);
/* Cull mode of a separator. */
ORV_API int OVsepnode_getcullmode(OVnode *node);
/* Selects child k >= 0, none (-1) or all (-3) of a switch ("Active Child"). */
ORV_API int OVswitchnode_setwhichchild(OVnode *node, int which);
/* The switch's selection; -2 for other nodes. */
ORV_API int OVswitchnode_getwhichchild(OVnode *node);
/* Keeps a copy of an anchor's URL ("URL"). */
ORV_API int OVanchornode_setlocation(OVnode *node, const char *url);
/* An anchor's URL, or null. */
ORV_API const char *OVanchornode_getlocation(OVnode *node);
/* Keeps a copy of an inline node's location ("Location"). */
ORV_API int OVinlinenode_setlocation(OVnode *node, const char *location);
/* An inline node's location, or null. */
ORV_API const char *OVinlinenode_getlocation(OVnode *node);
/* The geometry of a geometry node (through a movable), else null. */
ORV_API OVgeometry *OVnode_getgeometry(OVnode *node);
/* The stationary object an object node shows, else null. */
ORV_API void *OVnode_getobject(OVnode *node);

/* LOD ranges, distances from the centre: child i lies between range i-1 and i ("Ranges"). */
ORV_API int OVlodnode_setrange(OVnode *node, const float *ranges, int count);
/* Copies the ranges out; false when capacity is below their count. */
ORV_API int OVlodnode_getrange(OVnode *node, float *out, int capacity);
/* Number of ranges; -1 for a node that is not a LOD node. */
ORV_API int OVlodnode_numranges(OVnode *node);
/* Sets the ranges from text, numbers separated by any of " ,;". */
ORV_API int OVlodnode_setranges(OVnode *node, const char *text);
/* The ranges as comma-joined text, or null. */
ORV_API const char *OVlodnode_getranges(OVnode *node);
/* Centre from which LOD distances are measured ("LoCe"). */
ORV_API int OVlodnode_setcenter(OVnode *node, const OVp3 center);
/* The LOD centre. */
ORV_API int OVlodnode_getcenter(OVnode *node, OVp3 out);

/* Stores an OpenGL node's flags as given. */
ORV_API int OVglnode_setflags(OVnode *node, int flags);
/* An OpenGL node's flags; 0 for other nodes. */
ORV_API int OVglnode_getflags(OVnode *node);
/* Culling box of an OpenGL node by two corners; it counts in the bounds above it. */
ORV_API int OVglnode_setcullingbox(OVnode *node, const OVp3 min, const OVp3 max);
/* Replaces an OpenGL node's callback; null is refused. */
ORV_API int OVglnode_replacecallback(OVnode *node, OVglnodefunc callback);

/* Attaches a node to a movable node at attachment index (-1 appends) ("MvAt"). */
ORV_API int OVmovnode_attach(OVnode *movable, OVnode *node, int index);
/* Detaches attachment index; the node itself stays ("MvAt"). */
ORV_API int OVmovnode_detach(OVnode *movable, int index);
/* Detaches attachment index and deletes the node ("MvAt"). */
ORV_API int OVmovnode_deleteattachment(OVnode *movable, int index);
/* Number of attachments of a movable node. */
ORV_API int OVmovnode_numattachments(OVnode *movable);
/* The attachment at index, or null. */
ORV_API OVnode *OVmovnode_getattachment(OVnode *movable, int index);

/* Translation of an Xform or movable node ("Translation"). */
ORV_API int OVnode_settranslation(OVnode *node, const OVp3 p);
/* Translation of an Xform or movable node. */
ORV_API int OVnode_gettranslation(OVnode *node, OVp3 out);
/* Rotation part (upper 3x3) of an Xform or movable node ("Rotation"). */
ORV_API int OVnode_setrotation(OVnode *node, const OVm3 m);
/* Rotation part (upper 3x3) of an Xform or movable node. */
ORV_API int OVnode_getrotation(OVnode *node, OVm3 out);
/* Rotation part from a quaternion ("Rotation"). */
ORV_API int OVnode_setorientation(OVnode *node, const OVq q);
/* Rotation part as a quaternion. */
ORV_API int OVnode_getorientation(const OVnode *node, OVq out);
/* The whole transform; a vetoed half ("Translation", "Rotation") is put back. */
ORV_API int OVnode_settransform(OVnode *node, const OVm4 m);
/* False, and the identity written, for a node without a transform. */
ORV_API int OVnode_gettransform(const OVnode *node, OVm4 out);
/* Moves by v; frame 0 along the node's own axes, 3 along the parent's. */
ORV_API int OVnode_translate(OVnode *node, const OVp3 v, int frame);
/* Turns about axis 0 X, 1 Y or 2 Z by degrees; frame 0 own axes, 3 the parent's. */
ORV_API int OVnode_rotateaxis(OVnode *node, int axis, float degrees, int frame);
/* OVnode_rotateaxis with the angle in radians. */
ORV_API int OVnode_axisrotation(OVnode *node, int axis, float radians, int frame);
/* Turns by R_Y(first) R_X(second) R_Z(third), angles in degrees; frame 0 or 3. */
ORV_API int OVnode_rotate(OVnode *node, float first, float second, float third, int frame);
/* OVnode_rotate with the angles in radians. */
ORV_API int OVnode_rotation(OVnode *node, float first, float second, float third, int frame);
/* Turns by a quaternion; frame 0 own axes, 3 the parent's. */
ORV_API int OVnode_rotateq(OVnode *node, const OVq q, int frame);
/* Turns by a rotation matrix; frame 0 own axes, 3 the parent's. */
ORV_API int OVnode_rotatem3(OVnode *node, const OVm3 m, int frame);
/* Composes a whole matrix, translation included; frame 0 or 3. */
ORV_API int OVnode_rotatem4(OVnode *node, const OVm4 m, int frame);

/* Half-size of the node's bounds along each axis, in its own frame; false without bounds. */
ORV_API int OVnode_getextents(OVnode *node, OVp3 out);
/* Midpoint of the node's bounds in its own frame; false without bounds. */
ORV_API int OVnode_getmidpoint(OVnode *node, OVp3 out);
/* Radius of the node's bounds; -1 without bounds. */
ORV_API float OVnode_getradius(OVnode *node);
/* Shows or hides the node's bounding box ("BoundingBox"). */
ORV_API int OVnode_boundingbox(OVnode *node, int on);
/* Whether the bounding box is shown. */
ORV_API int OVnode_hasboundingbox(OVnode *node);
/* The same as OVnode_hasboundingbox (the "BoundingBox" property's getter). */
ORV_API int OVnode_getboundingbox(OVnode *node);

/* Deletes the node from all its parents with its subtree and data; false for a root or null. */
ORV_API int OVnode_delete(OVnode *node);
/* Removes the child at index, deleting it when it has no other parent. */
ORV_API int OVnode_deletechild(OVnode *parent, int index);
/* Deletes every node below the roots and the holding root; the roots stay. */
ORV_API void OVnode_vacuum(void);
/* Prints the subtree, one "Depth" line per node, indented by depth. */
ORV_API void OVnode_print(OVnode *node);
/* Polygons of the enabled geometries below the node, each appearance counted. */
ORV_API int OVnode_numpolys(OVnode *node);

/* Marks a geometry or object node and everything above it changed. */
ORV_API void _OVnode_changed(OVnode *node);
/* The transform a subtree passes on to what follows it; returns its kind
   (0: none, out untouched). */
ORV_API int _OVnode_getxforms(OVnode *node, OVm4 out);
/* Runs the renderer's preparation pass once over each window's root node. */
ORV_API int _OVnode_ready(void);
/* Deletes every root's subtree and the holding root's; all also frees the roots and pools. */
ORV_API void _OVnode_deleteall(int all);
/* Deletes a geometry, object or light node; its record lives on. */
ORV_API void _OVnode_delete(OVnode *node);

ORV_EXTERN_C_END

#endif
