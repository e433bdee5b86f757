// The channel's sockets: set up by an open, torn down by a close.
#pragma once

#include "net/net_settings.h"

#include <cstddef>
#include <cstdint>

namespace orv::net {

// Whether the channel is open.
bool channel_open();

// Creates and configures both sockets for the settings; on failure reports
// why, leaves nothing open and returns false.
bool open_sockets(const Settings &settings);

// Leaves the group, closes both sockets and marks the channel closed.
void close_sockets();

// Sends one datagram to the channel's destination; false after reporting a
// failure.
bool send_datagram(const std::uint8_t *bytes, std::size_t size);

// Receives one waiting datagram without blocking into buffer (capacity
// bytes). Returns its full length (possibly above capacity), or -1 when
// nothing is waiting. own is set when the channel itself sent it.
long receive_datagram(std::uint8_t *buffer, std::size_t capacity, bool &own);

} // namespace orv::net
