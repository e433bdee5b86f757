// Node names and the 64-bucket name index.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/event_system.h"
#include "scene/node_internal.h"

#include <cstring>
#include <forward_list>

namespace orv::scene {

namespace {

std::forward_list<OVnode *> buckets[64];

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
    for (auto prev = bucket.before_begin(), it = bucket.begin(); it != bucket.end(); prev = it++)
        if (*it == node) {
            bucket.erase_after(prev);
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
    forget_name(node);
    if (name) {
        node->name = OVstrdup(name);
        buckets[bucket_of(name)].push_front(node);
    }
    return true;
}

ORV_API const char *OVnode_getname(const OVnode *node) {
    return node ? node->name : nullptr;
}

ORV_API OVnode *OVuniverse_findnode(const char *name, int length) {
    if (!name || length < 0) return nullptr;
    for (OVnode *n : buckets[bucket_of(name)])
        if (std::strncmp(n->name, name, static_cast<size_t>(length)) == 0) return n;
    return nullptr;
}

ORV_API OVnode *OVuniverse_findnodebyname(const char *name, int n) {
    if (!name || n < 0) return nullptr;
    // Newest first in the bucket: count from the oldest.
    std::forward_list<OVnode *> matches;
    int count = 0;
    for (OVnode *node : buckets[bucket_of(name)])
        if (std::strcmp(node->name, name) == 0) {
            matches.push_front(node);
            ++count;
        }
    if (n >= count) return nullptr;
    auto it = matches.begin();
    while (n-- > 0)
        ++it;
    return *it;
}

} // extern "C"
