/* Orvane: geometries, polygons and vertices; their construction, primitive
 * shapes, editing and queries. */
#ifndef ORV_GEOMETRY_H
#define ORV_GEOMETRY_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Rendering-style modes of OVgeometry_setrenderingstyle. */
#define OVSTYLE_ON 1
#define OVSTYLE_OFF 0
#define OVSTYLE_DEFAULT 64
/* Rendering-style bit: textured polygons take their coordinates from a sphere
   (environment) map of their normals instead of their stored coordinates. */
#define OVSTYLE_SPHEREMAP 0x02
/* Rendering-style bits the renderer reads: smooth (interpolated) shading,
   anti-aliased blended outlines, and wireframe. */
#define OVSTYLE_SMOOTH 0x08
#define OVSTYLE_ANTIALIAS 0x10
#define OVSTYLE_WIREFRAME 0x80

/* ---- geometry records ------------------------------------------------ */

/* A zeroed geometry owned by the given legacy object (or null). */
ORV_API OVgeometry *_OVgeometry_new(void *owner);
/* Drops one reference; frees the geometry when none is left. Returns the count left. */
ORV_API int OVgeometry_delete(OVgeometry *g);
/* Replaces the geometry's name with a copy of s. */
ORV_API int OVgeometry_setname(OVgeometry *g, const char *s);
/* The name, "untitled" when none was set, null for a null geometry. */
ORV_API const char *OVgeometry_getname(OVgeometry *g);
/* The geometry's material table. */
ORV_API OVmtable *OVgeometry_getmtable(OVgeometry *g);
/* Gives the geometry another material table (geometry must be modifiable). */
ORV_API int OVgeometry_setmtable(OVgeometry *g, OVmtable *m);
/* Gives a vertex its own material id (at least 0). */
ORV_API int OVgeometry_setvertexmatid(OVgeometry *g, OVvertex *v, int id);
/* The vertex's own material id, -1 when it has none. */
ORV_API int OVgeometry_getvertexmatid(OVgeometry *g, OVvertex *v);
/* False for null or locked geometries; otherwise discards compiled drawing data. */
ORV_API int _OVgeometry_modifiable(OVgeometry *g);
/* Number of polygons (0 for null). */
ORV_API int OVgeometry_numpolys(OVgeometry *g);
/* First polygon (newest first). */
ORV_API OVpoly *OVgeometry_getpolys(OVgeometry *g);
/* First vertex (creation order). */
ORV_API OVvertex *OVgeometry_getvertices(OVgeometry *g);
/* First polygon whose 16-bit id equals id. */
ORV_API OVpoly *OVgeometry_id2poly(OVgeometry *g, int id);
/* A new polygon list of all polygons. */
ORV_API OVpolylist *OVgeometry_getpolylist(OVgeometry *g);
/* Recomputes the bounds from the vertex list. */
ORV_API void _OVgeometry_findextents(OVgeometry *g);

/* ---- geometry lists (model readers) ---------------------------------- */

/* A new entry for g in front of list. */
ORV_API OVgeomlist *_OVgeomlist_add(OVgeomlist *list, OVgeometry *g);
/* Links b after the last entry of a; returns a, or b when a is null. */
ORV_API OVgeomlist *_OVgeomlist_append(OVgeomlist *a, OVgeomlist *b);
/* Frees the entries only. */
ORV_API void _OVgeomlist_delete(OVgeomlist *list);
/* Merges every geometry of the list into the first; returns the first. */
ORV_API OVgeometry *_OVgeomlist_glom(OVgeomlist *list);
/* The geometry of an entry. */
ORV_API OVgeometry *_OVgeomlist_geometry(OVgeomlist *list);
/* The next entry. */
ORV_API OVgeomlist *_OVgeomlist_next(OVgeomlist *list);

/* ---- vertices --------------------------------------------------------- */

/* Next vertex of the geometry, or null. */
ORV_API OVvertex *OVvertex_next(OVvertex *v);
/* The vertex position. */
ORV_API void OVvertex_getposition(OVvertex *v, OVp3 p);

/* ---- polygons --------------------------------------------------------- */

