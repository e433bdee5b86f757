// Mapped files that shrink under the reader. Touching a mapped page past the
// new end of a file raises SIGBUS; for a guarded mapping the handler puts
// zero pages in place of the rest of the mapping and marks it torn, so that
// the read goes on to its end and the caller can refuse what it read. Faults
// anywhere else go to the handler that was there before.
#include "platform/posix/posix_services.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

namespace orv::platform::posix {

namespace {

// Mappings read at the same time; a view beyond these is read, not mapped.
constexpr int kGuards = 16;

struct Guard {
    std::atomic<std::uintptr_t> begin{0}, end{0};
    std::atomic<bool> torn{false};
};

Guard guards[kGuards];
struct sigaction earlier_handler;

// Hands a fault that is not ours to the earlier handler, or to the default
// action (the faulting access runs again and ends the process).
void pass_on(int signal_number, siginfo_t *info, void *context) {
    if (earlier_handler.sa_flags & SA_SIGINFO) {
        earlier_handler.sa_sigaction(signal_number, info, context);
        return;
    }
    if (earlier_handler.sa_handler == SIG_IGN) return;
    if (earlier_handler.sa_handler == SIG_DFL) {
        signal(signal_number, SIG_DFL);
        raise(signal_number);
        return;
    }
    earlier_handler.sa_handler(signal_number);
}

void on_bus_error(int signal_number, siginfo_t *info, void *context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (Guard &g : guards) {
        const std::uintptr_t begin = g.begin.load(), end = g.end.load();
        if (address < begin || address >= end) continue;
        const std::uintptr_t from = address / page * page;
        if (mmap(reinterpret_cast<void *>(from), end - from, PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED)
            break;
        g.torn.store(true);
        return;
    }
    pass_on(signal_number, info, context);
}

bool install_handler() {
    struct sigaction action = {};
    action.sa_sigaction = on_bus_error;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGBUS, &action, &earlier_handler) == 0;
}

} // namespace

int guard_mapping(const void *area, std::size_t bytes) {
    static const bool installed = install_handler();
    if (!installed) return -1;
    for (int i = 0; i < kGuards; ++i) {
        std::uintptr_t free = 0;
        if (!guards[i].begin.compare_exchange_strong(free, reinterpret_cast<std::uintptr_t>(area)))
            continue;
        guards[i].torn.store(false);
        guards[i].end.store(reinterpret_cast<std::uintptr_t>(area) + bytes);
        return i;
    }
    return -1;
}

bool mapping_torn(int guard) {
    return guard >= 0 && guards[guard].torn.load();
}

void unguard_mapping(int guard) {
    guards[guard].end.store(0);
    guards[guard].begin.store(0);
}

} // namespace orv::platform::posix
