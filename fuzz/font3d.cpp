// 3D font files (OVfont3d_load) on arbitrary bytes, and a line of text laid
// out with every font that loads.
#include "fuzz_support.h"

#include "orv/font3d.h"
#include "orv/geometry.h"

namespace {
constexpr char sample[] = "ABR Red   = 255 ( 1.000000 )\n\t~!@#$%^&*()_+{}|:\"<>?`-=[]\\;',./";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::start_universe();
    fuzz::InputFile file("font3d", ".nff", data, size);
    if (!file.ok()) return 0;
    OVfont3d *font = OVfont3d_load(file.path());
    if (!font) return 0;
    OVgeometry_delete(OVgeometry_newtext3d(font, sample));
    OVfont3d_delete(font);
    return 0;
}
