// Binary NFF model reader on arbitrary bytes.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"

#include <cstdint>
#include <cstdio>

namespace {
int quiet(const char *) {
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    OVmessage_sethook(quiet);
    std::FILE *f = std::tmpfile();
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::rewind(f);
    OVpq view;
    OVgeomlist *list = _OVgeometry_load(f, "fuzz.bnff", OVFILE_BNFF, &view, 1.0f, size & 1);
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e))
        OVgeometry_delete(_OVgeomlist_geometry(e));
    _OVgeomlist_delete(list);
    return 0;
}
