// The outline of a circle that is round on the screen.
#pragma once

#include <vector>

namespace orv::draw2d {

// Fewest steps a quarter of a circle takes.
inline constexpr int min_quarter_steps = 10;
// Most steps a quarter takes, so that a huge radius stays a bounded outline.
inline constexpr int max_quarter_steps = 4096;

struct Point2 {
    float x, y;
};

// The 4 x steps outline points, once round, of a circle of radius r (unit
// square) about (x, y) in a viewport of width x height pixels.
std::vector<Point2> circle_points(float x, float y, float r, int width, int height);

} // namespace orv::draw2d
