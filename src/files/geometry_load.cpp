// The geometry-level model loader: dispatches an open file to the reader of
// its type code.
#include "core/finite.h"
#include "files/bnff_reader.h"
#include "files/model_import.h"
#include "files/nff_reader.h"
#include "orv/file.h"
#include "orv/message.h"

namespace {

const char *unavailable_reader(int type) {
    switch (type) {
    case OVFILE_3DG1:
        return "3DG1";
    case OVFILE_SLP:
        return "SLP";
    default:
        return nullptr;
    }
}

} // namespace

extern "C" ORV_API OVgeomlist *_OVgeometry_load(FILE *file, const char *name, int type, OVpq *view,
                                                float scale, int merge) {
    OVpq defaults = {{0, 0, 0}, {0, 0, 0, 1}};
    if (view)
        *view = defaults;
    else
        view = &defaults;
    OVgeomlist *list = nullptr;
    if (!file) return nullptr;
    if (!orv::finite(scale))
        OVwarning("Nonsensical scale factor.\n");
    else if (type == OVFILE_NFF)
        list = orv::nff_read(file, name, view, scale, merge != 0, nullptr);
    else if (type == OVFILE_BNFF)
        list = orv::bnff_read(file, name, view, scale, merge != 0, nullptr);
    else if (orv::imported_type(type))
        list = orv::import_geometries(file, name, type, scale);
    else if (const char *reader = unavailable_reader(type))
        OVwarning("The %s reader is not available yet: file %s not loaded\n", reader,
                  name ? name : "");
    else
        OVwarning("Unknown file type: %d of file %s\n", type, name ? name : "");
    std::fclose(file);
    return list;
}
