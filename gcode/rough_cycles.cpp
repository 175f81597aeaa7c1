#include "gcode/rough_cycles.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "gcode/level_contour.h"
#include "gcode/pocket_roughing.h"

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

// Where level `a` runs through material, as (from, to) pairs along the pass from b0 in
// direction `dir`: the contour's crossings split it, the first stretch begins at b0 and
// one that never meets the contour runs to `farEnd`. Points are (a, b) pairs; edge i
// ends at point i.
std::vector<double> stretchesOf(const LevelContour& c, double a, double b0, double dir,
                                double farEnd) {
    const auto& points = c.points;
    std::vector<double> cuts;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double p = points[i - 1].first - a, q = points[i].first - a;
        // Half open, so that a level through a corner counts it once.
        if ((p >= 0) == (q >= 0)) continue;
        const double b = crossingOf(c, i, a);
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
    const LevelContour flat = levelContour(contour, shift, facing, depth / 100);
    double limit = flat.points.front().first;
    for (const auto& [a, b] : flat.points)
        limit = side > 0 ? std::min(limit, a) : std::max(limit, a);

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
    int levels = 0;
    for (int k = 1;; ++k) {
        const double a = a0 - side * k * depth;
        if (side * (a - limit) <= 1e-9) break;
        if (k > kMaxPasses) {
            p.refuse(CycleRefusal::TooManyPasses);
            break;
        }
        // Each pass looks along the whole contour: that work counts too.
        const std::size_t work = 4 + flat.points.size() / 32;
        pending += work;
        if (left < work) break;
        left -= work;
        levels = k;
        if (q.pockets) continue;  // type II plans its levels together, below
        // Type I runs from the start until it first meets the contour.
        const std::vector<double> ends = stretchesOf(flat, a, b0, dir, farthest + B(shift));
        if (ends.empty() || ends[0] != b0) continue;
        go(MoveKind::Rapid, at(a, b0));
        go(MoveKind::Feed, at(a, ends[1]));
        go(MoveKind::Feed, at(a + side * retract, ends[1] - dir * retract));
        go(MoveKind::Rapid, at(a + side * retract, b0));
    }
    if (q.pockets) {
        PocketLevels l;
        l.a0 = a0;
        l.b0 = b0;
        l.side = side;
        l.dir = dir;
        l.depth = depth;
        l.retract = retract;
        l.farEnd = farthest + B(shift);
        l.count = levels;
        for (const LevelStep& s : pocketPasses(flat, l)) go(s.kind, at(s.a, s.b));
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
