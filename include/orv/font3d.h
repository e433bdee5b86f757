/* Orvane: 3D text laid out from a font model of glyph geometries. */
#ifndef ORV_FONT3D_H
#define ORV_FONT3D_H

#include "orv/orv_base.h"

ORV_EXTERN_C_BEGIN

/* Loads a font model (glyphs named "char<code>"); null on failure. */
ORV_API OVfont3d *OVfont3d_load(const char *filename);
/* Unlinks the font and deletes its geometries. */
ORV_API void OVfont3d_delete(OVfont3d *font);
/* The loaded font whose file name equals filename exactly, or null. */
ORV_API OVfont3d *OVfont3d_find(const char *filename);
/* A new closed geometry named "text" laying out the string, or null. */
ORV_API OVgeometry *OVgeometry_newtext3d(OVfont3d *font, const char *string);
/* Sets the distance between character cells. */
ORV_API void OVfont3d_setspacing(OVfont3d *font, float advance);
/* Sets the distance between cells to f times the cell width. */
ORV_API void OVfont3d_setspacingfactor(OVfont3d *font, float f);
/* The distance between character cells; 0 for null. */
ORV_API float OVfont3d_getspacing(OVfont3d *font);
/* The minimum corner then the maximum corner of all glyphs (6 floats). */
ORV_API void OVfont3d_getextents(OVfont3d *font, float out[6]);
/* True when the font has a glyph for the low 8 bits of c. */
ORV_API int OVfont3d_haschar(OVfont3d *font, int c);

ORV_EXTERN_C_END

#endif
