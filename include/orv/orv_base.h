/* Orvane: basic types, handles and the export convention shared by every
 * public header. */
#ifndef ORV_BASE_H
#define ORV_BASE_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
#define ORV_EXTERN_C_BEGIN extern "C" {
#define ORV_EXTERN_C_END }
#else
#define ORV_EXTERN_C_BEGIN
#define ORV_EXTERN_C_END
#endif

/* The toolkit's release, as the start-up banner prints it. */
#define ORV_VERSION_MAJOR 9
#define ORV_VERSION_MINOR 0
#define ORV_VERSION_PATCH 0

/* Every toolkit function is exported from the shared library; everything
 * else stays hidden. */
#define ORV_API __attribute__((visibility("default")))

/* Points, quaternions (x, y, z, w; w last) and row-major matrices with points
 * as row vectors and the translation in the fourth row. */
typedef float OVp2[2];
typedef float OVp3[3];
typedef float OVq[4];
typedef float OVm3[3][3];
typedef float OVm4[4][4];
typedef struct {
    OVp3 p;
    OVq q;
} OVpq;

/* The toolkit's "too small" threshold for lengths, angles and quaternion
 * components. */
#define OV_TOLERANCE 0.004f

/* Opaque handles: applications never see record layouts. */
typedef struct OVnode OVnode;
typedef struct OVgeometry OVgeometry;
typedef struct OVpoly OVpoly;
typedef struct OVvertex OVvertex;
typedef struct OVpolylist OVpolylist;
typedef struct OVgeomlist OVgeomlist;
typedef struct OVmtable OVmtable;
typedef struct OVviewpoint OVviewpoint;
typedef struct OVwindow OVwindow;
typedef struct OVsensor OVsensor;
typedef struct OVmotionlink OVmotionlink;
typedef struct OVpath OVpath;
typedef struct OVtask OVtask;
typedef struct OVfont3d OVfont3d;
typedef struct OVnodepath OVnodepath;

/* Object type codes carried in the first byte of every toolkit record. Codes
 * below 30 are node types. */
enum {
    OVTYPE_VIEWPOINT = 31,
    OVTYPE_WINDOW = 32,
    OVTYPE_SENSOR = 33,
    OVTYPE_PATH = 34,
    OVTYPE_BASE = 36
};

typedef void (*OVactionfn)(void);

#endif
