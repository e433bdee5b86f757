// Material nodes, made by the model readers; the traversal applies the
// values their mask names.
#include "orv/message.h"
#include "scene/node_internal.h"

#include <cstring>

namespace orv::scene {

OVnode *new_material_node(OVnode *parent) {
    OVnode *n = make_node(parent, OVNODE_MATERIAL, sizeof(OVmaterialdata));
    if (!n) return nullptr;
    static_cast<OVmaterialdata *>(node_payload(n))->diffuse[3] =
        1; // opaque until a reader says otherwise
    return n;
}

} // namespace orv::scene
