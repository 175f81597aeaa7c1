#pragma once

// Circular arcs in the Z-X plane: from a radius or a centre, their sweep, length,
// extremes and a chain of chords for drawing.

#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// The centre of the arc of radius |r| from `from` to `to`; a negative r takes the arc
// longer than a half circle. False when the two points lie farther apart than 2|r|
// (beyond a rounding slack, which is taken as a half circle).
bool centerFromRadius(Point from, Point to, double r, bool ccw, Point& center);

// The angle swept from `from` to `to` about `center`, in (0, 2π]; a whole circle when
// the ends meet.
double arcSweep(Point from, Point to, Point center, bool ccw);
double arcLength(Point from, Point to, Point center, bool ccw);

// Adds the arc's points (without `from`, with `to`) to `out`, chords no farther than
// `tolerance` from the arc and at most `maxChords` of them.
void flattenArc(Point from, Point to, Point center, bool ccw, double tolerance,
                std::vector<Point>& out, std::size_t maxChords = 4096);

// Adds the arc's end points and the quadrant points it passes to `extent`.
void addArcExtent(Point from, Point to, Point center, bool ccw, Extent& extent);

}  // namespace zivek::gcode
