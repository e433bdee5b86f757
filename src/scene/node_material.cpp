// Material nodes, made by the model readers; the traversal applies the
// values their mask names.
#include "orv/message.h"
#include "scene/node_internal.h"

#include <cstring>

namespace orv::scene {

OVnode *new_material_node(OVnode *parent) {
    OVnode *n = make_node(parent, NT_MATERIAL);
    if (!n) return nullptr;
    auto *m = static_cast<OVmaterialdata *>(OVmalloc(sizeof(OVmaterialdata)));
    std::memset(m, 0, sizeof *m);
    m->diffuse[3] = 1; // opaque until a reader says otherwise
    n->payload = m;
    return n;
}

} // namespace orv::scene
