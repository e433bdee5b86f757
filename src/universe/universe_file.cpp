// Loading a universe file as the universe object, and saving it.
#include "files/bnff_reader.h"
#include "files/load_scale.h"
#include "files/nff_reader.h"
#include "files/nff_writer.h"
#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "objects/portal_list.h"
#include "objects/stationary_object.h"
#include "orv/file.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/universe.h"
#include "platform/platform.h"
#include "orv/orv_internal.h"
#include "state/universe_state.h"
#include "universe/universe_steps.h"

#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

namespace orv::objects {

namespace {

class WaitCursor {
  public:
    WaitCursor() : previous_(platform::current().current_cursor()) {
        platform::current().set_cursor(platform::current().wait_cursor());
    }
    ~WaitCursor() { platform::current().set_cursor(previous_); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

  private:
    void *previous_;
};

bool read_with_geometry_loader(int type) {
    return type == OVFILE_DXF || type == OVFILE_WAVEFRONT || type == OVFILE_3DG1 ||
           type == OVFILE_3DS || type == OVFILE_SLP;
}

// Reads the open file with the reader of its type (the file is closed).
OVgeomlist *read_universe(std::FILE *file, const std::string &path, int type, OVpq *placement,
                          float scale, std::vector<PortalRequest> *portals) {
    if (type == OVFILE_NFF || type == OVFILE_BNFF) {
        auto reader = type == OVFILE_NFF ? nff_read : bnff_read;
        OVgeomlist *list = reader(file, path.c_str(), placement, scale, true, portals);
        std::fclose(file);
        return list;
    }
    if (read_with_geometry_loader(type))
        return _OVgeometry_load(file, path.c_str(), type, placement, scale, 1);
    std::fclose(file);
    if (type == 6 || type == 7)
        OVwarning("ORV 1.01 binary format is no longer supported.\n");
    else
        OVwarning("Unknown file type: %s", path.c_str());
    return nullptr;
}

// One geometry for the object: a "distinct" file's geometries are joined too
// (the reader has already given them one material table).
OVgeometry *single_geometry(OVgeomlist *list) {
    if (_OVgeomlist_next(list)) _OVgeomlist_glom(list);
    OVgeometry *g = _OVgeomlist_geometry(list);
    _OVgeomlist_delete(list);
    return g;
}

void prepare_polygons(OVgeometry *g) {
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        if (!(geom::poly_flags(p) & OVPOLY_CONVEX)) _OVpoly_makeconvex(p);
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        geom::poly_set_flag(p, OVPOLY_BUILT | OVPOLY_OBJECTFRAME, false);
}

// Portals of polygons that closing removed are dropped.
void add_portals(const StationaryObject *object, const std::vector<PortalRequest> &requests) {
    std::unordered_set<const OVpoly *> present;
    for (OVpoly *p = geom::geometry_polys(object->geometry); p; p = geom::poly_next(p))
        present.insert(p);
    for (const PortalRequest &r : requests)
        if (present.count(r.poly)) portal_add(r.poly, r.target.c_str());
}

void name_universe(const StationaryObject *object, int type, const char *filename) {
    if (type != OVFILE_DXF) OVuniverse_setname(OVgeometry_getname(object->geometry));
    if (std::strcmp(OVuniverse_getname(), "untitled") == 0) OVuniverse_setname(filename);
}

bool box_of(void *object, float min[3], float max[3]) {
    return stationary_box(static_cast<StationaryObject *>(object), min, max);
}

void delete_object(void *object) {
    stationary_delete(static_cast<StationaryObject *>(object));
}

} // namespace

} // namespace orv::objects

using namespace orv;
using namespace orv::objects;

extern "C" {

ORV_API int OVuniverse_load(const char *filename, OVpq *placement, float scale) {
    if (!universe_exists()) return 0;
    WaitCursor wait;
    if (!filename || !load_scale_ok(scale)) return 0;
    OVpq view = {{0, 0, 0}, {0, 0, 0, 1}};
    if (placement) *placement = view;
    const char *found = _OVfile_findmodel(filename);
    if (!found) {
        OVwarning("Couldn't find file %s\n", filename);
        return 0;
    }
    std::string path = found;
    int type = _OVfile_type(path.c_str());
    bool text =
        type == OVFILE_DXF || type == OVFILE_NFF || type == OVFILE_WAVEFRONT || type == OVFILE_SLP;
    std::FILE *file = std::fopen(path.c_str(), text ? "rt" : "rb");
    if (!file) return 0;
    if (universe_exists()) clear_scene();
    std::vector<PortalRequest> requests;
    OVgeomlist *list = read_universe(file, path, type, &view, scale, &requests);
    if (placement) *placement = view;
    if (!list) return 0;
    auto *object = stationary_new(single_geometry(list));
    prepare_polygons(object->geometry);
    universe_set_object(object, box_of, delete_object);
    add_portals(object, requests);
    name_universe(object, type, filename);
    universe_set_placement(&view);
    OVnode *parent =
        OVuniverse_getoption(OVOPTION_AUTOINSERT) > 0 ? OVuniverse_getrootnodes() : nullptr;
    object_node_new(parent, object);
    universe_run_entry_callbacks();
    return 1;
}

ORV_API int OVuniverse_save(const char *filename, int type) {
    if (!filename || (type != OVFILE_DXF && type != OVFILE_NFF && type != OVFILE_BNFF)) return 0;
    auto *object = static_cast<StationaryObject *>(universe_object());
    if (!object || !object->geometry) {
        OVwarning("There is no universe object to save in %s\n", filename);
        return 0;
    }
    if (type == OVFILE_DXF) return OVgeometry_save(object->geometry, filename, nullptr, type);
    NffSave save;
    save.settings = nff_write_settings();
    OVpq pose;
    save.view = current_viewpoint_pose(&pose) ? &pose : nullptr;
    save.name = OVuniverse_getname();
    save.universe = true;
    return nff_save_file(filename, {object->geometry}, type, save) ? 1 : 0;
}

} // extern "C"
