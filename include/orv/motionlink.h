/* Orvane: motion links that let a sensor's per-pass record move a target. */
#ifndef ORV_MOTIONLINK_H
#define ORV_MOTIONLINK_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Target types. */
enum {
    OVLINK_VIEWPOINT = 0,
    OVLINK_OBJECT = 1,
    OVLINK_LIGHT = 2,
    OVLINK_XFORM = 3,
    OVLINK_NODEPATH = 4,
    OVLINK_MOVABLE = 5
};

/* Reference frames of OVmotionlink_setreferenceframe: the axes in which a
 * sensor's motion is applied. Viewpoints take own, world and reference
 * (as own); nodes own, parent and reference (with a reference node); node
 * paths own, world and reference (with a reference node). */
enum { OVFRAME_OWN = 0, OVFRAME_WORLD = 1, OVFRAME_REFERENCE = 2, OVFRAME_PARENT = 3 };

/* Constraint kinds: position x, y, z; direction angles about x, y; twist. */
enum {
    OVLINK_CONSTRAIN_X = 1,
    OVLINK_CONSTRAIN_Y = 2,
    OVLINK_CONSTRAIN_Z = 4,
    OVLINK_CONSTRAIN_RX = 8,
    OVLINK_CONSTRAIN_RY = 16,
    OVLINK_CONSTRAIN_TWIST = 32
};

/* A link from the sensor (source type 0) to a target of the given type;
 * null when refused. */
ORV_API OVmotionlink *OVmotionlink_new(OVsensor *sensor, void *target, int sourcetype,
                                       int targettype);
/* Unlinks and frees the link. */
ORV_API void OVmotionlink_delete(OVmotionlink *link);
/* Deletes every link whose target is the object. */
ORV_API void OVmotionlink_deletetarget(void *target);
/* The next link in the universe's list. */
ORV_API OVmotionlink *OVmotionlink_next(const OVmotionlink *link);
/* The first link in the universe's list. */
ORV_API OVmotionlink *OVuniverse_getmotionlinks(void);
/* The source and its type; false for null arguments. */
ORV_API int OVmotionlink_getsource(const OVmotionlink *link, OVsensor **sensor, int *sourcetype);
/* The target and its type; false for null arguments. */
ORV_API int OVmotionlink_gettarget(const OVmotionlink *link, void **target, int *targettype);
/* The axes the sensor's motion is applied in; false when refused. */
ORV_API int OVmotionlink_setreferenceframe(OVmotionlink *link, int frame, OVnode *reference);
/* The reference frame; -1 for null. */
ORV_API int OVmotionlink_getreferenceframe(const OVmotionlink *link);
/* The frame constraints are measured in; false when refused. */
ORV_API int OVmotionlink_setconstraintframe(OVmotionlink *link, int frame);
/* The constraint frame; -1 for null. */
ORV_API int OVmotionlink_getconstraintframe(const OVmotionlink *link);
/* Adds or updates the constraint of a kind; false when the bounds are refused. */
ORV_API int OVmotionlink_addconstraint(OVmotionlink *link, int kind, float minimum, float maximum);
/* Removes the constraint of a kind; false when absent. */
ORV_API int OVmotionlink_removeconstraint(OVmotionlink *link, int kind);
/* Switches the link on or off; only enabled links are applied. */
ORV_API void OVmotionlink_enable(OVmotionlink *link, int on);
/* Whether the link is applied; 0 for null. */
ORV_API int OVmotionlink_isenabled(const OVmotionlink *link);
/* Stores the application's pointer. */
ORV_API void OVmotionlink_setdata(OVmotionlink *link, void *data);
/* The application's pointer; null for null. */
ORV_API void *OVmotionlink_getdata(const OVmotionlink *link);
/* The target's current position and orientation. */
ORV_API int OVmotionlink_gettargetpose(const OVmotionlink *link, OVpq *pose);

/* Makes the sensor drive an Xform or movable node; null for other nodes. */
ORV_API OVmotionlink *OVnode_addsensor(OVnode *node, OVsensor *sensor);
/* Removes the link between the node and the sensor; false when there is none. */
ORV_API int OVnode_removesensor(OVnode *node, OVsensor *sensor);

/* Applies a link's sensor record to its viewpoint target. */
ORV_API void _OVviewpoint_applymotion(OVmotionlink *link);
/* Applies a link's sensor record to its node target. */
ORV_API void _OVnode_sensorupdate(OVmotionlink *link);
/* A node-path target: the path's last node gets the local transform that
   moves its accumulated (world) transform by the sensor's record. */
ORV_API void _OVnodepath_sensorupdate(OVmotionlink *link);

ORV_EXTERN_C_END

#endif
