// Printing a subtree: one line per node, indented by depth.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/scene_walk.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::size_t kLineLimit = OVMESSAGE_MAXTEXT;

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
    using namespace orv::scene;
    if (!node) return;
    int depth = 0;
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(node, STEP_NODE);
    auto visit = [&](OVnode *n, OVlink *) {
        // One message per line: a hook sees whole lines, and deep graphs
        // cost one call per node rather than one per level. A line too long
        // for one message loses indentation, never its text.
        std::string text = "Depth " + std::to_string(depth) + ' ' + type_name(OVnode_gettype(n)) +
                           " \"" + (n->name ? n->name : "None") + "\"\n";
        std::size_t room = text.size() < kLineLimit ? kLineLimit - text.size() : 0;
        std::string line(std::min(static_cast<std::size_t>(depth) * 2, room), ' ');
        OVmessage("%s", (line + text).c_str());
        // Children of a movable node are its content's, then its attachments.
        const OVlink *content = first_child(resolve(n));
        const OVlink *attachments = nullptr;
        if ((n->flags & NODE_MOVABLE) && first_child(n) && first_child(n)->next_sibling) {
            const OVnode *group = first_child(n)->next_sibling->child;
            if ((group->flags & NODE_ATTACHGROUP) && first_child(group))
                attachments = first_child(group)->next_sibling;
        }
        if (!content && !attachments) return true;
        ++depth;
        stack.push(n, STEP_ENDSCOPE);
        if (attachments) stack.push(const_cast<OVlink *>(attachments), STEP_LINK);
        if (content) stack.push(const_cast<OVlink *>(content), STEP_LINK);
        return true;
    };
    run_walk(stack, base, visit, [&depth](const Step &) { --depth; });
}
