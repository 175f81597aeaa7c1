#pragma once

#include "gcode/internal.h"

// A Fanuc roughing cycle's contour as the levels see it: in (a, b) terms, a the axis the
// depth of cut steps along, b the one the passes run on, arcs flattened into chords that
// remember their circle so that a level meets the arc itself.

#include <cstddef>
#include <utility>
#include <vector>

#include "gcode/segment.h"

namespace zivek::gcode {

// The circle an edge was taken from, in (a, b) terms; a radius of 0 for a straight edge.
struct EdgeCircle {
    double a = 0, b = 0, radius = 0;
};

struct LevelContour {
    // Point i ends edge i; point 0 is the contour's first end.
    std::vector<std::pair<double, double>> points;
    std::vector<EdgeCircle> circles;
};

// The contour moved by `shift`, its arcs flattened to within `tolerance`.
LevelContour levelContour(const std::vector<Segment>& contour, Point shift, bool facing,
                          double tolerance);

// Where level `a` meets edge i (a crossing): on a straight edge by proportion, on an
// arc's chord where the level meets the circle itself, at the root nearer the chord's
// crossing.
double crossingOf(const LevelContour& c, std::size_t edge, double a);

}  // namespace zivek::gcode
