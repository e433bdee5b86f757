// Printing a subtree: one line per node, indented by depth.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"

#include <utility>
#include <vector>

namespace {

const char *type_name(int code) {
    switch (code) {
    case 1:
        return "Xform     ";
    case 2:
        return "Lod       ";
    case 3:
        return "MLod      ";
    case 4:
        return "Switch    ";
    case 5:
        return "MSwitch   ";
    case 6:
        return "Geometry  ";
    case 7:
        return "MGeometry ";
    case 8:
        return "Group     ";
    case 9:
        return "Separator ";
    case 10:
        return "MSeparator";
    case 11:
        return "OVobject  ";
    case 12:
        return "Light     ";
    case 13:
        return "MLight    ";
    case 14:
        return "Anchor    ";
    case 15:
        return "Inline    ";
    case 16:
        return "Xformsep  ";
    case 17:
        return "Material  ";
    case 18:
        return "Fog       ";
    case 20:
        return "Rendering ";
    case 21:
        return "Root      ";
    case 26:
        return "Mtable    ";
    case 28:
        return "GL\t    ";
    default:
        return "";
    }
}

} // namespace

extern "C" ORV_API void OVnode_print(OVnode *node) {
    if (!node) return;
    // Children of a movable node are its content's, then its attachments.
    std::vector<std::pair<OVnode *, int>> stack{{node, 0}};
    while (!stack.empty()) {
        auto [n, depth] = stack.back();
        stack.pop_back();
        for (int i = 0; i < depth; ++i)
            OVmessage("  ");
        OVmessage("Depth %d %s \"%s\"\n", depth, type_name(OVnode_gettype(n)),
                  n->name ? n->name : "None");
        std::vector<OVnode *> below;
        OVnode *content = orv::scene::resolve(n);
        if (node_is_grouping(content->header.type))
            for (OVlink *l = content->first_child; l; l = l->next_sibling)
                below.push_back(l->child);
        if ((n->flags & NODE_MOVABLE) && n->first_child && n->first_child->next_sibling) {
            OVnode *group = n->first_child->next_sibling->child;
            if (group->flags & NODE_ATTACHGROUP)
                for (OVlink *l = group->first_child ? group->first_child->next_sibling : nullptr; l;
                     l = l->next_sibling)
                    below.push_back(l->child);
        }
        for (auto it = below.rbegin(); it != below.rend(); ++it)
            stack.push_back({*it, depth + 1});
    }
}
