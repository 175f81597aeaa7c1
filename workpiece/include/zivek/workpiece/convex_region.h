#pragma once

// Convex polygons in the Z-X plane, for cutting the workpiece: the sweep of an insert
// along a move, and whether two regions share more than a sliver. Standard library only.

#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::workpiece {

struct ConvexRegion {
    std::vector<Point> corners;  // counter-clockwise (Z to the right, X up)
    Point low;                   // the bounding box
    Point high;
};

// The convex hull of the points; fewer than 3 corners when they are all on one line.
ConvexRegion convexHull(std::vector<Point> points);

// What the insert covers on its way from one point to another.
ConvexRegion sweep(const ConvexRegion& insert, Point from, Point to);

// The width of the region across its narrowest direction.
double thickness(const std::vector<Point>& corners);

// What a and b share; fewer than 3 corners when they share no area.
ConvexRegion intersect(const ConvexRegion& a, const ConvexRegion& b);

// Whether a and b overlap by more than `tolerance` across.
bool overlaps(const ConvexRegion& a, const ConvexRegion& b, double tolerance);

// Appends the pieces of `piece` that `cut` leaves, dropping slivers no thicker than
// `sliver`. Returns false, having appended nothing, when the two share no more than
// `touch` across (the piece then stays as it is): a cut that only touches a piece must
// not break it up.
bool subtract(const ConvexRegion& piece, const ConvexRegion& cut, double touch, double sliver,
              std::vector<ConvexRegion>& out);

}  // namespace zivek::workpiece
