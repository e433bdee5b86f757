// nff2vrml: converts a model file (text or binary NFF, or any format the
// toolkit loads) into a VRML 1.0 scene file.
#include "orv/orv.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int no_windows = 512;

void usage(std::FILE *to, const char *program) {
    std::fprintf(to,
                 "usage: %s [--scale S] input.nff output.wrl\n"
                 "Loads the model (text or binary NFF) and writes it as a VRML 1.0 scene.\n"
                 "  --scale S  scales the model by S while loading (default 1)\n",
                 program);
}

} // namespace

int main(int argc, char **argv) {
    float scale = 1;
    int arg = 1;
    if (arg < argc && (!std::strcmp(argv[arg], "--help") || !std::strcmp(argv[arg], "-h"))) {
        usage(stdout, argv[0]);
        return 0;
    }
    if (arg + 1 < argc && !std::strcmp(argv[arg], "--scale")) {
        char *end;
        scale = std::strtof(argv[arg + 1], &end);
        if (*end || !(scale > 0)) {
            std::fprintf(stderr, "%s: the scale must be a positive number\n", argv[0]);
            return 2;
        }
        arg += 2;
    }
    if (argc - arg != 2) {
        usage(stderr, argv[0]);
        return 2;
    }
    OVuniverse_new(no_windows, 0);
    OVnode *root = OVuniverse_getrootnodes();
    int status = 0;
    if (!OVnode_load(root, argv[arg], scale)) {
        std::fprintf(stderr, "%s: could not load %s\n", argv[0], argv[arg]);
        status = 1;
    } else if (!OVnode_save(root, argv[arg + 1], nullptr, OVFILE_VRML1, 0)) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[arg + 1]);
        status = 1;
    }
    OVuniverse_delete();
    return status;
}
