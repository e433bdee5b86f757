// Renderer configuration from the environment.
#include "render/render_config.h"

#include "orv/message.h"
#include "orv/render.h"
#include "state/universe_state.h"
#include "texture/texture_access.h"

#include <algorithm>
#include <cstdlib>

namespace orv {

namespace {
RenderConfig config;

// The variable as an integer; false when it is not set.
bool env_int(const char *name, int *value) {
    const char *text = std::getenv(name);
    if (!text) return false;
    *value = std::atoi(text);
    return true;
}
} // namespace

RenderConfig &render_config() {
    return config;
}

void render_read_environment() {
    config = RenderConfig{};
    int value = 0;
    if (env_int("ORVMAXTEXSIZE", &value)) {
        if (value <= 0 || (value & (value - 1)) != 0)
            OVwarning("ORVMAXTEXSIZE must be a power of 2\n");
        else
            config.max_texture_size = value;
    }
    if (env_int("ORVALPHATEST", &value))
        config.alpha_reference = static_cast<float>(std::clamp(value, 0, 255)) / 256.0f;
    if (env_int("ORVSQRTEX", &value)) config.square_textures = value != 0;
    if (env_int("ORVMAXPRIM", &value) && value > 0) config.max_primitives = value;
    if (env_int("ORVFORCECOLOR", &value)) config.force_color = value != 0;
    if (env_int("ORVDITHER", &value)) config.dither = value;
    tex::set_limits(config.max_texture_size, config.square_textures != 0);
    render_update_ambient();
}

void render_update_ambient() {
    float intensity = 0;
    std::uint8_t rgb[3] = {0, 0, 0};
    if (universe_exists()) universe_ambient(&intensity, rgb);
    for (int i = 0; i < 3; ++i)
        config.ambient[i] = rgb[i] / 255.0f * intensity;
    config.ambient[3] = 1.0f;
    config.ambient_valid = false;
}

} // namespace orv

extern "C" {

ORV_API void OVrender_setstereogap(int pixels) {
    orv::config.stereo_gap = pixels;
}

ORV_API int OVrender_getstereogap(void) {
    return orv::config.stereo_gap;
}

ORV_API int _OVrender_getmaxtexsize(void) {
    return orv::config.max_texture_size;
}

} // extern "C"