/* A new polygon of g, not yet linked. */
ORV_API OVpoly *_OVpoly_new(OVgeometry *g);
/* Frees texture binding, corners and record without unlinking. */
ORV_API void _OVpoly_del(OVpoly *p);
/* Unlinks and frees the polygon. */
ORV_API int OVpoly_delete(OVpoly *p);
/* The application id (-1 for null). */
ORV_API int OVpoly_getid(OVpoly *p);
/* Sets the application id. */
ORV_API int OVpoly_setid(OVpoly *p, int id);
/* Next polygon of the geometry. */
ORV_API OVpoly *OVpoly_next(OVpoly *p);
/* The geometry holding p. */
ORV_API OVgeometry *OVpoly_getgeometry(OVpoly *p);
/* The owner object of p's geometry, or null. */
ORV_API void *OVpoly_getobject(OVpoly *p);
/* Number of corners (-1 for null). */
ORV_API int OVpoly_numvertices(OVpoly *p);
/* The vertex of corner i (0-based), or null. */
ORV_API OVvertex *OVpoly_getvertex(OVpoly *p, int i);
/* The unit normal. */
ORV_API void OVpoly_getnormal(OVpoly *p, OVp3 n);
/* The centre of the corners. */
ORV_API void OVpoly_getcg(OVpoly *p, OVp3 c);
/* Sets the material id (at least 0). */
ORV_API int OVpoly_setmatid(OVpoly *p, int id);
/* The material id (-1 for null). */
ORV_API int OVpoly_getmatid(OVpoly *p);
/* Colours the polygon with bytes r, g, b. */
ORV_API int OVpoly_setrgb(OVpoly *p, int r, int g, int b);
/* Colours the polygon with 0xRRGGBB. */
ORV_API int _OVpoly_setcolor24(OVpoly *p, unsigned rgb);
/* Colours the polygon with 0xRGB. */
ORV_API int OVpoly_setcolor(OVpoly *p, unsigned rgb12);
/* Colours the polygon with 0xRGB without the modifiable check. */
ORV_API int _OVpoly_setcolor_nofrags(OVpoly *p, unsigned rgb12);
/* The polygon's colour bytes. */
ORV_API int OVpoly_getrgb(OVpoly *p, int *r, int *g, int *b);
/* The polygon's colour as 0xRRGGBB. */
ORV_API unsigned _OVpoly_getcolor24(OVpoly *p);
/* The polygon's colour as 0xRGB, -1 without a material table. */
ORV_API int OVpoly_getcolor(OVpoly *p);
/* Makes the polygon visible from both sides, or one. */
ORV_API int OVpoly_setbothsides(OVpoly *p, int on);
/* True when visible from both sides. */
ORV_API int OVpoly_getbothsides(OVpoly *p);
/* Switches smooth/vertex rendering. */
ORV_API int OVpoly_setrendering(OVpoly *p, int on);
/* 64 when smooth/vertex rendering is on (or p is null), else 0. */
ORV_API int OVpoly_getrendering(OVpoly *p);
/* Shows or hides the polygon. */
ORV_API int OVpoly_setvisibility(OVpoly *p, int on);
/* True when the polygon is shown. */
ORV_API int OVpoly_getvisibility(OVpoly *p);
/* True when every corner has a vertex normal. */
ORV_API int OVpoly_hasvnormals(OVpoly *p);
/* Computes the vertex normal of every corner. */
ORV_API int OVpoly_computevertexnormals(OVpoly *p);
/* Reverses the corner order. */
ORV_API int OVpoly_reversevertices(OVpoly *p);
/* True when v is a corner of p. */
ORV_API int OVpoly_containsvertex(OVpoly *p, OVvertex *v);
/* The polygon's area. */
ORV_API float OVpoly_getarea(OVpoly *p);
/* The portal record that refers to p, or null. */
ORV_API void *OVpoly_getportal(OVpoly *p);
/* Intersects a world ray with p, whose geometry node ends path. */
ORV_API int OVpoly_rayintersect(OVpoly *p, OVnodepath *path, const OVp3 origin,
                                const OVp3 direction, float *distance);
/* Intersects a local ray with p; best is the nearest distance so far. */
ORV_API int _OVpoly_rayintersect(OVpoly *p, const OVp3 origin, const OVp3 direction, float *best);
/* qsort order of two sort records by their second float, descending. */
ORV_API int _OVpoly_cmp(const void *a, const void *b);
/* Recomputes normal, centre, radius and plane distance; false when non-planar. */
ORV_API int _OVpoly_stats(OVpoly *p);
/* Convexity test; sets or clears the convex flag. */
ORV_API int _OVpoly_convex(OVpoly *p);
/* Splits p into convex pieces linked after it. */
ORV_API void _OVpoly_makeconvex(OVpoly *p);
/* Fans p into triangles linked after it. */
ORV_API void _OVpoly_triangulate(OVpoly *p);
/* Merges consecutive corners at the same place; returns the corners left. */
ORV_API int _OVpoly_removeduplicates(OVpoly *p);
/* The renderer's free byte. */
ORV_API void _OVpoly_setsset(OVpoly *p, int value);
/* The renderer's free byte. */
ORV_API int _OVpoly_getsset(OVpoly *p);

/* ---- polygon lists ---------------------------------------------------- */

