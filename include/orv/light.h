/* Orvane: light and fog nodes, and light files. */
#ifndef ORV_LIGHT_H
#define ORV_LIGHT_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Light kinds reported by OVlightnode_gettype. */
enum { OVLIGHT_DIRECTED = 0, OVLIGHT_POINT = 1, OVLIGHT_SPOT = 2, OVLIGHT_AMBIENT = 3 };

/* Directed light along (0, 0, 1), intensity 1; null when eight lights exist. */
ORV_API OVnode *OVlightnode_newdirected(OVnode *parent);
/* Point light at the origin, intensity 1; null when eight lights exist. */
ORV_API OVnode *OVlightnode_newpoint(OVnode *parent);
/* Spot light, intensity 1, angle pi/8, exponent 0; null when eight lights exist. */
ORV_API OVnode *OVlightnode_newspot(OVnode *parent);
/* Ambient light node, colour (1, 1, 1), intensity 0.4; not counted as a light. */
ORV_API OVnode *OVlightnode_newambient(OVnode *parent);
/* Movable directed light: a transform separator holding an Xform node and the light. */
ORV_API OVnode *OVmovlightnode_newdirected(OVnode *parent);
/* Movable point light, built like the movable directed light. */
ORV_API OVnode *OVmovlightnode_newpoint(OVnode *parent);
/* Movable spot light, built like the movable directed light. */
ORV_API OVnode *OVmovlightnode_newspot(OVnode *parent);
/* 0 directed, 1 point, 2 spot, 3 ambient; 0 for other nodes. */
ORV_API int OVlightnode_gettype(OVnode *node);

/* Intensity: at most 1 on lights, as given on ambient nodes ("Intensity"). */
ORV_API int OVlightnode_setintensity(OVnode *node, float intensity);
/* Intensity, or -1 for other nodes. */
ORV_API float OVlightnode_getintensity(OVnode *node);
/* Light position ("LtPs"). */
ORV_API int OVlightnode_setposition(OVnode *node, const OVp3 position);
/* The light's position; fails for nodes without a light record. */
ORV_API int OVlightnode_getposition(OVnode *node, OVp3 out);
/* Light direction, normalised in the caller's array ("LtDr"); shorter than 0.004 fails. */
ORV_API int OVlightnode_setdirection(OVnode *node, OVp3 direction);
/* Fails for point lights and yields (0, 0, 0). */
ORV_API int OVlightnode_getdirection(OVnode *node, OVp3 out);
/* Spot cut-off angle, 0 to pi/2 radians ("Angle"). */
ORV_API int OVlightnode_setangle(OVnode *node, float angle);
/* Spot angle, or -1 for other nodes. */
ORV_API float OVlightnode_getangle(OVnode *node);
/* Spot exponent, 0 or 1 to 128 ("Exponent"). */
ORV_API int OVlightnode_setexponent(OVnode *node, float exponent);
/* Spot exponent, or -1 for other nodes. */
ORV_API float OVlightnode_getexponent(OVnode *node);
/* Point and spot attenuation: constant >= 0.004, linear and quadratic >= 0 ("Attenuation"). */
ORV_API int OVlightnode_setattenuation(OVnode *node, float constant, float linear, float quadratic);
/* Attenuation of a light; (1, 0, 0) for a directed light. */
ORV_API int OVlightnode_getattenuation(OVnode *node, float *constant, float *linear,
                                       float *quadratic);
/* Ambient colour of a light, or the colour of an ambient node ("LtAm"). */
ORV_API int OVlightnode_setambient(OVnode *node, float r, float g, float b);
/* Ambient colour of a light, or the colour of an ambient node. */
ORV_API int OVlightnode_getambient(OVnode *node, float *r, float *g, float *b);
/* Diffuse colour of a light ("LtDi"). */
ORV_API int OVlightnode_setdiffuse(OVnode *node, float r, float g, float b);
/* Diffuse colour of a light. */
ORV_API int OVlightnode_getdiffuse(OVnode *node, float *r, float *g, float *b);
/* Specular colour of a light ("LtSp"). */
ORV_API int OVlightnode_setspecular(OVnode *node, float r, float g, float b);
/* Specular colour of a light. */
ORV_API int OVlightnode_getspecular(OVnode *node, float *r, float *g, float *b);
/* OVlightnode_setambient with the colour in one array. */
ORV_API int OVlightnode_setambient2(OVnode *node, const float rgb[3]);
/* OVlightnode_getambient into one array. */
ORV_API int OVlightnode_getambient2(OVnode *node, float rgb[3]);
/* OVlightnode_setdiffuse with the colour in one array. */
ORV_API int OVlightnode_setdiffuse2(OVnode *node, const float rgb[3]);
/* OVlightnode_getdiffuse into one array. */
ORV_API int OVlightnode_getdiffuse2(OVnode *node, float rgb[3]);
/* OVlightnode_setspecular with the colour in one array. */
ORV_API int OVlightnode_setspecular2(OVnode *node, const float rgb[3]);
/* OVlightnode_getspecular into one array. */
ORV_API int OVlightnode_getspecular2(OVnode *node, float rgb[3]);
/* OVlightnode_setattenuation with constant, linear, quadratic in one array. */
ORV_API int OVlightnode_setattenuation2(OVnode *node, const float attenuation[3]);
/* OVlightnode_getattenuation into one array. */
ORV_API int OVlightnode_getattenuation2(OVnode *node, float attenuation[3]);

/* Reads the lights of a light file under the parent; false when it cannot be opened. */
ORV_API int OVlightnode_load(OVnode *parent, const char *path);
/* Writes one light or ambient node as a light file. */
ORV_API int OVlightnode_save(OVnode *node, const char *path);

/* Fog node, all zero, enabled. */
ORV_API OVnode *OVfognode_new(OVnode *parent);
/* Fog colour and alpha ("Color"). */
ORV_API int OVfognode_setcolor(OVnode *node, float r, float g, float b, float a);
/* Fog colour and alpha; fails for other nodes. */
ORV_API int OVfognode_getcolor(OVnode *node, float *r, float *g, float *b, float *a);
/* OVfognode_setcolor with r, g, b, a in one array. */
ORV_API int OVfognode_setcolor2(OVnode *node, const float rgba[4]);
/* OVfognode_getcolor into one array. */
ORV_API int OVfognode_getcolor2(OVnode *node, float rgba[4]);
/* Start of linear fog, not negative ("Linear Start"). */
ORV_API int OVfognode_setlinearstart(OVnode *node, float start);
/* Linear start, or -1 for other nodes. */
ORV_API float OVfognode_getlinearstart(OVnode *node);
/* Fog range; 0 stands for the view's far distance ("Range"). */
ORV_API int OVfognode_setrange(OVnode *node, float range);
/* Range, or -1 for other nodes. */
ORV_API float OVfognode_getrange(OVnode *node);
/* -1 off, 0 linear, 1 exponential, 2 squared exponential ("Is Exponential"). */
ORV_API int OVfognode_setmode(OVnode *node, int mode);
/* Mode, or -1 for other nodes. */
ORV_API int OVfognode_getmode(OVnode *node);

ORV_EXTERN_C_END

#endif
