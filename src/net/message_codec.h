// Payload encodings by message type and the check of a datagram's messages.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::net {

// Converts a padded payload between host and network order in place: type 1
// stays as it is, type 2 as 16-bit units, every other type as 32-bit units.
// The conversion is its own inverse.
void swap_payload(int type, std::uint8_t *payload, std::size_t padded_size);

// Whether the bytes after a datagram's packet header are whole messages,
// each of a non-zero type and with its padded payload inside the datagram.
bool valid_message_chain(const std::uint8_t *messages, std::size_t size);

} // namespace orv::net
