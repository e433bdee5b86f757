// Initialization files read line by line; "\" in a path is taken as the
// directory separator, so that paths built for the profile reader work here.
#include "platform/posix/posix_services.h"

#include <fstream>
#include <string>
#include <strings.h>
#include <unistd.h>

namespace orv::platform::posix {

namespace {

std::string trimmed(const std::string &text) {
    const char *blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string local_path(const char *path) {
    std::string local = path;
    for (char &c : local)
        if (c == '\\') c = '/';
    return local;
}

// Calls visit(section, key, value) for every key line; a visit returning
// true ends the walk.
template <class Visit> void walk(const char *path, Visit visit) {
    std::ifstream in(local_path(path));
    std::string line, section;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            section = trimmed(line.substr(1, close == std::string::npos ? close : close - 1));
            if (visit(section, nullptr, nullptr)) return;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || section.empty()) continue;
        std::string key = trimmed(line.substr(0, equals));
        std::string value = trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (visit(section, &key, &value)) return;
    }
}

} // namespace

void profile_string(const char *path, const char *section, const char *key, char *out,
                    std::size_t size) {
    if (!out || size == 0) return;
    out[0] = '\0';
    if (!path || !section || !key) return;
    walk(path, [&](const std::string &s, const std::string *k, const std::string *v) {
        if (!k || strcasecmp(s.c_str(), section) != 0 || strcasecmp(k->c_str(), key) != 0)
            return false;
        v->copy(out, size - 1);
        out[v->size() < size - 1 ? v->size() : size - 1] = '\0';
        return true;
    });
}

bool profile_has_sections(const char *path) {
    bool found = false;
    if (path)
        walk(path, [&](const std::string &, const std::string *, const std::string *) {
            return found = true;
        });
    return found;
}

void executable_name(char *out, std::size_t size) {
    if (!out || size == 0) return;
    const ssize_t n = readlink("/proc/self/exe", out, size - 1);
    out[n > 0 ? n : 0] = '\0';
}

} // namespace orv::platform::posix
