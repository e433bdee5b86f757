// Finding model and image files as given or along a search list.
#include "orv/file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

#ifndef ORV_DATA_DIR
#define ORV_DATA_DIR "/usr/local/share/orvane"
#endif
// Where an install puts the toolkit's data (the 3D font model).
constexpr const char *installed_data_dir = ORV_DATA_DIR;

std::string g_model_path, g_image_path;
std::string g_found; // the result buffer the next search overwrites

bool opens(const std::string &name) {
    std::FILE *f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

const char *search_list(const char *listname) {
    if (std::strcmp(listname, "OVMODELS") == 0 && !g_model_path.empty())
        return g_model_path.c_str();
    if (std::strcmp(listname, "OVIMAGES") == 0 && !g_image_path.empty())
        return g_image_path.c_str();
    return std::getenv(listname);
}

// The first directory of a ';' or ':' separated list that holds name.
const char *find_in_dirs(const char *name, const std::string &dirs) {
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find_first_of(";:", start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        start = end + 1;
        if (dir.empty()) continue;
        char last = dir.back();
        std::string candidate = dir + (last == '/' || last == '\\' ? "" : "/") + name;
        if (opens(candidate)) {
            g_found = candidate;
            return g_found.c_str();
        }
    }
    return nullptr;
}

// A model along OVMODELS, then among the installed data.
const char *find_model_file(const char *name) {
    const char *found = _OVfile_findpath(name, "OVMODELS");
    if (found || !name || !*name || name[0] == '/') return found;
    return find_in_dirs(name, installed_data_dir);
}

} // namespace

extern "C" {

ORV_API void OVfile_setmodelpath(const char *list) {
    g_model_path = list ? list : "";
}

ORV_API void OVfile_setimagepath(const char *list) {
    g_image_path = list ? list : "";
}

ORV_API const char *_OVfile_findpath(const char *name, const char *listname) {
    if (!name || !*name) return nullptr;
    if (opens(name)) {
        g_found = name;
        return g_found.c_str();
    }
    const char *list = listname ? search_list(listname) : nullptr;
    return list ? find_in_dirs(name, list) : nullptr;
}

ORV_API const char *_OVfile_findmodel(const char *name) {
    const char *found = find_model_file(name);
    if (found || !name) return found;
    const char *sep = std::strrchr(name, '/');
    const char *back = std::strrchr(name, '\\');
    if (!sep || (back && back > sep)) sep = back;
    if (std::strchr(sep ? sep : name, '.')) return nullptr;
    std::string with_ext = std::string(name) + ".nff";
    return find_model_file(with_ext.c_str());
}

} // extern "C"
