// Coded texture messages, each path reported once while it is among the
// last six reported.
#include "texture/texture_errors.h"

#include "orv/message.h"

#include <algorithm>
#include <array>
#include <string>

namespace orv::tex {

namespace {

constexpr int kRemembered = 6;
std::array<std::string, kRemembered> recent; // most recent first

const char *message_of(int code) {
    switch (code) {
    case kNotFound:
        return "Texture %s not found\n";
    case kNoMemory:
        return "Not enough texture memory for texture %s\n";
    case kBadFormat:
        return "File %s is not an image file in the correct format.\n";
    case kReadError:
        return "IO Error reading %s\n";
    case kTooLarge:
        return "Texture %s too large.\n";
    case kNotSquare:
        return "Texture %s is not square.\n";
    case kBadSize:
        return "Texture %s has an unsupported size\n";
    case kColorMap:
        return "Texture %s uses colormap: unsupported\n";
    default:
        return nullptr;
    }
}

} // namespace

void report_error(int code, const char *path) {
    std::string name = path ? path : "";
    auto found = std::find(recent.begin(), recent.end(), name);
    bool seen = found != recent.end();
    // Shift the newer entries down over the found one (or the oldest).
    auto last = seen ? found : recent.end() - 1;
    std::move_backward(recent.begin(), last, last + 1);
    recent.front() = name;
    if (seen) return;
    if (const char *format = message_of(code)) OVwarning(format, name.c_str());
}

void forget_reported() {
    recent.fill(std::string());
}

} // namespace orv::tex
