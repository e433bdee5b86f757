// Node names and the 64-bucket name index.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/event_system.h"
#include "scene/node_internal.h"

#include <cstring>
#include <iterator>
#include <vector>

namespace orv::scene {

namespace {

// Each bucket keeps its nodes oldest first, so the newest entry, which a
// lookup meets first, is at the back; contiguous storage keeps the walks of
// large buckets cheap.
std::vector<OVnode *> buckets[64];

int bucket_of(const char *s) {
    int n = static_cast<int>(std::strlen(s));
    if (n == 0) return 0;
    auto c = [&](int i) { return static_cast<int>(static_cast<signed char>(s[i])); };
    int b = (n + c(0) + c(n / 2) + c(n - 1)) % 64;
    return b < 0 ? b + 64 : b;
}

} // namespace

void forget_name(OVnode *node) {
    if (!node->name) return;
    auto &bucket = buckets[bucket_of(node->name)];
    bool found = false;
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
        if (*it == node) {
            bucket.erase(std::next(it).base());
            found = true;
            break;
        }
    if (!found) OVwarning("Could not find node name %s\n", node->name);
    OVfree(node->name);
    node->name = nullptr;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int OVnode_setname(OVnode *node, const char *name) {
    if (!node || orv::base_name_stored(node)) return false;
    // Copied first: the new name may be the node's own, freed just below.
    char *copy = OVstrdup(name);
    forget_name(node);
    if (copy) {
        node->name = copy;
        buckets[bucket_of(copy)].push_back(node);
    }
    return true;
}

ORV_API const char *OVnode_getname(const OVnode *node) {
    return node ? node->name : nullptr;
}

ORV_API OVnode *OVuniverse_findnode(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    const auto &bucket = buckets[bucket_of(name)];
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
        if (std::strncmp((*it)->name, name, static_cast<size_t>(length)) == 0) return *it;
    return nullptr;
}

// The n-th node with exactly this name, the most recently named first.
ORV_API OVnode *OVuniverse_findnodebyname(const char *name, int n) {
    if (!name || n < 0) return nullptr;
    const auto &bucket = buckets[bucket_of(name)];
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
        if (std::strcmp((*it)->name, name) == 0 && n-- == 0) return *it;
    return nullptr;
}

} // extern "C"
