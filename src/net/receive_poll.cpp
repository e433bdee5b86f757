// Polling the receiving socket and queuing what arrives: a datagram that
// does not fit the ring waits in the receive buffer, and no other is
// received until it has been queued.
#include "net/receive_poll.h"
#include "net/message_codec.h"
#include "net/net_channel.h"
#include "net/receive_ring.h"
#include "net/wire_format.h"

#include "orv/message.h"
#include "orv/orv_internal.h"

#include <cstring>

namespace orv::net {

namespace {
std::uint8_t waiting[kDatagramSize];
std::size_t waiting_size = 0;
unsigned dropped = 0;

bool has_magic(const std::uint8_t *bytes, std::size_t size) {
    return size >= kMagicSize && std::memcmp(bytes, kMagic, kMagicSize) == 0;
}

// Queues the waiting datagram; false while it does not fit the ring. Other
// packet types are ignored and a malformed chain is dropped whole, so that
// the ring only ever holds whole messages.
bool queue_waiting() {
    const std::uint8_t *messages = waiting + kPacketHeaderSize;
    std::size_t size = waiting_size - kPacketHeaderSize;
    if (waiting[kPacketTypeOffset] == kDataPacket) {
        if (!valid_message_chain(messages, size)) {
            // Queued, it would put the ring out of step with its headers.
            OVwarning("Net data is out of sync\n");
            ++dropped;
        } else if (!receive_ring().append(messages, size))
            return false;
    }
    waiting_size = 0;
    return true;
}

// Takes a received datagram of full_size bytes (of which the first
// min(full_size, kDatagramSize) are at bytes).
void take(const std::uint8_t *bytes, std::size_t full_size) {
    if (!has_magic(bytes, full_size)) return;
    // Longer than any datagram a channel sends, or without a packet type.
    if (full_size > kDatagramSize || full_size < kPacketHeaderSize) {
        ++dropped;
        return;
    }
    std::memcpy(waiting, bytes, full_size);
    waiting_size = full_size;
    queue_waiting();
}
} // namespace

void poll_channel() {
    if (waiting_size > 0 && !queue_waiting()) return;
    std::uint8_t buffer[kDatagramSize];
    bool own = false;
    long size = receive_datagram(buffer, sizeof buffer, own);
    if (size < 0 || own) return;
    take(buffer, static_cast<std::size_t>(size));
}

void reset_reception() {
    waiting_size = 0;
    receive_ring().clear();
}

void reset_dropped() {
    dropped = 0;
}

unsigned dropped_datagrams() {
    return dropped;
}

} // namespace orv::net

using namespace orv::net;

extern "C" ORV_API int _OVnet_deliver(const void *datagram, int size) {
    if (!datagram || size < 0) return 1;
    if (waiting_size > 0 && !queue_waiting()) return 0;
    take(static_cast<const std::uint8_t *>(datagram), static_cast<std::size_t>(size));
    return 1;
}
