/* Orvane: points, quaternions and matrices.
 *
 * Points are row vectors (p' = p * M, translation in the fourth row of an
 * OVm4); quaternions are (x, y, z, w) with w last; rotating v by q is
 * conj(q) * v * q, so applying q1 first and q2 second is the product q1 * q2.
 * Euler angles (a, b, c) are the product (Z, -c) * (Y, -b) * (X, -a).
 * Results are written through the last pointer argument unless returned. */
#ifndef ORV_MATH_H
#define ORV_MATH_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Prints the label, then " %8.4f %8.4f %8.4f\n". */
ORV_API void OVp3_print(const OVp3 p, const char *label);
/* Prints the label, then the four components x y z w. */
ORV_API void OVq_print(const OVq q, const char *label);
/* Prints the label, then " p: x y z, q: x y z w". */
ORV_API void OVpq_print(const OVpq *pq, const char *label);

/* out = a x b (out may alias a or b). */
ORV_API void OVp3_cross(const OVp3 a, const OVp3 b, OVp3 out);
/* Euclidean distance between two points. */
ORV_API float OVp3_distance(const OVp3 a, const OVp3 b);
/* Cheap approximation of the length of v. */
ORV_API float OVp3_fastlength(const OVp3 v);
/* Distance from a point to the line through linepoint along the unit direction. */
ORV_API float OVp3_linedistance(const OVp3 point, const OVp3 linepoint, const OVp3 direction);

/* Normalised product q1 * q2: q1 applied first (out may alias). */
ORV_API void OVq_mult(const OVq q1, const OVq q2, OVq out);
/* Normalised conj(q1) * q2: the rotation that takes q1 to q2. */
ORV_API void OVq_diff(const OVq q1, const OVq q2, OVq out);
/* out = conj(q) * v * q (out may alias v). */
ORV_API void OVp3_rotateq(const OVp3 v, const OVq q, OVp3 out);
/* Component 0, 1 or 2 of conj(q) * v * q; 0 for any other index. */
ORV_API float OVp3_rotateqcomponent(const OVp3 v, const OVq q, int index);
/* Rotation of v about the centre point. */
ORV_API void OVp3_rotateabout(const OVp3 v, const OVq q, OVp3 out, const OVp3 centre);
/* The point expressed in the coordinates of the frame. */
ORV_API void OVp3_intoframe(const OVp3 v, const OVpq *frame, OVp3 out);
/* out = v * M + translation. */
ORV_API void OVp3_xformm4(const OVp3 v, const OVm4 m, OVp3 out);
/* out = v * (upper 3x3 of M). */
ORV_API void OVp3_xformdirm4(const OVp3 v, const OVm4 m, OVp3 out);
/* out = v * M. */
ORV_API void OVp3_xformm3(const OVp3 v, const OVm3 m, OVp3 out);

/* Quaternion of a turn by angle radians about axis; normalises a non-zero axis
 * in place. */
ORV_API void OVaxisangle_2q(OVp3 axis, float angle, OVq out);
/* Turn angle of q: 2 acos(w). */
ORV_API float OVq_angle(const OVq q);
/* Turn axis of q; the vector part as it is for a zero angle. */
ORV_API void OVq_axis(const OVq q, OVp3 out);
/* The turn about the same axis by factor times the angle of q. */
ORV_API void OVq_scale(const OVq q, float factor, OVq out);

/* Quaternion of the Euler angles (a, b, c). */
ORV_API void OVeuler_2q(float a, float b, float c, OVq out);
/* Rotation matrix of the Euler angles (a, b, c). */
ORV_API void OVeuler_2m3(float a, float b, float c, OVm3 out);
/* Euler angles of q: of the two solutions, the one nearer the reference. */
ORV_API void OVq_2euler(const OVq q, const OVp3 reference, OVp3 out);
/* Euler angles of a rotation matrix, as OVq_2euler. */
ORV_API void OVm3_2euler(const OVm3 m, const OVp3 reference, OVp3 out);

/* Direction of q: the image of +Z. */
ORV_API void OVq_2dir(const OVq q, OVp3 out);
/* Orientation looking along the direction, without roll. */
ORV_API void OVdir_2q(const OVp3 direction, OVq out);
/* Direction of q and its roll about that direction. */
ORV_API void OVq_2dirtwist(const OVq q, OVp3 direction, float *twist);
/* Orientation of a direction and a roll: inverse of OVq_2dirtwist. */
ORV_API void OVdirtwist_2q(const OVp3 direction, float twist, OVq out);

/* Spherical interpolation from q1 (t = 0) to q2 (t = 1). */
ORV_API void OVq_slerp(const OVq q1, const OVq q2, float t, OVq out);
/* Spherical interpolation along the shorter arc. */
ORV_API void OVq_slerpshortest(const OVq q1, const OVq q2, float t, OVq out);

/* Rotation matrix of q. */
ORV_API void OVq_2m3(const OVq q, OVm3 m);
/* M(q) with zero translation. */
ORV_API void OVq_2m4(const OVq q, OVm4 m);
/* M(q) with the position as translation. */
ORV_API void OVpq_2m4(const OVpq *pq, OVm4 m);
/* Quaternion of a rotation matrix; orthonormalises the matrix in place first. */
ORV_API void OVm3_2q(OVm3 m, OVq q);
/* Translation and rotation of a matrix (the matrix is not changed). */
ORV_API void OVm4_2pq(const OVm4 m, OVpq *pq);

/* dst = transpose of the 3x3 src (distinct arrays). */
ORV_API void OVm3_transpose(const OVm3 src, OVm3 dst);
/* dst = transpose of the 4x4 src (distinct arrays). */
ORV_API void OVm4_transpose(const OVm4 src, OVm4 dst);
/* out = A * B for 3x3 matrices: A applied first (out may alias A or B). */
ORV_API void OVm3_mult(const OVm3 a, const OVm3 b, OVm3 out);
/* out = A * B for 4x4 matrices: A applied first (out may alias A or B). */
ORV_API void OVm4_mult(const OVm4 a, const OVm4 b, OVm4 out);
/* General inverse; 0 and the identity for a singular matrix. */
ORV_API int OVm4_invert(const OVm4 src, OVm4 dst);
/* Inverse of a matrix made of per-axis scale, rotation and translation. */
ORV_API void OVm4_invertortho(const OVm4 src, OVm4 dst);

/* Eigen-decomposition of a symmetric matrix (its upper triangle is
 * destroyed): eigenvalues in values, eigenvectors as the columns of vectors. */
ORV_API void _OVjacobi(OVm3 m, OVp3 values, OVm3 vectors);
/* Normal of a polygon of count points: 1 convex (also for count <= 2, normal
 * untouched), 2 planar but not convex, 0 not planar. */
ORV_API int OVp3_polynormal(const OVp3 *points, int count, OVp3 normal);

ORV_EXTERN_C_END

#endif
