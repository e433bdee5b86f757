// The names a scene file gives its nodes: every DEF name valid and unique.
#pragma once

#include "orv/orv_base.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv::vrml {

// The nodes a grouping node writes below it, in order: its children, then a
// movable node's attachments. Inline nodes write none.
std::vector<OVnode *> written_children(OVnode *node);

class Names {
  public:
    // The pre-pass over the subtree: named nodes keep a valid form of their
    // name; nodes that would share one, and unnamed nodes with several
    // parents, get generated names.
    explicit Names(OVnode *top);
    // The node's DEF name, or null when it is written without one.
    const std::string *of(const OVnode *node) const;

  private:
    std::string generated();
    std::unordered_map<const OVnode *, std::string> names_;
    std::unordered_map<std::string, const OVnode *> bearers_;
};

} // namespace orv::vrml
