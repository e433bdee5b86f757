// The command line: options recorded as (key, value) settings and removed
// from the arguments, and the program name.
#include "universe/command_line.h"

#include "orv/message.h"
#include "orv/universe.h"
#include "platform/platform.h"

#include <cstring>
#include <string>

namespace {

struct Option {
    const char *key;
    const char *fixed; // null: the option takes the next argument as its value
};

const Option options[] = {
    {"display", nullptr},    {"screen", nullptr},   {"bgcolor", nullptr},   {"ambient", nullptr},
    {"ambientrgb", nullptr}, {"geometry", nullptr}, {"fov", nullptr},       {"hither", nullptr},
    {"yon", nullptr},        {"border", "False"},   {"rendering", nullptr}, {"coplanar", "False"},
    {"write12", "False"},    {"writeuv", "True"},   {"old3ds", "True"},     {"oldwfront", "True"},
};

constexpr int kMaxSettings = 40;

struct Setting {
    const char *key;
    const char *value; // the argument itself, not a copy
};

Setting settings[kMaxSettings];
int setting_count = 0;
std::string name_from_parser;
bool name_set = false;

// The option an argument names ("-key" or "/key"), or null.
const Option *option_of(const char *argument) {
    if (!argument || (argument[0] != '-' && argument[0] != '/')) return nullptr;
    for (const Option &o : options)
        if (std::strcmp(argument + 1, o.key) == 0) return &o;
    return nullptr;
}

void remove_at(int &argc, char **argv, int at, int count) {
    for (int i = at; i < argc - count; ++i)
        argv[i] = argv[i + count];
    for (int i = argc - count; i < argc; ++i)
        argv[i] = nullptr;
    argc -= count;
}

// "-name value" anywhere after the program path names the program.
void take_name_option(int &argc, char **argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] && (argv[i][0] == '-' || argv[i][0] == '/') &&
            std::strcmp(argv[i] + 1, "name") == 0) {
            name_from_parser = argv[i + 1];
            name_set = true;
            remove_at(argc, argv, i, 2);
            return;
        }
}

void name_from_path(const char *path) {
    std::string name = path ? path : "";
    if (auto slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
    if (auto dot = name.find('.'); dot != std::string::npos) name.resize(dot);
    name_from_parser = name;
    name_set = true;
}

} // namespace

namespace orv {

bool command_line_setting(const char *key, char *out, std::size_t size) {
    for (int i = 0; i < setting_count; ++i)
        if (std::strcmp(settings[i].key, key) == 0) {
            std::strncpy(out, settings[i].value, size - 1);
            out[size - 1] = '\0';
            return true;
        }
    return false;
}

void program_name(char *out, std::size_t size) {
    if (name_set) {
        std::strncpy(out, name_from_parser.c_str(), size - 1);
        out[size - 1] = '\0';
    } else {
        platform::current().process.executable_name(out, size);
    }
}

} // namespace orv

extern "C" ORV_API void OVuniverse_setargs(int *argc, char **argv) {
    if (!argc || !argv || *argc < 1) return;
    // Each call describes the whole set of options anew; the program name
    // stays once set, unless a "-name" option gives another.
    setting_count = 0;
    take_name_option(*argc, argv);
    if (!name_set) name_from_path(argv[0]);
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const Option *option = option_of(argv[i]);
        if (!option) {
            argv[kept++] = argv[i];
            continue;
        }
        // An option standing last without its value records an empty value.
        const char *value = option->fixed ? option->fixed : i + 1 < *argc ? argv[++i] : "";
        if (setting_count < kMaxSettings)
            settings[setting_count++] = {option->key, value};
        else
            OVwarning("Too many command line arguments\n");
    }
    for (int i = kept; i < *argc; ++i)
        argv[i] = nullptr;
    *argc = kept;
}
