// Saving geometry files: the writer is chosen by type code; a writer that
// does not exist yet is reported before any file is created.
#include "files/model_writers.h"
#include "orv/file.h"
#include "orv/message.h"

#include <cstdio>

extern "C" {

ORV_API int OVgeometry_save(OVgeometry *geometry, const char *filename, const OVpq *view,
                            int type) {
    if (!geometry || !filename) return 0;
    if (type != OVFILE_DXF && type != OVFILE_NFF && type != OVFILE_BNFF) return 0;
    const orv::files::ModelWriters &writers = orv::files::model_writers();
    bool available =
        (type == OVFILE_NFF && writers.nff_text) || (type == OVFILE_BNFF && writers.nff_binary);
    if (!available) {
        const char *kind = type == OVFILE_NFF ? "NFF" : type == OVFILE_BNFF ? "binary NFF" : "DXF";
        OVwarning("The %s writer is not available yet: %s not saved\n", kind, filename);
        return 0;
    }
    std::FILE *file = std::fopen(filename, "wb");
    if (!file) {
        OVwarning("Couldn't open file %s for writing\n", filename);
        return 0;
    }
    int ok = type == OVFILE_NFF ? writers.nff_text(file, geometry, view)
                                : writers.nff_binary(file, geometry);
    return std::fclose(file) == 0 && ok ? 1 : 0;
}

} // extern "C"
