// Byte order of payloads and the shape check of received message chains.
#include "net/message_codec.h"
#include "net/wire_format.h"

#include <arpa/inet.h>
#include <cstring>

namespace orv::net {

namespace {
template <typename Unit, Unit (*convert)(Unit)>
void swap_units(std::uint8_t *payload, std::size_t size) {
    for (std::size_t at = 0; at + sizeof(Unit) <= size; at += sizeof(Unit)) {
        Unit value;
        std::memcpy(&value, payload + at, sizeof value);
        value = convert(value);
        std::memcpy(payload + at, &value, sizeof value);
    }
}
} // namespace

void swap_payload(int type, std::uint8_t *payload, std::size_t padded_size) {
    if (type == kByteStringType) return;
    if (type == kShortArrayType)
        swap_units<std::uint16_t, htons>(payload, padded_size);
    else
        swap_units<std::uint32_t, htonl>(payload, padded_size);
}

bool valid_message_chain(const std::uint8_t *messages, std::size_t size) {
    std::size_t at = 0;
    while (at < size) {
        if (size - at < kMessageHeaderSize) return false;
        MessageHeader header = decode_header(messages + at);
        // Type 0 marks a ring out of step; a datagram may never carry it.
        if (header.type == 0) return false;
        std::size_t payload = padded_length(static_cast<std::size_t>(header.length));
        if (size - at - kMessageHeaderSize < payload) return false;
        at += kMessageHeaderSize + payload;
    }
    return true;
}

} // namespace orv::net
