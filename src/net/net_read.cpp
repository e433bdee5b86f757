// Reading the receive ring message by message.
#include "net/message_codec.h"
#include "net/receive_poll.h"
#include "net/receive_ring.h"
#include "net/wire_format.h"

#include "orv/message.h"
#include "orv/net.h"

#include <cstring>

namespace orv::net {

namespace {
// The header of the next queued message after a poll; false when none. A
// header that cannot start a message means the ring is out of step: it is
// emptied rather than read as garbage.
bool next_message(MessageHeader &header) {
    poll_channel();
    ReceiveRing &ring = receive_ring();
    if (ring.size() == 0) return false;
    std::uint8_t bytes[kMessageHeaderSize] = {};
    if (ring.size() >= kMessageHeaderSize) ring.copy_out(0, bytes, sizeof bytes);
    header = decode_header(bytes);
    std::size_t whole = kMessageHeaderSize + padded_length(std::size_t(header.length));
    if (header.type != 0 && whole <= ring.size()) return true;
    OVwarning("Net data is out of sync\n");
    ring.clear();
    return false;
}

void set_outputs(int *identifier, int *length, int id_value, int length_value) {
    if (identifier) *identifier = id_value;
    if (length) *length = length_value;
}

int read_message(void *buffer, int capacity, int *identifier, int *length, bool decode) {
    MessageHeader header;
    if (!next_message(header)) {
        set_outputs(identifier, length, 0, 0);
        return 0;
    }
    set_outputs(identifier, length, header.identifier, header.length);
    if (!buffer || header.length > capacity) return -1;
    std::size_t payload = padded_length(static_cast<std::size_t>(header.length));
    std::uint8_t bytes[padded_length(kMaxPayload)];
    ReceiveRing &ring = receive_ring();
    ring.copy_out(kMessageHeaderSize, bytes, payload);
    if (decode) swap_payload(header.type, bytes, payload);
    std::memcpy(buffer, bytes, static_cast<std::size_t>(header.length));
    ring.consume(kMessageHeaderSize + payload);
    return header.type;
}
} // namespace

} // namespace orv::net

using namespace orv::net;

extern "C" {

ORV_API int OVnet_peek(int *identifier, int *length) {
    MessageHeader header;
    if (!next_message(header)) {
        set_outputs(identifier, length, 0, 0);
        return 0;
    }
    set_outputs(identifier, length, header.identifier, header.length);
    return header.type;
}

ORV_API int OVnet_read(void *buffer, int capacity, int *identifier, int *length) {
    return read_message(buffer, capacity, identifier, length, true);
}

ORV_API int OVnet_readraw(void *buffer, int capacity, int *identifier, int *length) {
    return read_message(buffer, capacity, identifier, length, false);
}

ORV_API void OVnet_skip(void) {
    MessageHeader header;
    if (next_message(header))
        receive_ring().consume(kMessageHeaderSize + padded_length(std::size_t(header.length)));
}

ORV_API unsigned OVnet_getdropped(void) {
    return dropped_datagrams();
}

} // extern "C"
