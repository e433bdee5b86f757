/* Orvane: model and image search, file type detection and the geometry-level
 * model loader. */
#ifndef ORV_FILE_H
#define ORV_FILE_H

#include "orv/orv_base.h"

ORV_EXTERN_C_BEGIN

/* File type codes from a file's first bytes. */
enum {
    OVFILE_DXF = 1,
    OVFILE_NFF = 2,
    OVFILE_WAVEFRONT = 4,
    OVFILE_3DG1 = 5,
    /* The two retired binary formats ("2424" and "2323"). */
    OVFILE_RETIRED_2424 = 6,
    OVFILE_RETIRED_2323 = 7,
    OVFILE_OPENFLIGHT = 8,
    OVFILE_3DS = 9,
    OVFILE_BNFF = 11,
    OVFILE_SLP = 12,
    OVFILE_MAT = 13,
    OVFILE_VRML1 = 14,
    OVFILE_LIGHTS = 15,
    OVFILE_WBDF = 16,
    OVFILE_VRML2 = 17,
    /* Formats beyond the first-byte table, found by magic bytes and extension
     * and read by the model import library. */
    OVFILE_GLTF = 40,
    OVFILE_STL = 41,
    OVFILE_PLY = 42
};

/* Sets the model search list used instead of OVMODELS while non-empty. */
ORV_API void OVfile_setmodelpath(const char *list);
/* Sets the image search list used instead of OVIMAGES while non-empty. */
ORV_API void OVfile_setimagepath(const char *list);
/* The full name of a file found as given or along a search list; overwritten by the next search. */
ORV_API const char *_OVfile_findpath(const char *name, const char *listname);
/* Model search: OVMODELS, then with ".nff" appended when the name has no extension. */
ORV_API const char *_OVfile_findmodel(const char *name);
/* The type code of a model, light or material file; 0 when it cannot be opened. */
ORV_API int _OVfile_type(const char *name);
/* Reads an open model file of the given type code; closes it; the geometries or null. */
ORV_API OVgeomlist *_OVgeometry_load(FILE *file, const char *name, int type, OVpq *view,
                                     float scale, int merge);

/* Loads a model, light or other scene file under parent; the first new node or null. */
ORV_API OVnode *OVnode_load(OVnode *parent, const char *path, float scale);
/* Loads a geometry file as geometry nodes under parent; the first or null. */
ORV_API OVnode *OVgeometrynode_load(OVnode *parent, const char *path, float scale);
/* Loads a geometry file as one movable node under parent. */
ORV_API OVnode *OVmovnode_load(OVnode *parent, const char *path, float scale);

/* Writes a geometry as type 2 (text NFF), 11 (binary NFF) or 1; the writer's result. */
ORV_API int OVgeometry_save(OVgeometry *geometry, const char *filename, const OVpq *view, int type);
/* Writes every geometry of the list into one file of type 2 (text NFF) or 11 (binary NFF). */
ORV_API int _OVgeomlist_save(OVgeomlist *list, const char *filename, const OVpq *view, int type);
/* Saves a subtree: type 14 as a VRML 1.0 scene (options: the viewpoint written as its
   camera, or null), 17 through the VRML97 plug-in, others the geometry of a geometry node. */
ORV_API int OVnode_save(OVnode *node, const char *path, void *options, int type, int flags);

ORV_EXTERN_C_END

#endif
