// The scale check shared by the model and universe loaders.
#pragma once

namespace orv {

// True for a usable load scale; otherwise warns "Nonsensical scale factor."
bool load_scale_ok(float scale);

} // namespace orv
