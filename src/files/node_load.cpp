// Loading model files as scene nodes.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"

#include <cstring>
#include <string>

extern "C" __attribute__((weak)) int OVlightnode_load(OVnode *parent, const char *path);

namespace {

bool sensible_scale(float scale) {
    if (scale < 1e-20f) {
        OVwarning("Nonsensical scale factor.\n");
        return false;
    }
    return true;
}

// One geometry node per geometry of the file, named after it; the first.
OVnode *load_geometries(OVnode *parent, const std::string &path, int type, float scale,
                        bool movable) {
    bool text = type == 1 || type == 2 || type == 4;
    std::FILE *f = std::fopen(path.c_str(), text ? "rt" : "rb");
    if (!f) return nullptr;
    OVpq view;
    OVgeomlist *list = _OVgeometry_load(f, path.c_str(), type, &view, scale, 1);
    OVnode *first = nullptr;
    if (movable && list && _OVgeomlist_next(list)) parent = OVmovsepnode_new(parent);
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e)) {
        OVgeometry *g = _OVgeomlist_geometry(e);
        OVnode *node = movable && !_OVgeomlist_next(list) ? OVmovgeometrynode_new(parent, g)
                                                          : OVgeometrynode_new(parent, g);
        if (!node) {
            OVgeometry_delete(g);
            continue;
        }
        OVnode_setname(node, OVgeometry_getname(g));
        if (!first) first = movable && _OVgeomlist_next(list) ? parent : node;
    }
    _OVgeomlist_delete(list);
    return first;
}

// The found file, or empty with the not-found message.
std::string find_model(const char *path) {
    const char *found = _OVfile_findmodel(path);
    if (!found) {
        OVwarning("Couldn't find file %s\n", path);
        return {};
    }
    return found;
}

bool retired_or_unknown(int type, const std::string &path) {
    if (type == 6 || type == 7) {
        OVwarning("ORV 1.01 binary format is no longer supported.\n");
        return true;
    }
    if (type == 3 || type == 10 || type == 13 || type == 16 || type == 0) {
        OVwarning("Unknown file type: %s\n", path.c_str());
        return true;
    }
    return false;
}

} // namespace

extern "C" {

ORV_API OVnode *OVnode_load(OVnode *parent, const char *path, float scale) {
    if (!path || !sensible_scale(scale)) return nullptr;
    if (std::strncmp(path, "http://", 7) == 0) {
        OVwarning("Loading from %s is not available: no URL loader\n", path);
        return nullptr;
    }
    std::string found = find_model(path);
    if (found.empty()) return nullptr;
    int type = _OVfile_type(found.c_str());
    if (type == OVFILE_LIGHTS) {
        if (!OVlightnode_load || !OVlightnode_load(parent, found.c_str())) return nullptr;
        int n = OVnode_numchildren(parent);
        return n > 0 ? OVnode_getchild(parent, n - 1) : nullptr;
    }
    if (type == OVFILE_VRML1 || type == OVFILE_VRML2 || type == 8) {
        OVwarning("No reader for the format of file %s is available\n", found.c_str());
        return nullptr;
    }
    if (retired_or_unknown(type, found)) return nullptr;
    return load_geometries(parent, found, type, scale, false);
}

ORV_API OVnode *OVgeometrynode_load(OVnode *parent, const char *path, float scale) {
    if (!path || !sensible_scale(scale)) return nullptr;
    std::string found = find_model(path);
    if (found.empty()) return nullptr;
    int type = _OVfile_type(found.c_str());
    if (type < 1 || type > 12 || retired_or_unknown(type, found)) return nullptr;
    return load_geometries(parent, found, type, scale, false);
}

ORV_API OVnode *OVmovnode_load(OVnode *parent, const char *path, float scale) {
    if (!path || !sensible_scale(scale)) return nullptr;
    std::string found = find_model(path);
    if (found.empty()) return nullptr;
    int type = _OVfile_type(found.c_str());
    if (type < 1 || type > 12 || retired_or_unknown(type, found)) return nullptr;
    return load_geometries(parent, found, type, scale, true);
}

} // extern "C"
