// The headless event queue: the quit message and what tests post.
#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <deque>

namespace orv::platform::headless {

namespace {
std::deque<OVwinmsg> &queue() {
    static std::deque<OVwinmsg> messages;
    return messages;
}
} // namespace

void pump_messages(MessageHandler handler) {
    if (!handler) return;
    // Messages posted while delivering wait for the next pump, as they would
    // on a real window system.
    std::deque<OVwinmsg> pending;
    pending.swap(queue());
    for (const OVwinmsg &m : pending)
        handler(m);
}

void post_quit() {
    OVwinmsg quit{};
    quit.kind = OVwinmsgkind::Quit;
    queue().push_back(quit);
}

void drop_quit_messages() {
    auto &q = queue();
    q.erase(std::remove_if(q.begin(), q.end(),
                           [](const OVwinmsg &m) { return m.kind == OVwinmsgkind::Quit; }),
            q.end());
}

void post_message(const OVwinmsg &message) {
    queue().push_back(message);
}

} // namespace orv::platform::headless