/* A new list: one entry without a polygon. */
ORV_API OVpolylist *OVpolylist_new(void);
/* Frees every entry. */
ORV_API void OVpolylist_delete(OVpolylist *l);
/* Adds p; returns the new head (null when p is null). */
ORV_API OVpolylist *OVpolylist_addpoly(OVpolylist *l, OVpoly *p);
/* True when p is in the list. */
ORV_API int OVpolylist_containspoly(OVpolylist *l, OVpoly *p);
/* Number of polygons. */
ORV_API int OVpolylist_npolys(OVpolylist *l);
/* A copy of the list. */
ORV_API OVpolylist *OVpolylist_copy(OVpolylist *l);
/* The polygon of an entry. */
ORV_API OVpoly *OVpolylist_getpoly(OVpolylist *l);
/* The next entry. */
ORV_API OVpolylist *OVpolylist_next(OVpolylist *l);
/* Area-weighted normal of the polygons, unit length when not zero. */
ORV_API void _OVpolylist_getnormal(OVpolylist *l, OVp3 n);

/* ---- construction ----------------------------------------------------- */

/* Opens a new geometry for building. */
ORV_API OVgeometry *OVgeometry_begin(void);
/* A new vertex at pos, appended to the open or edited geometry. */
ORV_API OVvertex *OVgeometry_newvertex(OVgeometry *g, const OVp3 pos);
/* Appends a vertex record made by the caller. */
ORV_API OVvertex *_OVgeometry_addvertex(OVgeometry *g, OVvertex *v);
/* Appends a vertex without any check (readers). */
ORV_API OVvertex *_OVgeometry_addvertexsimple(OVgeometry *g, OVvertex *v);
/* A vertex record not yet in any geometry. */
ORV_API OVvertex *_OVvertex_new(const OVp3 pos);
/* A new polygon of g being built. */
ORV_API OVpoly *OVgeometry_beginpoly(OVgeometry *g);
/* Adds the vertex numbered i of the building phase as the next corner. */
ORV_API int OVpoly_addvertex(OVpoly *p, int i);
/* Adds v as the next corner. */
ORV_API int OVpoly_addvertexptr(OVpoly *p, OVvertex *v);
/* Finishes and links the polygon. */
ORV_API int OVpoly_close(OVpoly *p);
/* Frees a polygon that was not closed. */
ORV_API void _OVpoly_cancel(OVpoly *p);
/* Closes the open geometry. */
ORV_API int OVgeometry_close(OVgeometry *g);
/* Validates, cleans and finishes a geometry. */
ORV_API int _OVgeometry_close(OVgeometry *g);
/* The same for a model reader's geometry: every polygon closed, no vertex
 * moved since. */
ORV_API int _OVgeometry_closeloaded(OVgeometry *g);
/* Closes with smooth vertex normals where none were given. */
ORV_API int OVgeometry_closesmooth(OVgeometry *g);
/* Ends the building phase of g without closing it. */
ORV_API void _OVgeometry_checkifopen(OVgeometry *g);
/* A closed polygon through n new vertices at the points. */
ORV_API OVpoly *_OVgeometry_newpolyfrompoints(OVgeometry *g, const OVp3 *points, int n,
                                              int bothsides);
/* A closed triangle through vertex numbers i, j, k. */
ORV_API OVpoly *_OVgeometry_addpoly3(OVgeometry *g, int i, int j, int k, int bothsides);
/* A closed quadrilateral through vertex numbers i, j, k, l. */
ORV_API OVpoly *_OVgeometry_addpoly4(OVgeometry *g, int i, int j, int k, int l, int bothsides);
/* A separate geometry outlining the box between min and max. */
ORV_API OVgeometry *_OVgeometry_boundboxfromextents(const OVp3 min, const OVp3 max);

/* ---- primitives ------------------------------------------------------- */

/* Box centred on the origin. */
ORV_API OVgeometry *OVgeometry_newblock(float x, float y, float z, int bothsides);
/* Rectangle in the z = 0 plane facing -z. */
ORV_API OVgeometry *OVgeometry_newrectangle(float height, float width, int bothsides);
/* Cylinder along y. */
ORV_API OVgeometry *OVgeometry_newcylinder(float height, float radius, int sides, int bothsides,
                                           int smooth);
/* Cone along y, apex at -height/2. */
ORV_API OVgeometry *OVgeometry_newcone(float height, float radius, int sides, int bothsides);
/* Truncated cone along y. */
ORV_API OVgeometry *OVgeometry_newtruncone(float height, float radius1, float radius2, int sides,
                                           int bothsides, int smooth);
/* Sphere of latitude bands and longitude sides. */
ORV_API OVgeometry *OVgeometry_newsphere(float radius, int bands, int sides, int bothsides,
                                         int smooth);
/* Lower half sphere, open at y = 0. */
ORV_API OVgeometry *OVgeometry_newhemisphere(float radius, int bands, int sides, int bothsides,
                                             int smooth);
