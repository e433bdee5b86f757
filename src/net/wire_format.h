// The layout of the channel's datagrams and the sizes of its buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::net {

// Datagram: "ORV", the packet type, then messages back to back.
inline constexpr char kMagic[3] = {'O', 'R', 'V'};
inline constexpr std::size_t kMagicSize = sizeof kMagic;
inline constexpr std::size_t kPacketTypeOffset = 3;
inline constexpr std::uint8_t kDataPacket = 'D';
inline constexpr std::size_t kPacketHeaderSize = 4;
inline constexpr std::size_t kDatagramSize = 512;
// Messages are appended while the datagram stays within kDatagramSize.
inline constexpr std::size_t kMaxPending = kDatagramSize - kPacketHeaderSize;

// Message: type, payload length minus 1, 16-bit identifier, padded payload.
inline constexpr std::size_t kMessageHeaderSize = 4;
inline constexpr int kMinPayload = 1;
inline constexpr int kMaxPayload = 256;
inline constexpr int kMinType = 1;
inline constexpr int kMaxType = 255;
inline constexpr std::size_t kPadding = 4;

// Payload encodings fixed by the message type; every other type is words.
inline constexpr int kByteStringType = 1;
inline constexpr int kShortArrayType = 2;

inline constexpr std::size_t kRingSize = 8192;

// A payload of length bytes occupies this many bytes on the wire.
constexpr std::size_t padded_length(std::size_t length) {
    return (length + kPadding - 1) / kPadding * kPadding;
}

// A decoded message header.
struct MessageHeader {
    int type;
    int length;
    int identifier;
};

// Reads the header at bytes (kMessageHeaderSize of them).
inline MessageHeader decode_header(const std::uint8_t *bytes) {
    return {bytes[0], bytes[1] + 1, bytes[2] << 8 | bytes[3]};
}

} // namespace orv::net
