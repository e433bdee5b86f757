// The datagram being filled with this pass's messages.
#pragma once

namespace orv::net {

// Puts the packet header in place and empties the buffer.
void reset_send_buffer();

// Sends what is pending, if anything, and empties the buffer.
void send_pending();

} // namespace orv::net
