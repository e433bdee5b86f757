// Opening and closing the channel.
#include "net/net_channel.h"
#include "net/net_settings.h"
#include "net/receive_poll.h"
#include "net/send_buffer.h"

#include "orv/net.h"

namespace orv::net {

namespace {
// Stores the given arguments in turn as the setters do; the first refused
// one ends the open, the ones before it stay stored.
bool store_arguments(const char *address, int port, int range) {
    if (address && !apply_group(address, settings())) return false;
    if (port != 0 && !apply_port(port, settings())) return false;
    return range == 0 || apply_range(range, settings());
}
} // namespace

} // namespace orv::net

using namespace orv::net;

extern "C" {

ORV_API int OVnet_open(const char *address, int port, int range) {
    if (channel_open() || !store_arguments(address, port, range)) return 0;
    reset_reception();
    reset_send_buffer();
    if (!open_sockets(settings())) return 0;
    reset_dropped();
    return 1;
}

ORV_API void OVnet_close(void) {
    if (!channel_open()) return;
    // Messages accepted by a send still go out.
    send_pending();
    close_sockets();
}

} // extern "C"
