// Functions looked up by name in the running program.
#include "platform/posix/posix_services.h"

#include <dlfcn.h>

namespace orv::platform::posix {

void *find_symbol(const char *name) {
    return name ? dlsym(RTLD_DEFAULT, name) : nullptr;
}

} // namespace orv::platform::posix
