// The receive ring: a fixed buffer of queued message bytes that wraps.
#include "net/receive_ring.h"

#include <algorithm>
#include <cstring>

namespace orv::net {

bool ReceiveRing::append(const std::uint8_t *bytes, std::size_t size) {
    if (size > kRingSize - count_) return false;
    std::size_t first = std::min(size, kRingSize - write_);
    std::memcpy(bytes_ + write_, bytes, first);
    std::memcpy(bytes_, bytes + first, size - first);
    write_ = (write_ + size) % kRingSize;
    count_ += size;
    return true;
}

void ReceiveRing::copy_out(std::size_t offset, std::uint8_t *out, std::size_t size) const {
    std::size_t start = (read_ + offset) % kRingSize;
    std::size_t first = std::min(size, kRingSize - start);
    std::memcpy(out, bytes_ + start, first);
    std::memcpy(out + first, bytes_, size - first);
}

void ReceiveRing::consume(std::size_t size) {
    size = std::min(size, count_);
    read_ = (read_ + size) % kRingSize;
    count_ -= size;
    if (count_ == 0) clear();
}

void ReceiveRing::clear() {
    write_ = read_ = count_ = 0;
}

ReceiveRing &receive_ring() {
    static ReceiveRing ring;
    return ring;
}

} // namespace orv::net
