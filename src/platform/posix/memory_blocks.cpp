// Size-aligned blocks of memory mapped from the system: the record pools find
// a record's block from its address, and an empty block's pages go back.
#include "platform/posix/posix_services.h"

#include <sys/mman.h>

#include <cstdint>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define ORV_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORV_LEAK_CHECKED 1
#endif
#ifdef ORV_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

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
#ifdef ORV_LEAK_CHECKED
    // Records in the block point at heap memory: the leak checker must
    // search the block as it searches the heap.
    __lsan_register_root_region(reinterpret_cast<void *>(aligned), bytes);
#endif
    return reinterpret_cast<void *>(aligned);
}

void unmap_block(void *block, std::size_t bytes) {
#ifdef ORV_LEAK_CHECKED
    __lsan_unregister_root_region(block, bytes);
#endif
    munmap(block, bytes);
}

} // namespace orv::platform::posix
