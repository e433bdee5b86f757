// Channel settings: the group address or broadcast mask, the port and the
// multicast range, each validated before it is stored.
#include "net/net_settings.h"
#include "net/net_channel.h"

#include "orv/message.h"
#include "orv/net.h"

#include <cstring>
#include <string>

namespace orv::net {

namespace {
constexpr char kDefaultGroup[] = "239.255.0.1";
constexpr int kDefaultPort = 1233;
constexpr int kDefaultRange = 1;
constexpr std::uint32_t kDefaultMask = 0xFFFFFF00; // 255.255.255.0
constexpr std::size_t kMaxAddressText = 15;
constexpr int kMinPort = 1024;
constexpr int kMaxPort = 5000;
constexpr int kMinRange = 1;
constexpr int kMaxRange = 255;
constexpr std::uint8_t kMaskMarker = 255;
constexpr std::uint8_t kFirstGroupByte = 32;
constexpr std::uint8_t kSourceSpecificGroups = 232;
constexpr std::uint8_t kLocalControlGroups = 224;
constexpr std::uint8_t kFirstFreeLocalGroup = 10;

// Reserved blocks of the multicast range that carry routing and control
// traffic, and addresses that are no group at all.
bool reserved_group(const std::uint8_t a[4]) {
    if (a[0] < kFirstGroupByte || a[0] == kSourceSpecificGroups) return true;
    if (a[0] != kLocalControlGroups) return false;
    if (a[1] == 1 || a[1] == 2) return true;
    if (a[1] != 0) return false;
    if (a[2] == 3 || a[2] == 4) return true;
    return (a[2] == 0 || a[2] == 1) && a[3] < kFirstFreeLocalGroup;
}
} // namespace

Settings &settings() {
    static Settings current{kDefaultGroup, kDefaultPort, kDefaultRange, kDefaultMask};
    return current;
}

bool parse_dotted(const char *text, std::uint8_t bytes[4]) {
    if (!text || std::strlen(text) > kMaxAddressText) return false;
    const char *p = text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *p++ != '.') return false;
        int value = 0, digits = 0;
        for (; *p >= '0' && *p <= '9'; ++p, ++digits)
            value = value * 10 + (*p - '0');
        if (digits == 0 || value > 255) return false;
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    return *p == '\0';
}

bool apply_group(const char *address, Settings &target) {
    std::uint8_t a[4];
    if (!parse_dotted(address, a) || (a[0] != kMaskMarker && reserved_group(a))) {
        OVwarning("Bad Group Address\n");
        return false;
    }
    if (a[0] == kMaskMarker)
        target.broadcast_mask = std::uint32_t(a[0]) << 24 | a[1] << 16 | a[2] << 8 | a[3];
    else // kept in the plain dotted form, without leading zeros
        target.group = std::to_string(a[0]) + '.' + std::to_string(a[1]) + '.' +
                       std::to_string(a[2]) + '.' + std::to_string(a[3]);
    return true;
}

bool apply_port(int port, Settings &target) {
    if (port < kMinPort || port > kMaxPort) {
        OVwarning("Bad Port\n");
        return false;
    }
    target.port = port;
    return true;
}

bool apply_range(int range, Settings &target) {
    if (range < kMinRange || range > kMaxRange) {
        OVwarning("Bad Range\n");
        return false;
    }
    target.range = range;
    return true;
}

} // namespace orv::net

using namespace orv::net;

extern "C" {

ORV_API int OVnet_setgroup(const char *address) {
    return !channel_open() && apply_group(address, settings());
}

ORV_API int OVnet_setport(int port) {
    return !channel_open() && apply_port(port, settings());
}

ORV_API int OVnet_setrange(int range) {
    return !channel_open() && apply_range(range, settings());
}

ORV_API int OVnet_getport(void) {
    return settings().port;
}

ORV_API int OVnet_getrange(void) {
    return settings().range;
}

} // extern "C"
