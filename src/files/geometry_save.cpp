// Saving geometry files: the writer is chosen by type code; a writer that
// does not exist yet is reported before any file is created.
#include "orv/file.h"
#include "orv/message.h"
#include "universe/subsystems.h"

#include <cstdio>

extern "C" {

ORV_API int OVgeometry_save(OVgeometry *geometry, const char *filename, const OVpq *view,
                            int type) {
    if (!geometry || !filename) return 0;
    if (type != OVFILE_DXF && type != OVFILE_NFF && type != OVFILE_BNFF) return 0;
    bool available =
        (type == OVFILE_NFF && _OVnff_writetext) || (type == OVFILE_BNFF && _OVnff_writebinary);
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
    int ok = type == OVFILE_NFF ? _OVnff_writetext(file, geometry, view)
                                : _OVnff_writebinary(file, geometry);
    return std::fclose(file) == 0 && ok ? 1 : 0;
}

} // extern "C"
