/* Orvane: textures, image files and the texturing of polygons and geometries. */
#ifndef ORV_TEXTURE_H
#define ORV_TEXTURE_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* A texture of the store, shared by name. */
typedef struct OVtexture OVtexture;

/* Pixel formats of OVtexture_replace. */
enum { OVIMAGE_RGBA = 0 };

/* Filter indices: 0 nearest, 1..3 linear, 4 nearest-mipmap-nearest, 5 linear-mipmap-nearest,
   6 nearest-mipmap-linear, 7 linear-mipmap-linear (magnification uses 0..3). */
enum { OVTEXTURE_MAXMAGFILTER = 3, OVTEXTURE_MAXMINFILTER = 7, OVTEXTURE_FIRSTMIPMAP = 4 };

/* What OVpoly_gettextureinfo reports of a polygon's texture binding. */
typedef struct {
    const char *name;
    float rotation;
    float scale;
    int mirrored;
    float translation[2];
    int shaded;
    int transparent;
    int tint;
} OVtexinfo;

/* A texture coordinate computed from a corner's position. */
typedef float (*OVuvfn)(const OVp3 position);

/* Reads an image file (searched along OVIMAGES, with ".tga", ".rgb", ".jpg" tried for a
   name without extension) as RGBA rows, top row first, at power-of-two sizes within the
   limits; the size goes to width and height. Free the pixels with OVfree. Null on failure. */
ORV_API unsigned char *OVtexture_load(const char *path, int *width, int *height);
/* Loads a texture with the given filter indices and queues its upload; null on failure. */
ORV_API OVtexture *OVtexture_new(const char *path, int magnification, int minification);
/* Makes (or refills) the named texture from OVmalloc'd RGBA pixels, which it takes over. */
ORV_API OVtexture *OVtexture_newfromdata(const char *name, unsigned char *pixels, int width,
                                         int height);
/* Makes or updates the named texture from pixels the caller keeps; sides must be powers
   of 2 within the maximum and the format OVIMAGE_RGBA. */
ORV_API int OVtexture_replace(const char *name, int format, int width, int height,
                              unsigned char *pixels);
/* Sets a texture's wrapping (clamped rather than repeated along s and t) and its
   environment (decal rather than modulate); queues a re-upload. False when unknown. */
ORV_API int _OVtexture_setmode(const char *name, int clamp_s, int clamp_t, int decal);
/* Sets a texture's filters (a null name: the defaults); an unknown name is loaded. */
ORV_API int OVtexture_setfilter(const char *name, int magnification, int minification);
/* The named texture's filters (a null name: the defaults); -1 and false when unknown. */
ORV_API int OVtexture_getfilter(const char *name, int *magnification, int *minification);
/* Marks a texture used (loading an unknown one) or unused; false without a texture. */
ORV_API int OVtexture_setused(const char *name, int used);
/* Bytes the textures take, mipmaps included. */
ORV_API long OVtexture_memory(void);
/* Decodes the bytes of a JPEG, SGI or Targa file (told apart by their first bytes) as RGBA
   rows, top row first, at the file's own size; failures print the texture messages naming
   the file. Free the pixels with OVfree. */
ORV_API unsigned char *_OVimage_decode(const void *bytes, size_t size, const char *name, int *width,
                                       int *height);
/* Frees every texture (universe teardown). */
ORV_API void _OVtexture_deleteall(void);

/* Binds the named texture with the mapping that fits it once over the polygon. */
ORV_API int OVpoly_settexture(OVpoly *p, const char *name, int shaded, int transparent);
/* Binds the named texture with one (u, v) per corner copied from the arrays. */
ORV_API int OVpoly_settextureuv(OVpoly *p, const char *name, const float *u, const float *v,
                                int shaded, int transparent);
/* Removes the polygon's texture binding. */
ORV_API int OVpoly_deletetexture(OVpoly *p);
/* Rotates the coordinates about (0.5, 0.5) by angle radians. */
ORV_API int OVpoly_rotatetexture(OVpoly *p, float angle);
/* Scales the coordinates about their mean. */
ORV_API int OVpoly_scaletexture(OVpoly *p, float f);
/* Scales u and v about their means by separate factors. */
ORV_API int OVpoly_stretchtexture(OVpoly *p, float fu, float fv);
/* Moves the coordinates by d texels. */
ORV_API int OVpoly_translatetexture(OVpoly *p, const float d[2]);
/* Mirrors u (u becomes 1 - u). */
ORV_API int OVpoly_mirrortexture(OVpoly *p);
/* Overwrites the coordinates (one pair per binding entry). */
ORV_API int OVpoly_setuv(OVpoly *p, const float *u, const float *v);
/* Reads the coordinates (one pair per binding entry). */
ORV_API int OVpoly_getuv(OVpoly *p, float *u, float *v);
/* Sets the shaded, transparent and tint style bytes. */
ORV_API int OVpoly_settexturestyle(OVpoly *p, int shaded, int transparent, int tint);
/* Reads the three style bytes; false without a binding. */
ORV_API int OVpoly_gettexturestyle(OVpoly *p, int *shaded, int *transparent, int *tint);
/* Fills info from the binding; false without one. */
ORV_API int OVpoly_gettextureinfo(OVpoly *p, OVtexinfo *info);
/* The number of (u, v) pairs the binding holds (what OVpoly_getuv fills); 0 without one. */
ORV_API int _OVpoly_numuv(OVpoly *p);

/* OVpoly_settexture on every polygon; false at the first that fails. */
ORV_API int OVgeometry_settexture(OVgeometry *g, const char *name, int shaded, int transparent);
/* Gives every textured polygon the loaded texture of that name and the two flags. */
ORV_API int OVgeometry_changetexture(OVgeometry *g, const char *name, int shaded, int transparent);
/* Textures every polygon with coordinates computed from its corners' positions. */
ORV_API int OVgeometry_settextureuv(OVgeometry *g, const char *name, OVuvfn ufn, OVuvfn vfn,
                                    int shaded, int transparent);
/* Recomputes the coordinates of every textured polygon from its corners' positions. */
ORV_API int OVgeometry_setuv(OVgeometry *g, OVuvfn ufn, OVuvfn vfn);
/* Removes every polygon's texture binding. */
ORV_API int OVgeometry_deletetexture(OVgeometry *g);

ORV_EXTERN_C_END

#endif
