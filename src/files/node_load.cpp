// Loading model files as scene nodes.
#include "files/load_scale.h"
#include "files/model_import.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/light.h"
#include "orv/node.h"
#include "orv/orv_internal.h"

#include <cstring>
#include <string>

namespace {

// One geometry node per geometry of the file, named after it; the first.
OVnode *load_geometries(OVnode *parent, const std::string &path, int type, float scale) {
    bool text = type == OVFILE_DXF || type == OVFILE_NFF || type == OVFILE_WAVEFRONT;
    std::FILE *f = std::fopen(path.c_str(), text ? "rt" : "rb");
    if (!f) return nullptr;
    OVpq view;
    OVgeomlist *list = _OVgeometry_load(f, path.c_str(), type, &view, scale, 1);
    OVnode *first = nullptr;
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e)) {
        OVgeometry *g = _OVgeomlist_geometry(e);
        OVnode *node = OVgeometrynode_new(parent, g);
        if (!node) {
            OVgeometry_delete(g);
            continue;
        }
        OVnode_setname(node, OVgeometry_getname(g));
        if (!first) first = node;
    }
    _OVgeomlist_delete(list);
    return first;
}

// The lights of a light file under the parent; the last one made. Without a
// parent they go to the holding root, gathered first so the last is known.
OVnode *load_lights(OVnode *parent, const char *path) {
    OVnode *under = parent ? parent : OVsepnode_new(nullptr);
    OVnode *last = nullptr;
    if (OVlightnode_load(under, path)) {
        const int n = OVnode_numchildren(under);
        last = n > 0 ? OVnode_getchild(under, n - 1) : nullptr;
    }
    if (!parent) {
        while (OVnode_numchildren(under) > 0)
            OVnode_removechild(under, 0);
        OVnode_delete(under);
    }
    return last;
}

// Moves child index of from to the end of to (null: the holding root).
void move_child(OVnode *from, int index, OVnode *to) {
    OVnode *child = OVnode_getchild(from, index);
    if (to) OVnode_addchild(to, child);
    OVnode_removechild(from, index);
}

bool is_light(OVnode *node) {
    int type = OVnode_gettype(node);
    return type == OVNODE_LIGHT || type == OVNODE_MLIGHT;
}

// A movable node: a separator (a transform separator for lights, so that
// they keep shining outside it) with an Xform node as child 0.
OVnode *new_movable(OVnode *parent, bool lights) {
    OVnode *m = lights ? OVxformsepnode_new(parent) : OVsepnode_new(parent);
    if (m) OVxformnode_new(m);
    return m;
}

// Builds the movable node for the nodes loaded under the fresh separator.
OVnode *make_movable(OVnode *parent, OVnode *fresh) {
    int n = OVnode_numchildren(fresh);
    OVnode *only = n == 1 ? OVnode_getchild(fresh, 0) : nullptr;
    OVnode *m = nullptr;
    if (n == 0) {
        // nothing was loaded
    } else if (only && OVnode_ismovable(only)) {
        move_child(fresh, 0, parent);
        OVnode_delete(fresh);
        return only;
    } else if (only && is_light(only)) {
        if ((m = new_movable(parent, true))) move_child(fresh, 0, m);
    } else if (only) {
        OVnode_insertchild(fresh, OVxformnode_new(nullptr), 0);
        OVnode_setname(fresh, OVnode_getname(only));
        if (parent) OVnode_addchild(parent, fresh);
        _OVnode_makemovable(fresh);
        return fresh;
    } else {
        bool lights = false;
        for (int i = 0; i < n; ++i)
            lights = lights || is_light(OVnode_getchild(fresh, i));
        if (lights) {
            OVnode *inner = (m = new_movable(parent, true)) ? OVxformsepnode_new(m) : nullptr;
            while (inner && OVnode_numchildren(fresh) > 0)
                move_child(fresh, 0, inner);
        } else if ((m = new_movable(parent, false))) {
            OVnode_addchild(m, fresh);
            fresh = nullptr;
        }
    }
    if (fresh) OVnode_delete(fresh);
    if (m) _OVnode_makemovable(m);
    return m;
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
    if (type == OVFILE_RETIRED_2424 || type == OVFILE_RETIRED_2323) {
        OVwarning("ORV 1.01 binary format is no longer supported.\n");
        return true;
    }
    // Codes with no format (3, 10), material files and WBDF are no models.
    constexpr int no_format_low = 3, no_format_high = 10;
    if (type == no_format_low || type == no_format_high || type == OVFILE_MAT ||
        type == OVFILE_WBDF || type == 0) {
        OVwarning("Unknown file type: %s\n", path.c_str());
        return true;
    }
    return false;
}

} // namespace

extern "C" {

ORV_API OVnode *OVnode_load(OVnode *parent, const char *path, float scale) {
    if (!path || !orv::load_scale_ok(scale)) return nullptr;
    if (std::strncmp(path, "http://", 7) == 0) {
        OVwarning("Loading from %s is not available: no URL loader\n", path);
        return nullptr;
    }
    std::string found = find_model(path);
    if (found.empty()) return nullptr;
    int type = _OVfile_type(found.c_str());
    if (type == OVFILE_LIGHTS) return load_lights(parent, found.c_str());
    if (type == OVFILE_VRML1 || type == OVFILE_VRML2 || type == OVFILE_OPENFLIGHT) {
        OVwarning("No reader for the format of file %s is available\n", found.c_str());
        return nullptr;
    }
    if (retired_or_unknown(type, found)) return nullptr;
    if (orv::imported_type(type)) return orv::import_nodes(parent, found.c_str(), type, scale);
    return load_geometries(parent, found, type, scale);
}

ORV_API OVnode *OVgeometrynode_load(OVnode *parent, const char *path, float scale) {
    if (!path || !orv::load_scale_ok(scale)) return nullptr;
    std::string found = find_model(path);
    if (found.empty()) return nullptr;
    int type = _OVfile_type(found.c_str());
    const bool known = (type >= OVFILE_DXF && type <= OVFILE_SLP) || orv::imported_type(type);
    if (!known || retired_or_unknown(type, found)) return nullptr;
    return load_geometries(parent, found, type, scale);
}

ORV_API OVnode *OVmovnode_load(OVnode *parent, const char *path, float scale) {
    if (!path) return nullptr;
    OVnode *fresh = OVsepnode_new(nullptr);
    if (parent && !OVnode_canaddchild(parent, fresh)) {
        OVnode_delete(fresh);
        return nullptr;
    }
    if (!OVnode_load(fresh, path, scale)) {
        OVnode_delete(fresh);
        return nullptr;
    }
    return make_movable(parent, fresh);
}

} // extern "C"
