#include "draw2d/circle_points.h"

#include <algorithm>
#include <cmath>

namespace orv::draw2d {

std::vector<Point2> circle_points(float x, float y, float r, int width, int height) {
    const double w = width, h = height;
    // The shorter side keeps the radius; the other axis shrinks by the aspect.
    const double rx = height < width ? r * h / w : r;
    const double ry = height < width ? r : r * w / h;
    const double wanted = std::min(ry * h / 4.0, static_cast<double>(max_quarter_steps));
    const int steps = std::max(min_quarter_steps, static_cast<int>(wanted));
    constexpr int quarters = 4;
    std::vector<Point2> out;
    out.reserve(static_cast<std::size_t>(steps) * quarters);
    // The first quarter's cosines and sines; the others are its mirror images.
    for (int q = 0; q < quarters; ++q)
        for (int k = 0; k < steps; ++k) {
            const double angle = static_cast<double>(k) / steps * (M_PI / 2);
            const double c = std::cos(angle), s = std::sin(angle);
            // Quarter q turns (c, s) by q right angles.
            const double dx = q == 0 ? c : q == 1 ? -s : q == 2 ? -c : s;
            const double dy = q == 0 ? s : q == 1 ? c : q == 2 ? -s : -c;
            out.push_back({static_cast<float>(x + rx * dx), static_cast<float>(y + ry * dy)});
        }
    return out;
}

} // namespace orv::draw2d
