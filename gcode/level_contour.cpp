#include "gcode/level_contour.h"

#include <algorithm>
#include <cmath>

#include "zivek/gcode/arcs.h"

namespace zivek::gcode {

LevelContour levelContour(const std::vector<Segment>& contour, Point shift, bool facing,
                          double tolerance) {
    auto ab = [facing](Point p) { return facing ? std::pair{p.z, p.x} : std::pair{p.x, p.z}; };
    auto shifted = [shift](Point p) { return Point{p.z + shift.z, p.x + shift.x}; };
    LevelContour out;
    out.points.push_back(ab(shifted(contour.front().move.to)));
    out.circles.emplace_back();
    for (std::size_t i = 1; i < contour.size(); ++i) {
        const Segment& s = contour[i];
        if (!s.arc) {
            out.points.push_back(ab(shifted(s.move.to)));
            out.circles.emplace_back();
            continue;
        }
        // The chords only find which edge a level crosses; where is on the circle.
        std::vector<Point> arc;
        flattenArc(s.move.from, s.move.to, s.center, s.ccw, tolerance, arc, 256);
        const auto [ca, cb] = ab(shifted(s.center));
        const double radius = std::hypot(s.move.from.z - s.center.z, s.move.from.x - s.center.x);
        for (const Point p : arc) {
            out.points.push_back(ab(shifted(p)));
            out.circles.push_back({ca, cb, radius});
        }
    }
    return out;
}

double crossingOf(const LevelContour& c, std::size_t edge, double a) {
    const auto& p = c.points[edge - 1];
    const auto& q = c.points[edge];
    const EdgeCircle& circle = c.circles[edge];
    const double u = p.first - a, v = q.first - a;
    const double chord = p.second + (q.second - p.second) * u / (u - v);
    if (circle.radius == 0) return chord;
    const double h =
        std::sqrt(std::max(circle.radius * circle.radius - (a - circle.a) * (a - circle.a), 0.0));
    return std::abs(circle.b + h - chord) < std::abs(circle.b - h - chord) ? circle.b + h
                                                                           : circle.b - h;
}

}  // namespace zivek::gcode
