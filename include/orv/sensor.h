/* Orvane: sensors, the uniform view of input devices, and their drivers. */
#ifndef ORV_SENSOR_H
#define ORV_SENSOR_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* A device's serial connection, owned and deleted by its sensor. */
typedef struct OVserialport OVserialport;

/* Driver functions: open returns 0 on failure; update writes this pass's
 * relative record; close releases the device. */
typedef int (*OVsensoropenfn)(OVsensor *sensor);
typedef void (*OVsensorfn)(OVsensor *sensor);

/* Sensor types: 2 has no device (open and close are never called). */
enum { OVSENSOR_DEVICE = 0, OVSENSOR_DEVICE1 = 1, OVSENSOR_NODEVICE = 2 };

/* Constraint bits that switch off degrees of freedom in drivers. */
enum {
    OVSENSOR_NOTX = 0x01,
    OVSENSOR_NOTY = 0x02,
    OVSENSOR_NOTZ = 0x04,
    OVSENSOR_NORX = 0x08,
    OVSENSOR_NORY = 0x10,
    OVSENSOR_NORZ = 0x20
};

/* A new sensor appended to the universe's list; null when open fails. */
ORV_API OVsensor *OVsensor_new(OVsensoropenfn open, OVsensorfn close, OVsensorfn update,
                               OVserialport *port, int parameter, int type);
/* Deletes the sensor, its motion links, buffers, serial port and handlers. */
ORV_API void OVsensor_delete(OVsensor *sensor);
/* The next sensor in the universe's list. */
ORV_API OVsensor *OVsensor_next(const OVsensor *sensor);
/* The first sensor in the universe's list. */
ORV_API OVsensor *OVuniverse_getsensors(void);
/* First sensor whose name matches in its first length characters. */
ORV_API OVsensor *OVuniverse_findsensor(const char *name, int length);

/* Stores a copy of the name (null clears); false when the name-stored hook refuses. */
ORV_API int OVsensor_setname(OVsensor *sensor, const char *name);
/* The stored name, or null. */
ORV_API const char *OVsensor_getname(const OVsensor *sensor);
/* Stores the application's pointer. */
ORV_API void OVsensor_setdata(OVsensor *sensor, void *data);
/* The application's pointer; null for null. */
ORV_API void *OVsensor_getdata(const OVsensor *sensor);

/* This pass's relative translation; zero for null. */
ORV_API void OVsensor_gettranslation(const OVsensor *sensor, OVp3 translation);
/* This pass's relative rotation; the identity for null. */
ORV_API void OVsensor_getrotation(const OVsensor *sensor, OVq rotation);
/* Sets translation and rotation ("Translation", then "Rotation"). */
ORV_API int OVsensor_setrecord(OVsensor *sensor, const OVp3 translation, const OVq rotation);
/* Sets this pass's translation ("Translation"); false when vetoed. */
ORV_API int OVsensor_settranslation(OVsensor *sensor, const OVp3 translation);
/* Sets this pass's rotation ("Rotation"); false for an invalid quaternion or a veto. */
ORV_API int OVsensor_setrotation(OVsensor *sensor, const OVq rotation);

/* Sets the last record, translation then rotation ("Snlt", "Snlr"). */
ORV_API int OVsensor_setlastrecord(OVsensor *sensor, const OVp3 translation, const OVq rotation);
/* The last record: translation and rotation. */
ORV_API void OVsensor_getlastrecord(const OVsensor *sensor, OVp3 translation, OVq rotation);
/* Sets the last translation ("Snlt"). */
ORV_API int OVsensor_setlasttranslation(OVsensor *sensor, const OVp3 translation);
/* Sets the last rotation ("Snlr"); the quaternion is not checked. */
ORV_API int OVsensor_setlastrotation(OVsensor *sensor, const OVq rotation);
/* The last translation; zero for null. */
ORV_API void OVsensor_getlasttranslation(const OVsensor *sensor, OVp3 translation);
/* The last rotation; the identity for null. */
ORV_API void OVsensor_getlastrotation(const OVsensor *sensor, OVq rotation);

/* Translation scale of drivers ("Sensitivity"); negative values are refused. */
ORV_API int OVsensor_setsensitivity(OVsensor *sensor, float sensitivity);
/* Translation scale of drivers; 0 for null. */
ORV_API float OVsensor_getsensitivity(const OVsensor *sensor);
/* Rotation scale of drivers in radians ("Angular rate"). */
ORV_API int OVsensor_setangularrate(OVsensor *sensor, float rate);
/* Rotation scale of drivers in radians; 0 for null. */
ORV_API float OVsensor_getangularrate(const OVsensor *sensor);
/* The update function called every pass ("SnUp"). */
ORV_API int OVsensor_setupdatefn(OVsensor *sensor, OVsensorfn update);
/* The update function called every pass; null for null. */
ORV_API OVsensorfn OVsensor_getupdatefn(const OVsensor *sensor);
/* Driver-defined state bits ("Misc data"). */
ORV_API int OVsensor_setmiscdata(OVsensor *sensor, unsigned int value);
/* Driver-defined state bits (the mouse's buttons); 0 for null. */
ORV_API unsigned int OVsensor_getmiscdata(const OVsensor *sensor);
/* Driver-owned buffer, freed with the sensor ("SnRa"). */
ORV_API int OVsensor_setrawdata(OVsensor *sensor, void *data);
/* The driver-owned buffer; null for null. */
ORV_API void *OVsensor_getrawdata(const OVsensor *sensor);
/* Constraint bits (OVSENSOR_NOTX ...). */
ORV_API void OVsensor_setconstraints(OVsensor *sensor, unsigned int bits);
/* Constraint bits (OVSENSOR_NOTX ...); 0 for null. */
ORV_API unsigned int OVsensor_getconstraints(const OVsensor *sensor);
/* The serial connection given at creation. */
ORV_API OVserialport *OVsensor_getserialport(const OVsensor *sensor);
/* The device parameter given at creation; -1 for null. */
ORV_API int OVsensor_getparameter(const OVsensor *sensor);

/* Sets the reference frame in which records are expressed ("SnRf"). */
ORV_API void OVsensor_rotate(OVsensor *sensor, const OVq frame);
/* The reference frame; identity for null. */
ORV_API void OVsensor_getreferenceframe(const OVsensor *sensor, OVq frame);

/* Sets the has-event-handlers flag of the property system. */
ORV_API void _OVsensor_sethaseventhandlers(OVsensor *sensor, int flag);
/* The has-event-handlers flag of the property system; 0 for null. */
ORV_API int _OVsensor_gethaseventhandlers(const OVsensor *sensor);

/* Combines a relative motion with the record: mode 0 in the sensor's own
 * frame, 1 in world axes, 2 in the current viewpoint's frame. */
ORV_API void OVsensor_combine(OVsensor *sensor, const OVp3 translation, const OVq rotation,
                              int mode);

/* A serial connection record for a device name (the port is not opened). */
ORV_API OVserialport *OVserialport_new(const char *device);
/* Deletes a serial connection record. */
ORV_API void OVserialport_delete(OVserialport *port);

ORV_EXTERN_C_END

#endif
