// The watches are a stack on the callers' frames: callbacks nest, and each
// watch ends before the one around it.
#include "core/object_watch.h"

namespace orv {

namespace {
ObjectWatch *innermost = nullptr;
std::uint64_t deletions = 0;
} // namespace

ObjectWatch::ObjectWatch(const void *object)
    : object_(object), deletions_at_start_(deletions), outer_(innermost) {
    innermost = this;
}

ObjectWatch::~ObjectWatch() {
    innermost = outer_;
}

bool ObjectWatch::any_deleted() const {
    return deletions != deletions_at_start_;
}

void object_deleted(const void *object) {
    ++deletions;
    for (ObjectWatch *w = innermost; w; w = w->outer_)
        if (w->object_ == object) w->object_ = nullptr;
}

} // namespace orv
