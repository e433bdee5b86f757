// Polling: moving received datagrams into the receive ring.
#pragma once

#include "orv/orv_base.h"

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

ORV_EXTERN_C_BEGIN
// Hands the channel a datagram as though a peer had sent it; it is queued,
// ignored or dropped as a received one would be. Returns 0 when a datagram
// already waits for room in the ring and this one was not taken.
ORV_API int _OVnet_deliver(const void *datagram, int size);
ORV_EXTERN_C_END
