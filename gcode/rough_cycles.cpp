#include "gcode/rough_cycles.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

// More passes than this is a typing error in the depth of cut.
constexpr int kMaxPasses = 5000;

Point shifted(Point p, Point by) {
    return {p.z + by.z, p.x + by.x};
}

// A contour's move, moved by `shift`, drawn by the cycle with `flags` added.
CycleMove contourMove(const Segment& s, Point shift, std::uint8_t flags, double feed) {
    return {s.move.kind,
            shifted(s.move.from, shift),
            shifted(s.move.to, shift),
            feed,
            std::uint8_t(s.move.flags | flags),
            shifted(s.center, shift),
            s.arc,
            s.ccw,
            0};
}

// The contour the allowance away, drawn as incomplete, then back to the start.
CyclePlan incomplete(const std::vector<Segment>& contour, Point start, Point shift, double feed) {
    CyclePlan p(start);
    p.refuse(CycleRefusal::Incomplete);
    p.alongContour([&] {
        for (const Segment& s : contour) p.add(contourMove(s, shift, kIncomplete, s.move.feed));
    });
    p.go(MoveKind::Rapid, start, feed);
    return p;
}

// The circle an edge of the flattened contour was taken from, in (a, b) terms; a radius
// of 0 for a straight edge.
struct EdgeCircle {
    double a = 0, b = 0, radius = 0;
};

// Where level `a` meets the edge from p to q (a crossing): on a straight edge by
// proportion, on an arc's chord where the level meets the circle itself, at the root
// nearer the chord's crossing.
double crossing(std::pair<double, double> p, std::pair<double, double> q, const EdgeCircle& c,
                double a) {
    const double u = p.first - a, v = q.first - a;
    const double chord = p.second + (q.second - p.second) * u / (u - v);
    if (c.radius == 0) return chord;
    const double h = std::sqrt(std::max(c.radius * c.radius - (a - c.a) * (a - c.a), 0.0));
    return std::abs(c.b + h - chord) < std::abs(c.b - h - chord) ? c.b + h : c.b - h;
}

// Where level `a` runs through material, as (from, to) pairs along the pass from b0 in
// direction `dir`: the contour's crossings split it, the first stretch begins at b0 and
// one that never meets the contour runs to `farEnd`. Points are (a, b) pairs; edge i
// ends at point i.
std::vector<double> stretchesOf(const std::vector<std::pair<double, double>>& points,
                                const std::vector<EdgeCircle>& circles, double a, double b0,
                                double dir, double farEnd) {
    std::vector<double> cuts;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double p = points[i - 1].first - a, q = points[i].first - a;
        // Half open, so that a level through a corner counts it once.
        if ((p >= 0) == (q >= 0)) continue;
        const double b = crossing(points[i - 1], points[i], circles[i], a);
        if ((b - b0) * dir > 1e-12) cuts.push_back(b);
    }
    std::sort(cuts.begin(), cuts.end(), [dir](double x, double y) { return x * dir < y * dir; });
    std::vector<double> ends{b0};
    for (const double b : cuts) ends.push_back(b);
    if (ends.size() % 2 != 0) ends.push_back(farEnd);
    // Stretches of no length along the pass are no cut.
    std::vector<double> kept;
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
        if ((ends[i + 1] - ends[i]) * dir > 1e-9) {
            kept.push_back(ends[i]);
            kept.push_back(ends[i + 1]);
        }
    return kept;
}

}  // namespace

