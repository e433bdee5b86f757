// Path files: a header line, the element count and two lines per element.
#include "orv/file.h"
#include "orv/message.h"
#include "paths/path_record.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char header[] = "path record v.2";
constexpr size_t header_length = sizeof header - 1;
constexpr int header_buffer = 80; // the first line is read up to 79 characters
constexpr const char *search_list = "OVMODELS";

bool write_path(std::FILE *file, const OVpath *path) {
    if (std::fprintf(file, "%s\n%d\n", header, OVpath_numelements(path)) < 0) return false;
    for (const OVpathelement *e = path->first; e; e = e->forward) {
        const float *p = e->pose.p, *q = e->pose.q;
        if (std::fprintf(file, "Posi  %f %f %f\n", p[0], p[1], p[2]) < 0 ||
            std::fprintf(file, "Orie  %f %f %f %f\n", q[0], q[1], q[2], q[3]) < 0)
            return false;
    }
    return true;
}

bool finite(const float *values, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

// One element's two lines; non-finite numbers count as unreadable.
bool read_element(std::FILE *file, OVpq &pose) {
    return std::fscanf(file, " Posi %f %f %f", &pose.p[0], &pose.p[1], &pose.p[2]) == 3 &&
           std::fscanf(file, " Orie %f %f %f %f", &pose.q[0], &pose.q[1], &pose.q[2], &pose.q[3]) ==
               4 &&
           finite(pose.p, 3) && finite(pose.q, 4);
}

// Reads the elements into the path; false when the file ends or breaks early.
bool read_elements(std::FILE *file, OVpath *path) {
    int count;
    if (std::fscanf(file, "%d", &count) != 1 || count < 0) return false;
    for (int i = 0; i < count; ++i) {
        OVpq pose;
        if (!read_element(file, pose)) return false;
        orv::paths::link_last(path, OVpathelement_new(&pose));
    }
    return true;
}

} // namespace

extern "C" {

ORV_API int OVpath_save(OVpath *path, const char *filename) {
    if (!path || !filename) return 0;
    std::FILE *file = std::fopen(filename, "w");
    if (!file) {
        std::perror(filename);
        return 0;
    }
    const bool written = write_path(file, path);
    // A write that fails part-way (a full disk) is a failure, not a saved path.
    if (std::fclose(file) != 0 || !written) {
        std::perror(filename);
        return 0;
    }
    orv::paths::make_idle(path);
    return 1;
}

ORV_API OVpath *OVpath_load(const char *filename, void *markertemplate) {
    if (!filename) return nullptr;
    const char *found = _OVfile_findpath(filename, search_list);
    if (!found) {
        OVmessage("Couldn't find file %s\n", filename);
        return nullptr;
    }
    std::FILE *file = std::fopen(found, "r");
    if (!file) {
        std::perror(found);
        return nullptr;
    }
    char line[header_buffer] = "";
    if (!std::fgets(line, sizeof line, file) || std::strncmp(line, header, header_length) != 0) {
        OVmessage("File '%s' is not a path file\n", filename);
        std::fclose(file);
        return nullptr;
    }
    // Skip the rest of an overlong first line.
    if (!std::strchr(line, '\n'))
        for (int c = std::fgetc(file); c != EOF && c != '\n'; c = std::fgetc(file)) {
        }
    OVpath *path = OVpath_new(markertemplate);
    const bool complete = read_elements(file, path);
    std::fclose(file);
    if (!complete) {
        // A partly read path is not left behind on the universe's list.
        OVpath_delete(path);
        return nullptr;
    }
    path->current = path->first;
    return path;
}

} // extern "C"
