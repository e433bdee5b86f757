#include "platform/symbols.h"

#include <dlfcn.h>

namespace orv::platform {

void *find_symbol(const char *name) {
    return dlsym(RTLD_DEFAULT, name);
}

} // namespace orv::platform
