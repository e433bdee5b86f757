// The pools of vertex, polygon, geometry and material table records, quadrilaterals' corner
// arrays and vertex normals, and the count of pool blocks held.
#include "geometry/record_pool.h"

#include "geometry/geometry_record.h"
#include "geometry/mtable_record.h"
#include "platform/platform.h"

namespace orv::geom {

namespace {
// Constant-initialised and never destroyed: records may outlive static
// destruction at exit.
constinit RecordPool<sizeof(OVvertex)> vertices;
constinit RecordPool<sizeof(OVpoly)> polys;
constinit RecordPool<kQuadCorners * sizeof(OVvertex *)> quad_rings;
constinit RecordPool<3 * sizeof(float)> normals;
constinit RecordPool<sizeof(OVgeometry)> geometries;
constinit RecordPool<sizeof(OVmtable)> mtables;
constinit long blocks = 0;
} // namespace

std::size_t pooled_bytes() {
    return static_cast<std::size_t>(blocks) * kPoolBlockBytes;
}

void *map_pool_block() {
    void *block = platform::current().process.map_block(kPoolBlockBytes);
    if (!block) OVfatal("OUT OF MEMORY!");
    ++blocks;
    return block;
}

void unmap_pool_block(void *block) {
    platform::current().process.unmap_block(block, kPoolBlockBytes);
    --blocks;
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
void *quad_ring_take() {
    return quad_rings.take();
}
void quad_ring_give(void *ring) {
    quad_rings.give(ring);
}
float *normal_take() {
    return static_cast<float *>(normals.take());
}
void normal_give(float *normal) {
    normals.give(normal);
}
void *geometry_take() {
    return geometries.take();
}
void geometry_give(void *geometry) {
    geometries.give(geometry);
}
void *mtable_take() {
    return mtables.take();
}
void mtable_give(void *table) {
    mtables.give(table);
}

} // namespace orv::geom
