// The serial connection a device sensor owns. Serial devices are not part of
// the toolkit; the record only names the device so that a sensor can own it.
#include "orv/message.h"
#include "orv/sensor.h"

struct OVserialport {
    char *device;
};

extern "C" {

ORV_API OVserialport *OVserialport_new(const char *device) {
    auto *port = static_cast<OVserialport *>(OVmalloc(sizeof(OVserialport)));
    port->device = OVstrdup(device);
    return port;
}

ORV_API void OVserialport_delete(OVserialport *port) {
    if (!port) return;
    OVfree(port->device);
    OVfree(port);
}

} // extern "C"
