// Entry and exit callbacks: per universe name, plus one for every universe.
#include "state/universe_record.h"

#include "orv/message.h"

#include <string>
#include <vector>

namespace orv {

namespace {
struct NamedCallback {
    std::string name; // normalised
    OVuniversefn function;
};

struct CallbackSet {
    std::vector<NamedCallback> named;
    OVuniversefn every = nullptr;

    OVuniversefn *find(const char *name) {
        for (NamedCallback &c : named)
            if (OVstrcasecmp(c.name.c_str(), name) == 0) return &c.function;
        return nullptr;
    }
};

CallbackSet entry_callbacks, exit_callbacks;

bool is_every(const char *name) {
    return !name || !*name;
}

// Null (nothing stored) stands for the do-nothing function.
int set_callback(CallbackSet &set, const char *name, OVuniversefn function) {
    if (is_every(name)) {
        set.every = function;
        return 1;
    }
    char *normalised = OVname_normalise(name);
    if (!normalised) return 0;
    if (OVuniversefn *slot = set.find(normalised))
        *slot = function;
    else
        set.named.push_back({normalised, function});
    OVfree(normalised);
    return 1;
}

OVuniversefn get_callback(CallbackSet &set, const char *name) {
    if (is_every(name)) return set.every;
    char *normalised = OVname_normalise(name);
    if (!normalised) return nullptr;
    OVuniversefn *slot = set.find(normalised);
    OVfree(normalised);
    return slot ? *slot : nullptr;
}

OVuniversefn named_for_current(CallbackSet &set) {
    if (!universe || !universe->name) return nullptr;
    OVuniversefn *slot = set.find(universe->name);
    return slot ? *slot : nullptr;
}
} // namespace

void run_exit_callbacks() {
    if (OVuniversefn named = named_for_current(exit_callbacks)) named();
    if (exit_callbacks.every) exit_callbacks.every();
}

void universe_run_entry_callbacks() {
    if (entry_callbacks.every) entry_callbacks.every();
    if (OVuniversefn named = named_for_current(entry_callbacks)) named();
}

void delete_callbacks() {
    entry_callbacks = {};
    exit_callbacks = {};
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API int OVuniverse_setentrycallback(const char *name, OVuniversefn function) {
    return set_callback(entry_callbacks, name, function);
}

ORV_API int OVuniverse_setexitcallback(const char *name, OVuniversefn function) {
    return set_callback(exit_callbacks, name, function);
}

ORV_API OVuniversefn OVuniverse_getentrycallback(const char *name) {
    return get_callback(entry_callbacks, name);
}

ORV_API OVuniversefn OVuniverse_getexitcallback(const char *name) {
    return get_callback(exit_callbacks, name);
}

} // extern "C"
