// Power-of-two rounding, bilinear resampling and box reduction.
#include "texture/texture_resize.h"

#include <algorithm>
#include <cmath>

namespace orv::tex {

namespace {
constexpr int kOpaque = 255;
constexpr int kChannels = 4;
} // namespace

int round_pow2(int n) {
    int p = 1;
    while (p < n)
        p <<= 1;
    // n < P × 5/8, in integers.
    return n * 8 < p * 5 ? p / 2 : p;
}

std::vector<std::uint8_t> resample(const std::uint8_t *src, int width, int height, int to_width,
                                   int to_height) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(to_width) * to_height * kChannels);
    // Texel centres of the target mapped onto the source, clamped at its edges.
    auto axis = [](int i, int from, int to, int *i0, int *i1, float *f) {
        float s =
            (static_cast<float>(i) + 0.5f) * static_cast<float>(from) / static_cast<float>(to) -
            0.5f;
        s = std::clamp(s, 0.0f, static_cast<float>(from - 1));
        *i0 = static_cast<int>(s);
        *i1 = std::min(*i0 + 1, from - 1);
        *f = s - static_cast<float>(*i0);
    };
    std::uint8_t *d = out.data();
    for (int y = 0; y < to_height; ++y) {
        int y0, y1;
        float fy;
        axis(y, height, to_height, &y0, &y1, &fy);
        for (int x = 0; x < to_width; ++x) {
            int x0, x1;
            float fx;
            axis(x, width, to_width, &x0, &x1, &fx);
            auto at = [&](int xx, int yy, int c) {
                return static_cast<float>(
                    src[(static_cast<std::size_t>(yy) * width + xx) * kChannels + c]);
            };
            for (int c = 0; c < kChannels; ++c) {
                float top = at(x0, y0, c) + (at(x1, y0, c) - at(x0, y0, c)) * fx;
                float bottom = at(x0, y1, c) + (at(x1, y1, c) - at(x0, y1, c)) * fx;
                *d++ = static_cast<std::uint8_t>(std::lround(top + (bottom - top) * fy));
            }
        }
    }
    return out;
}

void box_reduce(const std::uint8_t *src, int width, int height, std::uint8_t *dst, int to_width,
                int to_height, bool average_alpha) {
    const int bw = width / to_width, bh = height / to_height;
    const int n = bw * bh;
    for (int y = 0; y < to_height; ++y)
        for (int x = 0; x < to_width; ++x) {
            int all[kChannels] = {0, 0, 0, 0}, opaque_sum[3] = {0, 0, 0}, opaque = 0;
            for (int j = 0; j < bh; ++j)
                for (int i = 0; i < bw; ++i) {
                    const std::uint8_t *s =
                        src +
                        ((static_cast<std::size_t>(y) * bh + j) * width + x * bw + i) * kChannels;
                    for (int c = 0; c < kChannels; ++c)
                        all[c] += s[c];
                    if (s[3] == kOpaque) {
                        ++opaque;
                        for (int c = 0; c < 3; ++c)
                            opaque_sum[c] += s[c];
                    }
                }
            std::uint8_t *d = dst + (static_cast<std::size_t>(y) * to_width + x) * kChannels;
            const bool keyed = !average_alpha && opaque > 0;
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<std::uint8_t>(keyed ? opaque_sum[c] / opaque : all[c] / n);
            d[3] = static_cast<std::uint8_t>(average_alpha ? all[3] / n
                                                           : (opaque * 2 >= n ? kOpaque : 0));
        }
}

void fit_texture(std::vector<std::uint8_t> &rgba, int &width, int &height,
                 const TextureLimits &limits) {
    int w = round_pow2(width), h = round_pow2(height);
    if (w != width || h != height) {
        rgba = resample(rgba.data(), width, height, w, h);
        width = w;
        height = h;
    }
    int tw = std::min(w, limits.max_side), th = std::min(h, limits.max_side);
    if (limits.square) tw = th = std::min(tw, th);
    if (tw == w && th == h) return;
    std::vector<std::uint8_t> reduced(static_cast<std::size_t>(tw) * th * kChannels);
    box_reduce(rgba.data(), w, h, reduced.data(), tw, th, limits.average_alpha);
    rgba.swap(reduced);
    width = tw;
    height = th;
}

} // namespace orv::tex
