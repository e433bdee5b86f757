// Saving geometry files: the writer is chosen by type code.
#include "files/nff_writer.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/viewpoint.h"

#include <cstdio>

namespace orv {

bool current_viewpoint_pose(OVpq *out) {
    OVviewpoint *viewpoint = OVuniverse_getviewpoint();
    if (!viewpoint) return false;
    OVviewpoint_getposition(viewpoint, out->p);
    OVviewpoint_getorientation(viewpoint, out->q);
    return true;
}

bool nff_save_file(const char *filename, const GeometryList &geometries, int type,
                   const NffSave &save) {
    std::FILE *file = std::fopen(filename, "wb");
    if (!file) {
        OVwarning("Couldn't open file %s for writing\n", filename);
        return false;
    }
    bool ok = type == OVFILE_NFF ? nff_write_text(file, geometries, save)
                                 : nff_write_binary(file, geometries, save);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) OVwarning("Couldn't write file %s\n", filename);
    return ok;
}

} // namespace orv

namespace {

// The NFF types share one path; DXF has no writer yet; other types fail.
int save_geometries(const orv::GeometryList &geometries, const char *filename, const OVpq *view,
                    int type) {
    if (type == OVFILE_DXF) {
        OVwarning("The DXF writer is not available yet: %s not saved\n", filename);
        return 0;
    }
    if (type != OVFILE_NFF && type != OVFILE_BNFF) return 0;
    orv::NffSave save;
    save.settings = orv::nff_write_settings();
    OVpq pose;
    // The binary header carries the current viewpoint, never the argument.
    if (type == OVFILE_BNFF)
        save.view = orv::current_viewpoint_pose(&pose) ? &pose : nullptr;
    else
        save.view = view;
    return orv::nff_save_file(filename, geometries, type, save) ? 1 : 0;
}

} // namespace

extern "C" {

ORV_API int OVgeometry_save(OVgeometry *geometry, const char *filename, const OVpq *view,
                            int type) {
    if (!geometry || !filename) return 0;
    return save_geometries({geometry}, filename, view, type);
}

ORV_API int _OVgeomlist_save(OVgeomlist *list, const char *filename, const OVpq *view, int type) {
    if (!list || !filename) return 0;
    orv::GeometryList geometries;
    for (; list; list = _OVgeomlist_next(list))
        if (OVgeometry *g = _OVgeomlist_geometry(list)) geometries.push_back(g);
    return save_geometries(geometries, filename, view, type);
}

} // extern "C"
