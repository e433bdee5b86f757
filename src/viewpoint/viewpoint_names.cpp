// Names, user data and the has-event-handlers flag of viewpoints.
#include "orv/message.h"
#include "orv/viewpoint.h"
#include "scene/event_system.h"
#include "viewpoint/viewpoint_record.h"

extern "C" {

ORV_API void OVviewpoint_setname(OVviewpoint *viewpoint, const char *name) {
    if (viewpoint) orv::base_rename(viewpoint, viewpoint->name, name);
}

ORV_API const char *OVviewpoint_getname(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->name : nullptr;
}

ORV_API void OVviewpoint_setdata(OVviewpoint *viewpoint, void *data) {
    if (viewpoint) viewpoint->data = data;
}

ORV_API void *OVviewpoint_getdata(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->data : nullptr;
}

ORV_API void _OVviewpoint_sethaseventhandlers(OVviewpoint *viewpoint, int flag) {
    if (viewpoint) viewpoint->header.has_handlers = flag ? 1 : 0;
}

ORV_API int _OVviewpoint_gethaseventhandlers(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->header.has_handlers : 0;
}

} // extern "C"
