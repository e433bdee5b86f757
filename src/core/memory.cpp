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
} // namespace

extern "C" {

ORV_API void *OVmalloc(size_t size) {
    void *block = std::malloc(size ? size : 1);
    if (!block) OVfatal("OUT OF MEMORY!");
    return block;
}

ORV_API void *OVrealloc(void *block, size_t size) {
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