/* Prism of an (x, z) outline along y. */
ORV_API OVgeometry *OVgeometry_newextrusion(const OVp2 *points, int count, float height,
                                            int bothsides, int smooth);

/* ---- editing and queries ---------------------------------------------- */

/* Opens the geometry for editing. */
ORV_API int OVgeometry_beginedit(OVgeometry *g);
/* Ends editing, repairing moved polygons and bounds. */
ORV_API int OVgeometry_endedit(OVgeometry *g);
/* Recomputes bounds (and with cleanup drops unused vertices); returns g. */
ORV_API OVgeometry *OVgeometry_recomputestats(OVgeometry *g, int cleanup);
/* Removes vertices no polygon uses. */
ORV_API int OVgeometry_deleteunusedvertices(OVgeometry *g);
/* Moves a vertex (repaired at the end of editing). */
ORV_API int OVgeometry_setvertexposition(OVgeometry *g, OVvertex *v, const OVp3 p);
/* The vertex's local position. */
ORV_API int OVgeometry_getvertexposition(OVgeometry *g, OVvertex *v, OVp3 p);
/* Sets the vertex normal (not normalised). */
ORV_API int OVgeometry_setvertexnormal(OVgeometry *g, OVvertex *v, const OVp3 n);
/* The vertex normal; false and zero when it has none. */
ORV_API int OVgeometry_getvertexnormal(OVgeometry *g, OVvertex *v, OVp3 n);
/* Removes the vertex normal. */
ORV_API int OVgeometry_deletevertexnormal(OVgeometry *g, OVvertex *v);
/* Computes the vertex normal from the polygons around it. */
ORV_API int OVgeometry_computevertexnormal(OVgeometry *g, OVvertex *v);
/* A new list of the polygons using v, null when none. */
ORV_API OVpolylist *OVgeometry_getvertexpolys(OVgeometry *g, OVvertex *v);
/* A new list of the polygons using v, empty when none. */
ORV_API OVpolylist *_OVgeometry_getvertexstar(OVgeometry *g, OVvertex *v);
/* Colours a vertex with bytes. */
ORV_API int OVgeometry_setvertexrgb(OVgeometry *g, OVvertex *v, int r, int gg, int b);
/* The vertex colour bytes; false when the vertex has no colour. */
ORV_API int OVgeometry_getvertexrgb(OVgeometry *g, OVvertex *v, int *r, int *gg, int *b);
/* Colours every polygon. */
ORV_API int OVgeometry_setrgb(OVgeometry *g, int r, int gg, int b);
/* Sets the material id of every polygon. */
ORV_API int OVgeometry_setmatid(OVgeometry *g, int id);
/* Overrides (mode 1 on, 0 off) or restores (64) rendering-style bits. */
ORV_API int OVgeometry_setrenderingstyle(OVgeometry *g, int style, int mode);
/* The effective rendering style; 128 for wireframe; -1 for null. */
ORV_API int OVgeometry_getrenderingstyle(OVgeometry *g);
/* Moves every vertex by d. */
ORV_API int OVgeometry_translate(OVgeometry *g, const OVp3 d);
/* Moves every vertex by a pose. */
ORV_API int OVgeometry_transform(OVgeometry *g, const OVpq *t);
/* Scales about c by f. */
ORV_API int OVgeometry_scale(OVgeometry *g, float f, const OVp3 c);
/* Scales about c by per-axis factors. */
ORV_API int OVgeometry_stretch(OVgeometry *g, const OVp3 s, const OVp3 c);
/* The box size. */
ORV_API void OVgeometry_getextents(OVgeometry *g, OVp3 e);
/* The box centre. */
ORV_API void OVgeometry_getmidpoint(OVgeometry *g, OVp3 m);
/* Length of the half extents (0 for null). */
ORV_API float OVgeometry_getradius(OVgeometry *g);
/* A copy sharing the material table. */
ORV_API OVgeometry *OVgeometry_copy(OVgeometry *g);
/* Copies g2's vertices and polygons into g1; returns the first copied polygon. */
ORV_API OVpoly *OVgeometry_merge(OVgeometry *g1, OVgeometry *g2);
/* Merge placing the copies by placement relative to origin; fixed forces material id. */
ORV_API OVpoly *_OVgeometry_mergepq(OVgeometry *g1, OVgeometry *g2, const OVpq *origin,
                                    const OVpq *placement, int fixed, int id);
/* A new geometry of copies of g's polygons that are in list. */
ORV_API OVgeometry *_OVgeometry_copyplist(OVgeometry *g, OVpolylist *list);
/* Removes v and fills the hole with triangles. */
ORV_API int OVgeometry_colapsevertex(OVgeometry *g, OVvertex *v, float tolerance);

ORV_EXTERN_C_END

#endif
