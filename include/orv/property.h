/* Orvane: named, typed properties of toolkit objects, their event handlers,
 * the event clock and the generic base object. */
#ifndef ORV_PROPERTY_H
#define ORV_PROPERTY_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Value type codes. OVNOPROPERTY stands for a missing property. */
enum {
    OVINT = 0,
    OVUINT = 1,
    OVFLOAT = 2,
    OVDOUBLE = 3,
    OVP2 = 4,
    OVP3 = 5,
    OVQ = 6,
    OVSTRING = 7,
    OVPOINTER = 8,
    OVM3 = 9,
    OVNOPROPERTY = 11
};

/* A typed property value. An OVSTRING value owns its text. */
typedef struct {
    int type;
    union {
        int32_t i;
        uint32_t u;
        float f;
        double d;
        float p2[2];
        float p3[3];
        float q[4];
        char *s;
        void *p;
        float m3[3][3];
    } v;
} OVvalue;

/* A pre-handler: return 0 to refuse the change. */
typedef int (*OVprehandler)(void *object, const char *name, double time);
/* A handler: told of a change in the event pass after it. value points to the
 * payload of the property's type (for OVSTRING the text itself); timed
 * handlers get a null value. */
typedef void (*OVhandler)(void *object, const char *name, void *value, double time);

/* Adds a handler for the property of the object (once per function). */
ORV_API int OVproperty_addhandler(void *object, const char *name, OVhandler function);
/* Removes a handler; false when it was not registered. */
ORV_API int OVproperty_removehandler(void *object, const char *name, OVhandler function);
/* Adds a pre-handler for the property of the object (once per function). */
ORV_API int OVproperty_addhandler_pre(void *object, const char *name, OVprehandler function);
/* Removes a pre-handler; false when it was not registered. */
ORV_API int OVproperty_removehandler_pre(void *object, const char *name, OVprehandler function);
/* Number of handlers of the property; 0 when none or unknown. */
ORV_API int OVproperty_numhandlers(void *object, const char *name);
/* The index-th handler of the property, or null. */
ORV_API OVhandler OVproperty_gethandler(void *object, const char *name, int index);
/* Asks the pre-handlers in registration order; false as soon as one refuses. */
ORV_API int OVproperty_firehandlers_pre(void *object, const char *name);
/* Queues a change event with a copy of *value when the property has handlers;
 * 0 when nothing was queued. */
ORV_API int OVproperty_firehandlers(void *object, const char *name, void *value);

/* Sets a property from a typed value of the property's type; an OVSTRING
 * text is freed afterwards (and the value's pointer cleared). */
ORV_API int OVproperty_set(void *object, const char *name, OVvalue *value);
/* Sets a property from a pointer to a payload of the property's type. */
ORV_API int OVproperty_setraw(void *object, const char *name, void *payload);
/* Reads a property; type OVNOPROPERTY when it cannot be read. Free with
 * OVvalue_free. */
ORV_API OVvalue OVproperty_get(void *object, const char *name);
/* The property's value type, or OVNOPROPERTY. */
ORV_API int OVproperty_gettype(void *object, const char *name);

/* A fresh value of the type: zero, or the identity for OVM3. */
ORV_API OVvalue OVvalue_new(int type);
/* Frees the text of an OVSTRING value. */
ORV_API void OVvalue_free(OVvalue *value);
/* The name of a value type ("OVINT" ...), or null. */
ORV_API const char *OVvalue_typename(int type);
/* Writes the value as text into buffer (at most size bytes); returns buffer. */
ORV_API char *OVvalue_totext(const OVvalue *value, char *buffer, size_t size);

/* Adds a dynamic property holding a fresh value of the type. */
ORV_API int OVbase_addproperty(void *object, const char *name, int type);
/* Number of static and dynamic properties of the object. */
ORV_API int OVbase_numproperties(void *object);
/* The index-th property name of the object, or null. */
ORV_API const char *OVbase_getpropertyname(void *object, int index);
/* Deletes the object's dynamic properties and their handlers. */
ORV_API void OVbase_deleteproperties(void *object);
/* Removes the object from the handler, pre-handler and timed registries and
 * drops its queued events. */
ORV_API void OVbase_removeallhandlers(void *object);
/* Prints the object, its properties and its children. */
ORV_API void OVbase_print(void *object);

/* A generic base object (type code OVTYPE_BASE) with a copy of the name. */
ORV_API void *OVbase_new(const char *name);
/* Deletes a base object with its handlers and dynamic properties, or an
 * object of another class through that class's delete function. */
ORV_API void OVbase_delete(void *object);
/* Renames a base object; refused while "_OVbase_isnamestored" says so. */
ORV_API int OVbase_setname(void *object, const char *name);
/* The name of an object of any class, or null. */
ORV_API const char *OVbase_getname(void *object);

/* Seconds on the event clock (started with the event system). */
ORV_API double OVevent_gettime(void);
/* Calls function once for the object and property in the first event pass at
 * least delay seconds from now, before the queued property events. */
ORV_API int OVevent_addtimed(void *object, const char *name, OVhandler function, double delay);
/* Cancels a pending timed call; false when none. */
ORV_API int OVevent_removetimed(void *object, const char *name, OVhandler function);

/* Sets the has-event-handlers flag of a node (kept in the node header). */
ORV_API void _OVnode_sethaseventhandlers(OVnode *node, int flag);
/* The has-event-handlers flag of a node; 0 for null. */
ORV_API int _OVnode_gethaseventhandlers(OVnode *node);

ORV_EXTERN_C_END

#endif
