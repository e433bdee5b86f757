// Received datagrams on arbitrary bytes: the input is split into datagrams
// that are queued and read back in every way a reader can.
#include "orv/orv_internal.h"

#include "orv/message.h"
#include "orv/net.h"

#include <cstdint>
#include <cstring>

namespace {
// A malformed datagram is reported as out of sync and dropped whole; only
// whole messages are ever queued, so reading never finds the ring out of
// step: every such report comes with a dropped datagram.
unsigned sync_reports = 0;
int count_sync_reports(const char *text) {
    if (std::strstr(text, "out of sync")) ++sync_reports;
    return 0;
}

// Runs one channel call and checks that it reported no more losses of step
// than it dropped datagrams.
template <typename Call> auto checked(Call call) {
    const unsigned reports = sync_reports, dropped = OVnet_getdropped();
    auto result = call();
    if (sync_reports - reports > OVnet_getdropped() - dropped) __builtin_trap();
    return result;
}

// Each datagram is preceded by a length byte (times 4, plus the low bits of
// the next byte, so that every size up to and past 512 can occur).
std::size_t next_size(const std::uint8_t *&data, std::size_t &size) {
    if (size < 2) return size;
    std::size_t length = std::size_t(data[0]) * 4 + (data[1] & 3);
    data += 2;
    size -= 2;
    return length < size ? length : size;
}

// Reads one message by the method the selector picks.
void read_one(std::uint8_t selector) {
    checked([selector] {
        std::uint8_t buffer[256];
        int id = 0, length = 0;
        switch (selector % 4) {
        case 0:
            return OVnet_read(buffer, selector, &id, &length);
        case 1:
            return OVnet_readraw(buffer, 256, &id, &length);
        case 2:
            return OVnet_peek(&id, &length);
        default:
            OVnet_skip();
            return 0;
        }
    });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    OVmessage_sethook(count_sync_reports);
    while (size > 0) {
        std::uint8_t selector = data[0];
        std::size_t length = next_size(data, size);
        // A refused datagram (one already waits) is offered again after reads.
        while (checked([&] { return _OVnet_deliver(data, static_cast<int>(length)); }) == 0)
            read_one(selector++);
        read_one(selector);
        data += length;
        size -= length;
    }
    // Whatever is left reads out as whole messages of valid sizes.
    std::uint8_t buffer[256];
    int id, length, type;
    while ((type = checked([&] { return OVnet_readraw(buffer, 256, &id, &length); })) > 0)
        if (type > 255 || length < 1 || length > 256 || id > 65535) __builtin_trap();
    if (type != 0 || OVnet_peek(&id, &length) != 0) __builtin_trap();
    OVmessage_sethook(nullptr);
    return 0;
}
