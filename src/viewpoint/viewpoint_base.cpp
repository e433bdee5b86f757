// The base-object services a viewpoint's name change and deletion go through.
#include "platform/symbols.h"
#include "viewpoint/viewpoint_events.h"

namespace orv {

bool name_is_stored(void *object) {
    using Hook = int (*)(void *);
    auto hook = reinterpret_cast<Hook>(platform::find_symbol("_OVbase_isnamestored"));
    return hook && hook(object);
}

void forget_object(void *object) {
    using Hook = void (*)(void *);
    if (auto hook = reinterpret_cast<Hook>(platform::find_symbol("_OVbase_deleted"))) hook(object);
    if (OVbase_removeallhandlers) OVbase_removeallhandlers(object);
    if (OVbase_deleteproperties) OVbase_deleteproperties(object);
    if (OVtask_deleteall) OVtask_deleteall(object);
}

} // namespace orv
