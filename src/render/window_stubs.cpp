// Key and mouse-button properties of windows: the input module fires them as
// events; reading or writing them directly is not available.
#include "orv/message.h"
#include "orv/window.h"

namespace {
int todo(const char *name) {
    OVmessage("TODO: %s\n", name);
    return 0;
}
} // namespace

extern "C" {

ORV_API int OVwindow_setkey(OVwindow *, int) {
    return todo("OVwindow_setkey");
}
ORV_API int OVwindow_getkey(const OVwindow *) {
    return todo("OVwindow_getkey");
}
ORV_API int OVwindow_setlbutton(OVwindow *, int) {
    return todo("OVwindow_setlbutton");
}
ORV_API int OVwindow_getlbutton(const OVwindow *) {
    return todo("OVwindow_getlbutton");
}
ORV_API int OVwindow_setlbuttondblclk(OVwindow *, int) {
    return todo("OVwindow_setlbuttondblclk");
}
ORV_API int OVwindow_getlbuttondblclk(const OVwindow *) {
    return todo("OVwindow_getlbuttondblclk");
}
ORV_API int OVwindow_setrbutton(OVwindow *, int) {
    return todo("OVwindow_setrbutton");
}
ORV_API int OVwindow_getrbutton(const OVwindow *) {
    return todo("OVwindow_getrbutton");
}
ORV_API int OVwindow_getrbuttondblclk(const OVwindow *) {
    return todo("OVwindow_getrbuttondblclk");
}
ORV_API int OVwindow_setmbutton(OVwindow *, int) {
    return todo("OVwindow_setmbutton");
}
ORV_API int OVwindow_getmbutton(const OVwindow *) {
    return todo("OVwindow_getmbutton");
}
ORV_API int OVwindow_setmbuttondblclk(OVwindow *, int) {
    return todo("OVwindow_setmbuttondblclk");
}
ORV_API int OVwindow_getmbuttondblclk(const OVwindow *) {
    return todo("OVwindow_getmbuttondblclk");
}

} // extern "C"
