// The ring of received message bytes, read message by message.
#pragma once

#include "net/wire_format.h"

#include <cstddef>
#include <cstdint>

namespace orv::net {

class ReceiveRing {
  public:
    // Appends the bytes after the queued ones, wrapping at the end; false
    // (nothing copied) when they do not fit.
    bool append(const std::uint8_t *bytes, std::size_t size);
    // Copies size bytes starting offset bytes after the read position.
    void copy_out(std::size_t offset, std::uint8_t *out, std::size_t size) const;
    // Drops size bytes at the read position; an emptied ring starts over at 0.
    void consume(std::size_t size);
    void clear();
    std::size_t size() const { return count_; }

  private:
    std::uint8_t bytes_[kRingSize] = {};
    std::size_t write_ = 0;
    std::size_t read_ = 0;
    std::size_t count_ = 0;
};

// The process's receive ring.
ReceiveRing &receive_ring();

} // namespace orv::net