CyclePlan planFanucRoughing(const std::vector<Segment>& contour, const FanucRoughRequest& q) {
    const bool facing = q.facing;
    const Point start = q.start;
    const double depth = q.depth, retract = q.retract, feed = q.feed;
    // In (a, b) terms: a is the axis the depth of cut steps along, b the one passes run on.
    auto A = [facing](Point p) { return facing ? p.z : p.x; };
    auto B = [facing](Point p) { return facing ? p.x : p.z; };
    auto at = [facing](double a, double b) { return facing ? Point{a, b} : Point{b, a}; };

    const Point first = contour.front().move.to;
    const Point last = contour.back().move.to;
    const double side = A(start) > A(first) ? 1.0 : A(start) < A(first) ? -1.0 : 0.0;
    // The passes run the way the contour leads away from the start; a CAM contour that
    // ends back at the start's Z still reaches farthest in that direction.
    double farthest = B(start);
    for (const Segment& seg : contour)
        if (std::abs(B(seg.move.to) - B(start)) > std::abs(farthest - B(start)))
            farthest = B(seg.move.to);
    const double dir = farthest > B(start) ? 1.0 : farthest < B(start) ? -1.0 : 0.0;
    // Fanuc's U and W leave the allowance along each axis, by definition of the cycle.
    const Point shift = q.allowance;
    if (side == 0 || dir == 0 || !(depth > 0) || !std::isfinite(depth))
        return incomplete(contour, start, shift, feed);
    std::vector<Point> points{shifted(first, shift)};
    std::vector<EdgeCircle> circles(1);
    for (std::size_t i = 1; i < contour.size(); ++i) {
        const Segment& s = contour[i];
        if (s.arc) {
            // The chords only find which edge a level crosses; where is on the circle.
            std::vector<Point> arc;
            flattenArc(s.move.from, s.move.to, s.center, s.ccw, depth / 100, arc, 256);
            const Point c = shifted(s.center, shift);
            const double radius =
                std::hypot(s.move.from.z - s.center.z, s.move.from.x - s.center.x);
            for (const Point p : arc) {
                points.push_back(shifted(p, shift));
                circles.push_back({A(c), B(c), radius});
            }
        } else {
            points.push_back(shifted(s.move.to, shift));
            circles.emplace_back();
        }
    }
    std::vector<std::pair<double, double>> ab;
    ab.reserve(points.size());
    for (const Point p : points) ab.emplace_back(A(p), B(p));
    double limit = A(points.front());
    for (const Point p : points) limit = side > 0 ? std::min(limit, A(p)) : std::max(limit, A(p));

    CyclePlan p(start);
    // The work counted against the budget as the interpreter will count it: the work of
    // each pass before its moves, then one for each move drawn. The pass the budget runs
    // out at is not planned; its work, added to the next move's, stops the drawing there.
    std::size_t left = q.workLimit, pending = 0;
    auto go = [&](MoveKind kind, Point to) {
        p.go(kind, to, feed);
        p.moves.back().work = std::exchange(pending, 0);
        if (left > 0) --left;
    };
    const double a0 = A(start), b0 = B(start);
    for (int k = 1;; ++k) {
        const double a = a0 - side * k * depth;
        if (side * (a - limit) <= 1e-9) break;
        if (k > kMaxPasses) {
            p.refuse(CycleRefusal::TooManyPasses);
            break;
        }
        // Each pass looks along the whole contour: that work counts too.
        const std::size_t work = 4 + points.size() / 32;
        pending += work;
        if (left < work) break;
        left -= work;
        // Type I runs from the start until it meets the contour; type II also cuts each
        // pocket the level crosses, entering it from the start's level above.
        const std::vector<double> ends = stretchesOf(ab, circles, a, b0, dir, farthest + B(shift));
        const bool fromStart = !ends.empty() && ends[0] == b0;
        const std::size_t count = q.pockets ? ends.size() / 2 : fromStart ? 1 : 0;
        for (std::size_t j = 0; j < count; ++j) {
            const double from = ends[2 * j], to = ends[2 * j + 1];
            if (from == b0) {
                go(MoveKind::Rapid, at(a, b0));
            } else {
                go(MoveKind::Rapid, at(a0, B(p.at)));
                go(MoveKind::Rapid, at(a0, from));
                go(MoveKind::Rapid, at(a + side * retract, from));
                go(MoveKind::Feed, at(a, from));
            }
            go(MoveKind::Feed, at(a, to));
            go(MoveKind::Feed, at(a + side * retract, to - dir * retract));
        }
        if (count > 1) go(MoveKind::Rapid, at(a0, B(p.at)));
        if (count > 0) go(MoveKind::Rapid, at(count > 1 ? a0 : a + side * retract, b0));
    }
    // The last pass follows the contour, the finishing allowance away from it.
    go(MoveKind::Rapid, shifted(first, shift));
    p.alongContour([&] {
        for (std::size_t i = 1; i < contour.size(); ++i)
            p.add(contourMove(contour[i], shift, 0, feed));
    });
    p.at = shifted(last, shift);
    p.go(MoveKind::Rapid, start, feed);
    return p;
}

CyclePlan planFanucFinishing(const std::vector<Segment>& contour, Point start, double feed) {
    CyclePlan p(start);
    p.alongContour([&] {
        for (const Segment& s : contour) p.add(contourMove(s, {}, 0, s.move.feed));
    });
    p.go(MoveKind::Rapid, start, feed);
    return p;
}

}  // namespace zivek::gcode
