// A model, light or material file's type from its first bytes.
#include "core/file_extension.h"
#include "orv/file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool starts(const std::string &head, const char *prefix) {
    return head.compare(0, std::strlen(prefix), prefix) == 0;
}

int type_of(const std::string &h) {
    if (starts(h, "//lights")) return OVFILE_LIGHTS;
    if (starts(h, "2424")) return OVFILE_RETIRED_2424;
    if (starts(h, "2323")) return OVFILE_RETIRED_2323;
    if (starts(h, "  0\n") || starts(h, "0\n") || starts(h, "999\n")) return OVFILE_DXF;
    if (starts(h, "3DG1")) return OVFILE_3DG1;
    if (starts(h, "nff") || starts(h, "zq")) return OVFILE_NFF;
    if (starts(h, "bnff")) return OVFILE_BNFF;
    if (starts(h, "mat")) return OVFILE_MAT;
    if (h.size() >= 2 && h[0] == 0 && h[1] == 1) return OVFILE_OPENFLIGHT;
    if (starts(h, "MM") || starts(h, "==")) return OVFILE_3DS;
    if (starts(h, "solid")) return OVFILE_SLP;
    if (starts(h, "#VRML V1")) return OVFILE_VRML1;
    if (starts(h, "#VRML V2")) return OVFILE_VRML2;
    if (starts(h, "WBDF")) return OVFILE_WBDF;
    return OVFILE_WAVEFRONT;
}

// Formats read by the model import library that the table has no code for,
// by magic bytes or extension; 0 for none.
int imported_type_of(const char *name, const std::string &head) {
    const std::string ext = orv::file_extension(name);
    if (starts(head, "glTF") || ext == "gltf" || ext == "glb") return OVFILE_GLTF;
    if (ext == "stl") return OVFILE_STL;
    if (starts(head, "ply\n") || ext == "ply") return OVFILE_PLY;
    return 0;
}

} // namespace

extern "C" ORV_API int _OVfile_type(const char *name) {
    std::FILE *f = name ? std::fopen(name, "rb") : nullptr;
    if (!f) return 0;
    char bytes[8];
    std::size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    std::string head;
    for (std::size_t i = 0; i < n; ++i)
        if (bytes[i] != '\r') head += bytes[i];
    // Formats the table calls Wavefront (anything else) or SLP ("solid") may
    // be glTF, STL or PLY by their magic bytes or extension.
    const int type = type_of(head);
    if (type == OVFILE_WAVEFRONT || type == OVFILE_SLP)
        if (int imported = imported_type_of(name, head)) return imported;
    return type;
}
