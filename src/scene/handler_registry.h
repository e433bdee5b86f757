// A handler registry: objects hashed into 100 buckets, each with its property
// names hashed into 20 buckets, each name with its functions in registration
// order. The handler, pre-handler and timed registries share this shape.
#pragma once

#include <string>
#include <vector>

namespace orv {

using AnyFn = void (*)();

struct HandlerEntry {
    AnyFn function;
    double due; // timed handlers only
};

class HandlerRegistry {
  public:
    HandlerRegistry() = default;
    HandlerRegistry(const HandlerRegistry &) = delete;
    HandlerRegistry &operator=(const HandlerRegistry &) = delete;
    ~HandlerRegistry() { clear(); }

    // The functions of an object's property, or null when there are none.
    const std::vector<HandlerEntry> *find(const void *object, const char *name) const;
    // Whether the function is registered for the object's property.
    bool holds(const void *object, const char *name, AnyFn function) const;
    // Adds a function once; false when it was already there.
    bool add(void *object, const char *name, AnyFn function, double due = 0);
    // Removes a function; false when it was not there.
    bool remove(const void *object, const char *name, AnyFn function);
    // Removes every function of one property of the object.
    void remove_name(const void *object, const char *name);
    // Removes the object altogether.
    void remove_object(const void *object);
    // Whether the registry holds the object.
    bool has_object(const void *object) const;
    // Calls visit(object, name, entries) for every non-empty list.
    template <class Visit> void each(Visit visit) const;
    bool empty() const { return objects_ == 0; }
    void clear();

  private:
    static constexpr int object_buckets = 100;
    static constexpr int name_buckets = 20;
    struct NameNode {
        std::string name;
        std::vector<HandlerEntry> entries;
        NameNode *next;
    };
    struct ObjectNode {
        const void *object;
        NameNode *names[name_buckets];
        ObjectNode *next;
    };
    static unsigned object_bucket(const void *object);
    ObjectNode *find_object(const void *object) const;
    static void free_object(ObjectNode *node);

    ObjectNode *buckets_[object_buckets] = {};
    int objects_ = 0;
};

template <class Visit> void HandlerRegistry::each(Visit visit) const {
    for (ObjectNode *o : buckets_)
        for (; o; o = o->next)
            for (NameNode *n : o->names)
                for (; n; n = n->next)
                    if (!n->entries.empty()) visit(o->object, n->name, n->entries);
}

// The three registries of the process.
HandlerRegistry &post_handlers();
HandlerRegistry &pre_handlers();
HandlerRegistry &timed_handlers();

} // namespace orv
