// The channel's process-wide settings and their validation.
#pragma once

#include <cstdint>
#include <string>

namespace orv::net {

// What the next open uses; changed only while the channel is closed.
struct Settings {
    std::string group;
    int port;
    int range;
    std::uint32_t broadcast_mask; // host order
};

// The current settings.
Settings &settings();

// Validates the texts and numbers the setters take, storing an accepted value
// into target; false (with the documented message) when refused.
bool apply_group(const char *address, Settings &target);
bool apply_port(int port, Settings &target);
bool apply_range(int range, Settings &target);

// Parses four dot-separated decimal numbers of one byte each.
bool parse_dotted(const char *text, std::uint8_t bytes[4]);

} // namespace orv::net
