// Opening and closing the channel.
#include "net/net_channel.h"
#include "net/net_settings.h"
#include "net/receive_poll.h"
#include "net/send_buffer.h"

#include "orv/net.h"

namespace orv::net {

namespace {
// Validates every argument before storing any, so that a refused open leaves
// the settings as they were.
bool staged_settings(const char *address, int port, int range, Settings &staged) {
    staged = settings();
    if (address && !apply_group(address, staged)) return false;
    if (port != 0 && !apply_port(port, staged)) return false;
    return range == 0 || apply_range(range, staged);
}
} // namespace

} // namespace orv::net

using namespace orv::net;

extern "C" {

ORV_API int OVnet_open(const char *address, int port, int range) {
    Settings staged;
    if (channel_open() || !staged_settings(address, port, range, staged)) return 0;
    reset_reception();
    reset_send_buffer();
    if (!open_sockets(staged)) return 0;
    settings() = staged;
    reset_dropped();
    return 1;
}

ORV_API void OVnet_close(void) {
    if (!channel_open()) return;
    // Messages accepted by a send still go out.
    send_pending();
    close_sockets();
    // Nothing read after a later open may come from before it.
    reset_reception();
}

} // extern "C"
