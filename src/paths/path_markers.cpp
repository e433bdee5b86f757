// Marker nodes: one movable geometry node per element, at the element's pose.
#include "orv/geometry.h"
#include "orv/node.h"
#include "paths/path_record.h"
#include "scene/property_protocol.h"
#include <unordered_map>

namespace {

constexpr const char *marker_name = "OVMarker";

// Which element each marker node shows. Kept here rather than trusted from
// the node's data, which the application may change, and emptied when the
// application deletes a marker node itself.
std::unordered_map<const OVnode *, OVpathelement *> &marker_elements() {
    static std::unordered_map<const OVnode *, OVpathelement *> elements;
    return elements;
}

// A geometry belongs to one node, so every marker holds its own copy of the
// path's marker geometry.
OVnode *new_marker(OVpath *path, OVpathelement *element) {
    OVgeometry *copy = OVgeometry_copy(path->marker_geometry);
    if (!copy) return nullptr;
    OVnode *node = OVmovgeometrynode_new(OVuniverse_getrootnodes(), copy);
    if (!node) {
        OVgeometry_delete(copy);
        return nullptr;
    }
    OVnode_setname(node, marker_name);
    OVnode_setdata(node, element);
    marker_elements()[node] = element;
    return node;
}

} // namespace

namespace orv::paths {

void place_marker(const OVpathelement *element) {
    if (!element->marker) return;
    OVnode_settranslation(element->marker, element->pose.p);
    OVnode_setorientation(element->marker, element->pose.q);
}

void show_marker(OVpath *path, OVpathelement *element) {
    if (element->marker) {
        OVnode_addchild(OVuniverse_getrootnodes(), element->marker);
        return;
    }
    if (!path->marker_geometry) return;
    element->marker = new_marker(path, element);
    place_marker(element);
}

void hide_marker(OVpathelement *element) {
    if (element->marker) OVnode_remove(element->marker);
}

void delete_marker(OVpathelement *element) {
    if (!element->marker) return;
    OVnode_delete(element->marker); // forget_marker clears element->marker
}

void forget_marker(void *node) {
    auto &elements = marker_elements();
    auto found = elements.find(static_cast<const OVnode *>(node));
    if (found == elements.end()) return;
    found->second->marker = nullptr;
    elements.erase(found);
}

} // namespace orv::paths

extern "C" {

ORV_API OVpathelement *OVpathelement_frommarker(const OVnode *marker) {
    auto &elements = marker_elements();
    auto found = elements.find(marker);
    return found == elements.end() ? nullptr : found->second;
}

ORV_API int OVpath_setvisible(OVpath *path, int visible) {
    if (!path) return 0;
    const bool show = visible != 0;
    if (show == (path->visible != 0)) return 1;
    if (!orv::change_allowed(path, "PtVi")) return 0;
    for (OVpathelement *e = path->first; e; e = e->forward)
        show ? orv::paths::show_marker(path, e) : orv::paths::hide_marker(e);
    path->visible = show;
    const int value = show;
    orv::change_made(path, "PtVi", &value);
    return 1;
}

ORV_API int OVpath_getvisible(const OVpath *path) {
    return path ? path->visible : 0;
}

ORV_API int OVpath_setmarkergeometry(OVpath *path, OVgeometry *geometry) {
    if (!path || !geometry || !orv::change_allowed(path, "PtMa")) return 0;
    OVgeometry *copy = OVgeometry_copy(geometry);
    if (!copy) return 0;
    if (path->marker_geometry) OVgeometry_delete(path->marker_geometry);
    path->marker_geometry = copy;
    orv::change_made(path, "PtMa", &path->marker_geometry);
    return 1;
}

ORV_API OVgeometry *OVpath_getmarkergeometry(const OVpath *path) {
    return path ? path->marker_geometry : nullptr;
}

} // extern "C"
