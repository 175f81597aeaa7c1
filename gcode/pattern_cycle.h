#pragma once

#include "gcode/internal.h"

// Fanuc's pattern repeat, G73: the contour of blocks N(P) to N(Q) cut again and again,
// each time nearer, for parts already forged or cast to shape.

#include <vector>

#include "gcode/cycle_plan.h"
#include "gcode/segment.h"

namespace zivek::gcode {

struct PatternRequest {
    Point start;
    Point relief;  // Δi (as a radius) and Δk: how far the first pass stands off the last
    int passes = 1;
    Point allowance;  // U and W: where the last pass stands off the contour
    double feed = 0;
};

// `passes` times the contour, moved from relief + allowance to the allowance alone in
// equal steps, each from the start and back to it by rapid.
CyclePlan planPatternRepeat(const std::vector<Segment>& contour, const PatternRequest& request);

}  // namespace zivek::gcode
