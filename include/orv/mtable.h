/* Orvane: material tables, indexed lists of materials shared by geometries,
 * found by content and kept in ".mat" files. */
#ifndef ORV_MTABLE_H
#define ORV_MTABLE_H

#include "orv/orv_base.h"

ORV_EXTERN_C_BEGIN

/* Property bits of a table and of the value operations. */
#define OVAMBIENT 0x01
#define OVDIFFUSE 0x02
#define OVSPECULAR 0x04
#define OVSHININESS 0x08
#define OVEMISSION 0x10
#define OVAMBIENTDIFFUSE 0x20
#define OVOPACITY 0x40

/* A new table with the given properties, put at the head of the universe's list. */
ORV_API OVmtable *OVmtable_new(int properties, int initialsize, const char *name);
/* Frees a table; every geometry using it loses its table. */
ORV_API void OVmtable_delete(OVmtable *table);
/* Names the table (base name, no spaces, unique, not "mt<number>"). */
ORV_API int OVmtable_setname(OVmtable *table, const char *name);
/* The table's name. */
ORV_API const char *OVmtable_getname(OVmtable *table);
/* The table's property bits (0 for null). */
ORV_API int OVmtable_getproperties(OVmtable *table);
/* Appends an entry holding the defaults; its index or -1. */
ORV_API int OVmtable_newentry(OVmtable *table);
/* The number of entries, -1 for null. */
ORV_API int OVmtable_getnumentries(OVmtable *table);
/* Sets one property of an entry (3 floats for colours, 1 for shininess and opacity). */
ORV_API int OVmtable_setvalue(OVmtable *table, int index, const float *values, int type);
/* Reads one property of an entry. */
ORV_API int OVmtable_getvalue(OVmtable *table, int index, float *out, int type);
/* The index of an entry with this colour, appended when new; -1 without colour. */
ORV_API int OVmtable_matchcolor(OVmtable *table, const OVp3 rgb);
/* As OVmtable_matchcolor, also matching the opacity. */
ORV_API int OVmtable_matchcoloralpha(OVmtable *table, const OVp3 rgb, float opacity);
/* Matches a colour of three bytes. */
ORV_API int OVmtable_matchrgb(OVmtable *table, int r, int g, int b);
/* Matches a 12-bit colour 0xRGB. */
ORV_API int OVmtable_matchcolor12(OVmtable *table, unsigned rgb);
/* Matches a 24-bit colour 0xRRGGBB. */
ORV_API int OVmtable_matchcolor24(OVmtable *table, unsigned rgb);
/* The entry's colour as 0xRRGGBB (index taken modulo the count). */
ORV_API unsigned OVmtable_getcolor24(OVmtable *table, int index);
/* Names an entry (the string is copied). */
ORV_API int OVmtable_setentryname(OVmtable *table, int index, const char *name);
/* The entry's name or null. */
ORV_API const char *OVmtable_getentryname(OVmtable *table, int index);
/* The first entry with this name, -1 if none. */
ORV_API int OVmtable_findentry(OVmtable *table, const char *name);
/* A new table holding the entries of a then b (or the other one when one is null or both are
 * equal). */
ORV_API OVmtable *OVmtable_merge(OVmtable *a, OVmtable *b);
/* Writes "<name>.mat" in the current directory. */
ORV_API int OVmtable_save(OVmtable *table);
/* Reads a ".mat" file found along the model search path. */
ORV_API OVmtable *OVmtable_load(const char *name);
/* The first table of the universe's list with this name, null if none. */
ORV_API OVmtable *OVuniverse_findmtable(const char *name);
/* The newest table of the universe's list. */
ORV_API OVmtable *OVuniverse_getfirstmtable(void);
/* The table after this one in the universe's list, or null. */
ORV_API OVmtable *OVmtable_getnext(OVmtable *table);

ORV_EXTERN_C_END

#endif
