// Fanuc's roughing (G71 along Z, G72 across it) and finishing (G70) cycles, expanded
// from the contour blocks N(P) to N(Q) they name. LinuxCNC's forms, on a subroutine
// o(Q), are planned in linuxcnc_g7x.cpp.

#include <algorithm>
#include <cmath>
#include <string>

#include "gcode/interpreter.h"
#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

// More passes than this is a typing error in the depth of cut.
constexpr int kMaxPasses = 5000;

std::string numberName(double v) {
    return std::abs(v) < 1e9 ? std::to_string(static_cast<long long>(v)) : std::string("?");
}

Point shifted(Point p, Point by) {
    return {p.z + by.z, p.x + by.x};
}

// Where level `a` runs through material, as (from, to) pairs along the pass from b0 in
// direction `dir`: the contour's crossings split it, the first stretch begins at b0 and
// one that never meets the contour runs to `farEnd`. Points are (a, b) pairs.
std::vector<double> stretchesOf(const std::vector<std::pair<double, double>>& points, double a,
                                double b0, double dir, double farEnd) {
    std::vector<double> cuts;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double p = points[i - 1].first - a, q = points[i].first - a;
        // Half open, so that a level through a corner counts it once.
        if ((p >= 0) == (q >= 0)) continue;
        const double b =
            points[i - 1].second + (points[i].second - points[i - 1].second) * p / (p - q);
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

// The blocks from N<first> to N<Q> (or that one block) that hold a Fanuc cycle's contour.
bool Interpreter::contourLines(double first, std::size_t& from, std::size_t& to) {
    from = lineOfNumber(first, line_);
    to = b_.has('Q') ? lineOfNumber(b_.use('Q'), from) : from;
    if (from < starts_.size() && to < starts_.size() && to >= from) return true;
    warn(Warning::CycleMissingContour, "N" + numberName(first));
    return false;
}

void Interpreter::roughCycle(const GCodeRow& g) {
    if (rules_->cyclesOnSubroutine) {
        linuxG7x(g.code);
        return;
    }
    const bool facing = g.code == GCode::G72 || g.code == GCode::G72_1 || g.code == GCode::G72_2;
    const char letter = facing ? 'W' : 'U';
    if (!b_.has('P')) {
        // Fanuc's first block: G71 U(depth) R(retract), G72 W(depth) R(retract).
        double& depth = facing ? facingDepth_ : roughDepth_;
        double& retract = facing ? facingRetract_ : roughRetract_;
        if (b_.has(letter)) depth = std::abs(b_.length(letter));
        if (b_.has('R')) retract = std::abs(b_.length('R'));
        return;
    }
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    // G71 P(first block) Q(last block) U(allowance on X) W(allowance on Z) [D(depth)]
    std::vector<Segment> contour;
    Point allowance;
    const double first = b_.use('P');
    std::size_t from = 0, to = 0;
    if (!contourLines(first, from, to)) return;
    if (b_.has('U')) allowance.x = b_.length('U') / m_.xScale();
    if (b_.has('W')) allowance.z = b_.length('W');
    const double depth = b_.has('D') ? std::abs(b_.lengthInIncrements('D'))
                         : facing    ? facingDepth_
                                     : roughDepth_;
    const double retract = facing ? facingRetract_ : roughRetract_;
    if (!capture(from, to + 1, contour)) return;
    // The contour's blocks run in the cycle, not again after it.
    if (to > line_) next_ = to + 1;
    if (contour.empty()) {
        warn(Warning::CycleMissingContour, facing ? "G72" : "G71");
        return;
    }
    // Type II, which also cuts pockets, names both axes in the contour's first block.
    std::vector<Word> words;
    std::vector<BadToken> bad;
    readWords(lineAt(text_, starts_, from), words, bad);
    bool named[2] = {false, false};
    for (const Word& w : words) {
        if (w.letter == 'X' || w.letter == 'U') named[0] = true;
        if (w.letter == 'Z' || w.letter == 'W') named[1] = true;
    }
    roughPasses(contour, pos_, facing, depth, retract, allowance, m_.feed, named[0] && named[1]);
}

void Interpreter::roughPasses(const std::vector<Segment>& contour, Point start, bool facing,
                              double depth, double retract, Point allowance, double feed,
                              bool pockets) {
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
    const Point shift = allowance;
    if (side == 0 || dir == 0 || !(depth > 0) || !std::isfinite(depth)) {
        contourAsIncomplete(contour, shift, facing ? "G72" : "G71");
        return;
    }
    std::vector<Point> points{shifted(first, shift)};
    for (std::size_t i = 1; i < contour.size(); ++i) {
        const Segment& s = contour[i];
        if (s.arc) {
            std::vector<Point> arc;
            flattenArc(s.move.from, s.move.to, s.center, s.ccw, depth / 100, arc, 256);
            for (const Point p : arc) points.push_back(shifted(p, shift));
        } else {
            points.push_back(shifted(s.move.to, shift));
        }
    }
    std::vector<std::pair<double, double>> ab;
    ab.reserve(points.size());
    for (const Point p : points) ab.emplace_back(A(p), B(p));
    double limit = A(points.front());
    for (const Point p : points) limit = side > 0 ? std::min(limit, A(p)) : std::max(limit, A(p));

    const std::uint8_t c = kFromCycle;
    const double a0 = A(start), b0 = B(start);
    for (int k = 1;; ++k) {
        const double a = a0 - side * k * depth;
        if (side * (a - limit) <= 1e-9) break;
        // Each pass looks along the whole contour: that work counts too.
        if (k > kMaxPasses || !spend(4 + points.size() / 32)) {
            warn(Warning::ExpansionLimit, facing ? "G72" : "G71");
            break;
        }
        // Type I runs from the start until it meets the contour; type II also cuts each
        // pocket the level crosses, entering it from the start's level above.
        const std::vector<double> ends = stretchesOf(ab, a, b0, dir, farthest + B(shift));
        const bool fromStart = !ends.empty() && ends[0] == b0;
        const std::size_t count = pockets ? ends.size() / 2 : fromStart ? 1 : 0;
        for (std::size_t j = 0; j < count; ++j) {
            const double from = ends[2 * j], to = ends[2 * j + 1];
            if (from == b0) {
                go(MoveKind::Rapid, at(a, b0), c, feed);
            } else {
                go(MoveKind::Rapid, at(a0, B(pos_)), c, feed);
                go(MoveKind::Rapid, at(a0, from), c, feed);
                go(MoveKind::Rapid, at(a + side * retract, from), c, feed);
                go(MoveKind::Feed, at(a, from), c, feed);
            }
            go(MoveKind::Feed, at(a, to), c, feed);
            go(MoveKind::Feed, at(a + side * retract, to - dir * retract), c, feed);
        }
        if (count > 1) go(MoveKind::Rapid, at(a0, B(pos_)), c, feed);
        if (count > 0) go(MoveKind::Rapid, at(count > 1 ? a0 : a + side * retract, b0), c, feed);
    }
    // The last pass follows the contour, the finishing allowance away from it.
    go(MoveKind::Rapid, shifted(first, shift), c, feed);
    for (std::size_t i = 1; i < contour.size(); ++i) {
        Segment s = contour[i];
        s.move.from = shifted(s.move.from, shift);
        s.move.to = shifted(s.move.to, shift);
        s.center = shifted(s.center, shift);
        s.move.flags |= c;
        s.move.line = line_;
        s.move.feed = feed;
        add(s);
    }
    pos_ = shifted(last, shift);
    go(MoveKind::Rapid, start, c, feed);
}

void Interpreter::contourAsIncomplete(const std::vector<Segment>& contour, Point shift,
                                      std::string_view code) {
    warn(Warning::CycleIncomplete, code);
    ++out_.summary.incompleteCycles;
    const Point start = pos_;
    for (Segment s : contour) {
        s.move.from = shifted(s.move.from, shift);
        s.move.to = shifted(s.move.to, shift);
        s.center = shifted(s.center, shift);
        s.move.flags |= kFromCycle | kIncomplete;
        s.move.line = line_;
        add(s);
    }
    pos_ = contour.back().move.to;
    pos_ = shifted(pos_, shift);
    go(MoveKind::Rapid, start, kFromCycle, m_.feed);
}

void Interpreter::finishCycle(const GCodeRow& g) {
    if (rules_->cyclesOnSubroutine) {
        linuxG7x(g.code);
        return;
    }
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    // G70 P(first block) Q(last block): the contour as written, entered with its first
    // block's own motion, then back to the start by rapid.
    if (!b_.has('P')) {
        warn(Warning::CycleMissingContour, "G70");
        return;
    }
    std::vector<Segment> contour;
    const Point start = pos_;
    std::size_t from = 0, to = 0;
    if (!contourLines(b_.use('P'), from, to)) return;
    if (!capture(from, to + 1, contour)) return;
    if (to > line_) next_ = to + 1;
    for (Segment s : contour) {
        s.move.flags |= kFromCycle;
        s.move.line = line_;
        add(s);
    }
    if (!contour.empty()) pos_ = contour.back().move.to;
    go(MoveKind::Rapid, start, kFromCycle, m_.feed);
}

}  // namespace zivek::gcode
