// Appending messages to the datagram of the pass and sending it.
#include "net/send_buffer.h"
#include "net/message_codec.h"
#include "net/net_channel.h"
#include "net/receive_poll.h"
#include "net/wire_format.h"

#include "orv/net.h"

#include <cstring>

namespace orv::net {

namespace {
std::uint8_t datagram[kDatagramSize];
std::size_t pending = 0; // message bytes after the packet header

bool acceptable(const void *data, int length, int type) {
    return channel_open() && data && length >= kMinPayload && length <= kMaxPayload &&
           type >= kMinType && type <= kMaxType;
}

int append_message(const void *data, int length, int type, unsigned short identifier, bool encode) {
    if (!acceptable(data, length, type)) return 0;
    poll_channel();
    std::size_t payload = padded_length(static_cast<std::size_t>(length));
    if (pending + kMessageHeaderSize + payload > kMaxPending) send_pending();
    std::uint8_t *at = datagram + kPacketHeaderSize + pending;
    at[0] = static_cast<std::uint8_t>(type);
    at[1] = static_cast<std::uint8_t>(length - 1);
    at[2] = static_cast<std::uint8_t>(identifier >> 8);
    at[3] = static_cast<std::uint8_t>(identifier);
    std::uint8_t *bytes = at + kMessageHeaderSize;
    std::memset(bytes, 0, payload);
    std::memcpy(bytes, data, static_cast<std::size_t>(length));
    if (encode) swap_payload(type, bytes, payload);
    pending += kMessageHeaderSize + payload;
    return 1;
}
} // namespace

void reset_send_buffer() {
    std::memcpy(datagram, kMagic, kMagicSize);
    pending = 0;
}

void send_pending() {
    if (pending == 0) return;
    datagram[kPacketTypeOffset] = kDataPacket;
    send_datagram(datagram, kPacketHeaderSize + pending);
    pending = 0;
}

} // namespace orv::net

using namespace orv::net;

extern "C" {

ORV_API int OVnet_send(const void *data, int length, int type, unsigned short identifier) {
    return append_message(data, length, type, identifier, true);
}

ORV_API int OVnet_sendraw(const void *data, int length, int type, unsigned short identifier) {
    return append_message(data, length, type, identifier, false);
}

ORV_API void OVnet_flush(void) {
    send_pending();
    poll_channel();
}

} // extern "C"
