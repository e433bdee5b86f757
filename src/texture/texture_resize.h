// Bringing images to the sizes OpenGL accepts.
#pragma once

#include <cstdint>
#include <vector>

namespace orv::tex {

// The power of 2 a side n rounds to: the smallest P ≥ n, or P / 2 when n is
// below five eighths of P.
int round_pow2(int n);

// Bilinear resampling of RGBA texels to another size.
std::vector<std::uint8_t> resample(const std::uint8_t *src, int width, int height, int to_width,
                                   int to_height);

// Box reduction to a size that divides the source's: each target texel
// averages its block. Without alpha averaging the alpha is 255 when at least
// half the block is opaque (0 otherwise) and the colour is the mean of the
// opaque texels (of all texels when none is).
void box_reduce(const std::uint8_t *src, int width, int height, std::uint8_t *dst, int to_width,
                int to_height, bool average_alpha);

// Limits of the texture store.
struct TextureLimits {
    int max_side = 1024;        // ORVMAXTEXSIZE
    bool square = false;        // ORVSQRTEX
    bool average_alpha = false; // universe option 15
};

// Rounds both sides to powers of 2 (resampling), then reduces to the limits.
void fit_texture(std::vector<std::uint8_t> &rgba, int &width, int &height,
                 const TextureLimits &limits);

} // namespace orv::tex
