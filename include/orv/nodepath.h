/* Orvane: node paths, root-to-node sequences through the scene graph that
 * name one appearance of a shared node and give its accumulated transform. */
#ifndef ORV_NODEPATH_H
#define ORV_NODEPATH_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* A path holding only its first node (usually a root); null for null. */
ORV_API OVnodepath *OVnodepath_new(OVnode *first);
/* Frees the path; the nodes are not touched. */
ORV_API void OVnodepath_delete(OVnodepath *path);
/* Appends a child of the last node: a real child, a child of a movable
   node's content or one of its attachments; false otherwise. */
ORV_API int OVnodepath_push(OVnodepath *path, OVnode *child);
/* Removes the last node; the first stays. */
ORV_API int OVnodepath_pop(OVnodepath *path);
/* Number of nodes on the path, the first included; 0 for null. */
ORV_API int OVnodepath_getlength(const OVnodepath *path);
/* The node at index (0 the first; -1 the last), or null. */
ORV_API OVnode *OVnodepath_getnode(const OVnodepath *path, int index);
/* The first path, in child order, from start down to node; null if none. */
ORV_API OVnodepath *OVnodepath_find(OVnode *start, OVnode *node);
/* The transform from the last node's frame (after its own transform for an
   Xform or movable node) to the first node's: p_first = p_last . out. Enabled
   Xform nodes before each step count, and so do the transforms that earlier
   group, anchor and switch siblings pass on. */
ORV_API int OVnodepath_getmatrix(const OVnodepath *path, OVm4 out);
/* Gives the last node, a movable or Xform node, the local transform that
   makes the path's accumulated transform the given one (through
   OVnode_settransform, handlers included); false for other last nodes or
   transforms that cannot be inverted. */
ORV_API int OVnodepath_setmatrix(OVnodepath *path, const OVm4 world);

ORV_EXTERN_C_END

#endif
