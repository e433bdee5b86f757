#include "scene/handler_registry.h"

#include "scene/name_hash.h"

#include <cstdint>
#include <cstring>

namespace orv {

unsigned HandlerRegistry::object_bucket(const void *object) {
    return static_cast<unsigned>((reinterpret_cast<std::uintptr_t>(object) >> 4) % object_buckets);
}

HandlerRegistry::ObjectNode *HandlerRegistry::find_object(const void *object) const {
    for (ObjectNode *o = buckets_[object_bucket(object)]; o; o = o->next)
        if (o->object == object) return o;
    return nullptr;
}

const std::vector<HandlerEntry> *HandlerRegistry::find(const void *object, const char *name) const {
    if (objects_ == 0 || !name) return nullptr;
    ObjectNode *o = find_object(object);
    if (!o) return nullptr;
    for (NameNode *n = o->names[name_hash(name) % name_buckets]; n; n = n->next)
        if (n->name == name) return n->entries.empty() ? nullptr : &n->entries;
    return nullptr;
}

bool HandlerRegistry::holds(const void *object, const char *name, AnyFn function) const {
    const std::vector<HandlerEntry> *entries = find(object, name);
    if (!entries) return false;
    for (const HandlerEntry &e : *entries)
        if (e.function == function) return true;
    return false;
}

bool HandlerRegistry::add(void *object, const char *name, AnyFn function, double due) {
    ObjectNode *o = find_object(object);
    if (!o) {
        unsigned b = object_bucket(object);
        o = new ObjectNode{object, {}, buckets_[b]};
        buckets_[b] = o;
        ++objects_;
    }
    NameNode *&head = o->names[name_hash(name) % name_buckets];
    NameNode *n = head;
    while (n && n->name != name)
        n = n->next;
    if (!n) n = head = new NameNode{name, {}, head};
    for (const HandlerEntry &e : n->entries)
        if (e.function == function) return false;
    n->entries.push_back({function, due});
    return true;
}

bool HandlerRegistry::remove(const void *object, const char *name, AnyFn function) {
    ObjectNode *o = objects_ ? find_object(object) : nullptr;
    if (!o || !name) return false;
    for (NameNode *n = o->names[name_hash(name) % name_buckets]; n; n = n->next) {
        if (n->name != name) continue;
        for (auto it = n->entries.begin(); it != n->entries.end(); ++it)
            if (it->function == function) {
                n->entries.erase(it);
                return true;
            }
        return false;
    }
    return false;
}

void HandlerRegistry::remove_name(const void *object, const char *name) {
    ObjectNode *o = objects_ ? find_object(object) : nullptr;
    if (!o) return;
    for (NameNode **link = &o->names[name_hash(name) % name_buckets]; *link; link = &(*link)->next)
        if ((*link)->name == name) {
            NameNode *gone = *link;
            *link = gone->next;
            delete gone;
            return;
        }
}

bool HandlerRegistry::has_object(const void *object) const {
    return objects_ && find_object(object);
}

void HandlerRegistry::free_object(ObjectNode *node) {
    for (NameNode *n : node->names)
        while (n) {
            NameNode *next = n->next;
            delete n;
            n = next;
        }
    delete node;
}

void HandlerRegistry::remove_object(const void *object) {
    if (objects_ == 0) return;
    for (ObjectNode **link = &buckets_[object_bucket(object)]; *link; link = &(*link)->next)
        if ((*link)->object == object) {
            ObjectNode *gone = *link;
            *link = gone->next;
            free_object(gone);
            --objects_;
            return;
        }
}

void HandlerRegistry::clear() {
    for (ObjectNode *&head : buckets_)
        while (head) {
            ObjectNode *next = head->next;
            free_object(head);
            head = next;
        }
    objects_ = 0;
}

HandlerRegistry &post_handlers() {
    static HandlerRegistry registry;
    return registry;
}

HandlerRegistry &pre_handlers() {
    static HandlerRegistry registry;
    return registry;
}

HandlerRegistry &timed_handlers() {
    static HandlerRegistry registry;
    return registry;
}

} // namespace orv
