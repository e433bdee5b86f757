// Size-aligned blocks of memory mapped from the system: the record pools find
// a record's block from its address, and an empty block's pages go back.
#include "platform/posix/posix_services.h"

#include <sys/mman.h>

#include <cstdint>

namespace orv::platform::posix {

void *map_block(std::size_t bytes) {
    // Twice the size, then the unaligned ends are unmapped.
    void *area =
        mmap(nullptr, 2 * bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + bytes - 1) & ~(bytes - 1);
    if (aligned > start) munmap(area, aligned - start);
    if (const std::size_t tail = start + bytes - aligned)
        munmap(reinterpret_cast<void *>(aligned + bytes), tail);
    // Blocks are filled in address order: one huge page costs one fault
    // instead of hundreds (advice only; refused where there are none).
    madvise(reinterpret_cast<void *>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<void *>(aligned);
}

void unmap_block(void *block, std::size_t bytes) {
    munmap(block, bytes);
}

} // namespace orv::platform::posix
