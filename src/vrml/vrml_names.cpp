#include "vrml/vrml_names.h"

#include "orv/node.h"

#include <cstdio>
#include <string_view>
#include <unordered_set>

namespace orv::vrml {

namespace {

// Characters a VRML name may not contain (besides blanks and controls).
constexpr std::string_view forbidden = "\"'+,.\\{}#[]";

// A VRML name: no blank, control, quote, backslash, brace, plus or period,
// and no leading digit.
std::string valid_name(std::string_view name) {
    const bool leading_digit =
        !name.empty() && ((name[0] >= '0' && name[0] <= '9') || name[0] == '-');
    std::string out = name.empty() || leading_digit ? "_" : "";
    for (unsigned char c : name)
        out += c <= ' ' || c == 0x7f || forbidden.find(static_cast<char>(c)) != forbidden.npos
                   ? '_'
                   : static_cast<char>(c);
    return out;
}

// Only grows, so names generated for one file are never reused in the next.
int generated_counter = 0;

} // namespace

std::vector<OVnode *> written_children(OVnode *node) {
    std::vector<OVnode *> children;
    const int type = OVnode_gettype(node);
    if (type == OVNODE_INLINE) return children;
    for (int i = 0, n = OVnode_numchildren(node); i < n; ++i)
        children.push_back(OVnode_getchild(node, i));
    if (OVnode_ismovable(node))
        for (int i = 0, n = OVmovnode_numattachments(node); i < n; ++i)
            children.push_back(OVmovnode_getattachment(node, i));
    return children;
}

Names::Names(OVnode *top) {
    std::vector<OVnode *> order; // depth first, each node once
    std::unordered_set<const OVnode *> seen;
    std::vector<OVnode *> stack{top};
    while (!stack.empty()) {
        OVnode *node = stack.back();
        stack.pop_back();
        if (!node || !seen.insert(node).second) continue;
        order.push_back(node);
        std::vector<OVnode *> children = written_children(node);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back(*it);
    }
    // Every name borne by several nodes stays with the last of them.
    std::vector<const OVnode *> renamed;
    for (OVnode *node : order) {
        const char *own = OVnode_getname(node);
        if (!own) {
            if (OVnode_numparents(node) > 1) renamed.push_back(node);
            continue;
        }
        std::string name = valid_name(own);
        auto [slot, fresh] = bearers_.try_emplace(name, node);
        if (!fresh) {
            renamed.push_back(slot->second);
            names_.erase(slot->second);
            slot->second = node;
        }
        names_[node] = name;
    }
    for (const OVnode *node : renamed) {
        std::string name = generated();
        bearers_[name] = node;
        names_[node] = name;
    }
}

std::string Names::generated() {
    for (;;) {
        char name[32];
        std::snprintf(name, sizeof name, "Node%d", ++generated_counter);
        if (!bearers_.count(name)) return name;
    }
}

const std::string *Names::of(const OVnode *node) const {
    auto it = names_.find(node);
    return it == names_.end() ? nullptr : &it->second;
}

} // namespace orv::vrml
