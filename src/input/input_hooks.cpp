// The extension hooks an object's renaming and deletion consult.
#include "input/input_events.h"
#include "platform/symbols.h"

namespace orv::input {

bool name_is_stored(void *object) {
    using Hook = int (*)(void *);
    auto hook = reinterpret_cast<Hook>(platform::find_symbol("_OVbase_isnamestored"));
    return hook && hook(object);
}

void announce_deleted(void *object) {
    using Hook = void (*)(void *);
    if (auto hook = reinterpret_cast<Hook>(platform::find_symbol("_OVbase_deleted"))) hook(object);
}

} // namespace orv::input
