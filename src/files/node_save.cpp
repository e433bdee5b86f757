// Saving a node: scene files for the VRML types, the node's geometry for
// every other type.
#include "orv/file.h"
#include "orv/message.h"
#include "orv/geometry.h"
#include "orv/node.h"
#include "vrml/vrml_writer.h"

#include <cstdio>

extern "C" {

ORV_API int OVnode_save(OVnode *node, const char *path, void *options, int type, int) {
    if (!node || !path) return 0;
    if (type == OVFILE_VRML1) {
        std::FILE *file = std::fopen(path, "wt");
        if (!file) {
            OVwarning("Couldn't open file %s for writing\n", path);
            return 0;
        }
        orv::vrml::write_scene(file, node, static_cast<OVviewpoint *>(options));
        // A write that failed part-way (a full disk) is not a saved scene.
        const bool written = !std::ferror(file);
        return std::fclose(file) == 0 && written ? 1 : 0;
    }
    if (type == OVFILE_VRML2) {
        OVwarning("No VRML97 plug-in is installed: %s not saved\n", path);
        return 0;
    }
    OVgeometry *geometry = OVnode_getgeometry(node);
    return geometry ? OVgeometry_save(geometry, path, nullptr, type) : 0;
}

} // extern "C"
