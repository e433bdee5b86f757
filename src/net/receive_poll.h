// Polling: moving received datagrams into the receive ring.
#pragma once

namespace orv::net {

// Queues a datagram still waiting, else receives one datagram, if any.
void poll_channel();

// Forgets a waiting datagram and empties the ring.
void reset_reception();

// Resets the count of datagrams dropped as malformed.
void reset_dropped();

// Datagrams dropped as malformed since the last reset.
unsigned dropped_datagrams();

} // namespace orv::net
