// The scale check shared by the model and universe loaders.
#include "files/load_scale.h"

#include "core/finite.h"
#include "orv/message.h"

namespace orv {

namespace {
// Smaller scales collapse every model to a point.
constexpr float smallest_scale = 1e-20f;
} // namespace

bool load_scale_ok(float scale) {
    if (!(scale >= smallest_scale) || !finite(scale)) {
        OVwarning("Nonsensical scale factor.\n");
        return false;
    }
    return true;
}

} // namespace orv
