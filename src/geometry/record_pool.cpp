// The pools of corner, vertex and polygon records.
#include "geometry/record_pool.h"

#include "geometry/geometry_record.h"

namespace orv::geom {

namespace {
// Constant-initialised and never destroyed: records may outlive static
// destruction at exit.
constinit RecordPool<sizeof(OVcorner)> corners;
constinit RecordPool<sizeof(OVvertex)> vertices;
constinit RecordPool<sizeof(OVpoly)> polys;
} // namespace

void *corner_take() {
    return corners.take();
}
void corner_give(void *corner) {
    corners.give(corner);
}
void *vertex_take() {
    return vertices.take();
}
void vertex_give(void *vertex) {
    vertices.give(vertex);
}
void *poly_take() {
    return polys.take();
}
void poly_give(void *poly) {
    polys.give(poly);
}

} // namespace orv::geom
