// The start-up configuration: each key from the command line or else from
// section "orv" of the initialization file, applied to the configuration
// record before the first window exists.
#include "universe/command_line.h"
#include "state/universe_state.h"

#include "orv/message.h"
#include "orv/universe.h"
#include "platform/platform.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t kPathSize = 128;
constexpr std::size_t kValueSize = 132;
constexpr float kPi = 3.14159265358979323846f;
// The view angles (half the field of view) a window accepts.
constexpr float kSmallestViewAngle = 0.004f, kLargestViewAngle = 1.5667964f;
// Window sizes and positions beyond any screen (the X protocol's 16 bits).
constexpr long kMaxWindowExtent = 32767;

std::string ini_path;

bool has_directory(const std::string &name) {
    return name.find_first_of("\\/") != std::string::npos;
}

// The name cut at the first "." of its last component (a dot in a directory
// name would otherwise cut the path), followed by ".ini".
std::string ini_name(const std::string &name) {
    const auto slash = name.find_last_of("\\/");
    const auto dot = name.find('.', slash == std::string::npos ? 0 : slash + 1);
    return name.substr(0, dot) + ".ini";
}

bool locate(const std::string &name) {
    if (name.size() + 4 >= kPathSize) {
        OVwarning("Path to initialization file is too long\n");
        return false;
    }
    std::string path = ini_name(name);
    std::string local = path;
    for (char &c : local)
        if (c == '\\') c = '/';
    if (std::ifstream(local)) {
        if (!has_directory(name)) {
            if (name.size() + 7 >= kPathSize) {
                OVwarning("Path to initialization file is too long\n");
                return false;
            }
            path = ".\\" + path;
        }
        ini_path = path;
        return true;
    }
    if (!orv::platform::current().process.profile_has_sections(path.c_str())) return false;
    ini_path = path;
    return true;
}

// The key's value: the command line's when it recorded one that is not
// empty, else the initialization file's. False when neither has one.
bool read_key(const char *key, char (&value)[kValueSize]) {
    if (orv::command_line_setting(key, value, sizeof value) && value[0]) return true;
    value[0] = '\0';
    if (!ini_path.empty())
        orv::platform::current().process.profile_string(ini_path.c_str(), "orv", key, value,
                                                        sizeof value);
    return value[0] != '\0';
}

// "0xRRGGBB" (8 characters) or "0xRGB" (5 characters, each digit doubled).
bool colour_of(const char *text, std::uint32_t &colour) {
    const unsigned long v = std::strtoul(text, nullptr, 16);
    switch (std::strlen(text)) {
    case 8:
        colour = static_cast<std::uint32_t>(v & 0xFFFFFF);
        return true;
    case 5:
        colour = static_cast<std::uint32_t>(((v >> 8) & 0xF) * 17 << 16 |
                                            ((v >> 4) & 0xF) * 17 << 8 | (v & 0xF) * 17);
        return true;
    default:
        return false;
    }
}

bool is_word(const char *value, const char *word) {
    return OVstrcasecmp(value, word) == 0;
}

// One decimal field of the geometry; false when none starts at p. Values
// beyond the range of long saturate, which the range check then refuses.
bool geometry_field(const char *&p, long &out) {
    char *end = nullptr;
    out = std::strtol(p, &end, 10);
    if (end == p) return false;
    p = end;
    return true;
}

bool within(long v, long low, long high) {
    return v >= low && v <= high;
}

// "WIDTHxHEIGHT+X+Y" as "%dx%d%d%d" reads it: fields that do not parse count
// as 0. Values a screen cannot have are refused before the window set-up
// does arithmetic with them.
void read_geometry(const char *value, OVconfig &c) {
    long width = 0, height = 0, x = 0, y = 0;
    const char *p = value;
    if (geometry_field(p, width) && *p == 'x' && geometry_field(++p, height) &&
        geometry_field(p, x))
        geometry_field(p, y);
    if (!within(width, 0, kMaxWindowExtent) || !within(height, 0, kMaxWindowExtent) ||
        !within(x, -kMaxWindowExtent, kMaxWindowExtent) ||
        !within(y, -kMaxWindowExtent, kMaxWindowExtent)) {
        OVwarning("Invalid geometry %s.\n", value);
        return;
    }
    c.window_width = static_cast<int>(width);
    c.window_height = static_cast<int>(height);
    c.window_x = static_cast<int>(x);
    c.window_y = static_cast<int>(y);
    c.window_flags |=
        CONFIG_WINDOW_GEOMETRY | CONFIG_WINDOW_WIDTH | CONFIG_WINDOW_HEIGHT | CONFIG_WINDOW_X;
    if (x < 0) c.window_flags |= CONFIG_WINDOW_X_FROM_RIGHT;
    if (y < 0) c.window_flags |= CONFIG_WINDOW_Y_FROM_BOTTOM;
}

void read_keys(OVconfig &c) {
    char value[kValueSize];
    if (read_key("bgcolor", value) && !colour_of(value, c.background))
        OVwarning("Invalid bgcolor %s.\n", value);
    if (read_key("ambient", value)) {
        const float ambient = static_cast<float>(std::atof(value));
        if (ambient >= 0 && ambient <= 1)
            c.ambient_intensity = ambient;
        else
            OVwarning("Illegal ambient resource\n");
    }
    if (read_key("ambientrgb", value) && !colour_of(value, c.ambient_color))
        OVwarning("Invalid ambientrgb %s.\n", value);
    if (read_key("border", value) && is_word(value, "False"))
        c.window_flags |= CONFIG_WINDOW_NO_BORDER;
    // Viewing values that would break the projection keep their defaults.
    if (read_key("fov", value)) {
        const float angle = static_cast<float>(std::atof(value)) * (kPi / 2) / 180;
        if (angle >= kSmallestViewAngle && angle <= kLargestViewAngle)
            c.view_angle = angle;
        else
            OVwarning("Invalid fov %s.\n", value);
    }
    if (read_key("hither", value)) {
        const float hither = static_cast<float>(std::atof(value));
        if (hither > 0 && std::isfinite(hither))
            c.hither = hither;
        else
            OVwarning("Invalid hither %s.\n", value);
    }
    if (read_key("yon", value)) {
        const float yon = static_cast<float>(std::atof(value));
        if (yon > c.hither && std::isfinite(yon))
            c.yon = yon;
        else
            OVwarning("Invalid yon %s.\n", value);
    }
    if (read_key("coplanar", value) && is_word(value, "False"))
        c.options[OVOPTION_COPLANAR - 1] = 0;
    if (read_key("writeuv", value) && is_word(value, "True")) c.options[OVOPTION_WRITEUV - 1] = 1;
    if (read_key("write12", value) && is_word(value, "True"))
        c.options[OVOPTION_WRITE12BIT - 1] = 1;
    if (read_key("old3ds", value) && is_word(value, "True")) c.options[OVOPTION_OLD3DS - 1] = 1;
    if (read_key("oldwfront", value) && is_word(value, "True"))
        c.options[OVOPTION_OLDWAVEFRONT - 1] = 1;
    if (read_key("geometry", value)) read_geometry(value, c);
}

} // namespace

extern "C" ORV_API void _OVconfig_read(void) {
    OVconfig *config = orv::universe_config();
    if (!config) return;
    char name[kPathSize * 2];
    orv::program_name(name, sizeof name);
    ini_path.clear();
    if (!locate(name)) locate("orvwin");
    read_keys(*config);
}
