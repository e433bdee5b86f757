// Checked allocation: out of memory is fatal for the process.
#include "orv/message.h"

#include "core/fatal.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
// C++ allocations take the same fatal path as OVmalloc.
[[maybe_unused]] const bool new_handler_installed = [] {
    std::set_new_handler([] {
        OVfatal("OUT OF MEMORY!");
        // Only during a fatal teardown does OVfatal return; new cannot
        // return null, so the process ends as the fatal path would.
        std::_Exit(-1);
    });
    return true;
}();

// A size beyond the address space is a caller's error (a negative count
// converted, an overflowed product), not a shortage of memory: refused.
bool possible_size(const char *caller, size_t size) {
    if (size <= static_cast<size_t>(PTRDIFF_MAX)) return true;
    OVwarning("%s: %zu bytes is no size a block can have\n", caller, size);
    return false;
}
} // namespace

extern "C" {

ORV_API void *OVmalloc(size_t size) {
    if (!possible_size("OVmalloc", size)) return nullptr;
    void *block = std::malloc(size ? size : 1);
    if (!block) OVfatal("OUT OF MEMORY!");
    return block;
}

ORV_API void *OVrealloc(void *block, size_t size) {
    if (!possible_size("OVrealloc", size)) return nullptr;
    void *grown = std::realloc(block, size ? size : 1);
    if (!grown) OVfatal("OUT OF MEMORY!");
    return grown;
}

ORV_API void OVfree(void *block) {
    std::free(block);
}

ORV_API char *OVstrdup(const char *text) {
    if (!text) return nullptr;
    size_t n = std::strlen(text) + 1;
    char *copy = static_cast<char *>(OVmalloc(n));
    if (copy) std::memcpy(copy, text, n);
    return copy;
}

} // extern "C"
