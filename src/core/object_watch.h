// Watching an object while one of its own callbacks runs (a pre-handler, a
// draw function, a callback node): the callback may delete the object, and
// the caller must then stop without touching it again.
#pragma once

#include <cstdint>

namespace orv {

class ObjectWatch {
  public:
    explicit ObjectWatch(const void *object);
    ~ObjectWatch();
    ObjectWatch(const ObjectWatch &) = delete;
    ObjectWatch &operator=(const ObjectWatch &) = delete;

    // Whether the watched object has been deleted since the watch began.
    bool deleted() const { return object_ == nullptr; }
    // Whether any object at all has been deleted since the watch began.
    bool any_deleted() const;

  private:
    friend void object_deleted(const void *object);
    const void *object_;
    std::uint64_t deletions_at_start_;
    ObjectWatch *outer_;
};

// Told by every object type's delete operation before the object is freed.
void object_deleted(const void *object);

} // namespace orv
