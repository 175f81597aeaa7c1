// Cutting time: feed per minute as written, feed per revolution through the spindle
// speed (G97 S) or the constant surface speed (G96 S) at each point of the move, capped
// by the speed limit (G50 S, G96 D). Also the totals of a finished path.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "gcode/arcs.h"
#include "gcode/interpreter.h"

namespace zivek::backplot {

double Interpreter::reciprocalRpmIntegral(Point a, Point b) const {
    // 1/rpm at radius x is 2π|x| / (C·V), no less than 1/limit: piecewise linear along
    // the move, so splitting at its kinks makes the trapezoid rule exact.
    const double c = m_.surfaceUnit * m_.speed;
    const double slope = 2 * std::numbers::pi / c;
    const double floor = m_.rpmLimit > 0 ? 1 / m_.rpmLimit : 0;
    auto g = [&](double t) {
        const double x = a.x + (b.x - a.x) * t;
        return std::max(floor, slope * std::abs(x));
    };
    std::array<double, 5> cuts{0, 1, 0, 0, 0};
    std::size_t n = 2;
    const double dx = b.x - a.x;
    if (dx != 0) {
        const double knee = floor > 0 ? floor / slope : 0;
        for (const double x : {0.0, knee, -knee}) {
            const double t = (x - a.x) / dx;
            if (t > 0 && t < 1 && n < cuts.size()) cuts[n++] = t;
        }
    }
    for (std::size_t i = 1; i < n; ++i)
        for (std::size_t j = i; j > 0 && cuts[j - 1] > cuts[j]; --j)
            std::swap(cuts[j - 1], cuts[j]);
    const double length = std::sqrt((b.z - a.z) * (b.z - a.z) + (b.x - a.x) * (b.x - a.x));
    double sum = 0;
    for (std::size_t i = 1; i < n; ++i)
        sum += (cuts[i] - cuts[i - 1]) * (g(cuts[i - 1]) + g(cuts[i])) / 2;
    return sum * length;
}

void Interpreter::time(const Segment& s) {
    const Move& m = s.move;
    if (m.kind != MoveKind::Feed || m.from == m.to) return;
    Summary& sum = out_.summary;
    auto gap = [&](TimeGap why) {
        ++sum.feedMovesWithoutRate;
        if (sum.timeGap == TimeGap::None) sum.timeGap = why;
    };
    const double length = s.arc ? arcLength(m.from, m.to, s.center, s.ccw) : m.length();
    if (!m.is(kThread) && !m_.perRevolution) {
        if (m.feed > 0) {
            sum.cuttingMinutes += length / m.feed;
        } else {
            gap(TimeGap::NoFeed);
        }
        return;
    }
    if (!(m.feed > 0)) return gap(TimeGap::NoFeed);
    if (!(m_.speed > 0)) return gap(TimeGap::NoSpindle);
    double revolutionsPerUnit = 0;  // ∫ ds / rpm
    if (!m_.constantSurface) {
        revolutionsPerUnit = length / m_.speed;
    } else if (!s.arc) {
        revolutionsPerUnit = reciprocalRpmIntegral(m.from, m.to);
    } else {
        std::vector<Point> points{m.from};
        flattenArc(m.from, m.to, s.center, s.ccw, 1e-3 * length, points, 8);
        double chords = 0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            revolutionsPerUnit += reciprocalRpmIntegral(points[i - 1], points[i]);
            chords += Move{MoveKind::Feed, 0, 0, points[i - 1], points[i], 0}.length();
        }
        if (chords > 0) revolutionsPerUnit *= length / chords;
    }
    const double minutes = revolutionsPerUnit / m.feed;
    if (std::isfinite(minutes)) {
        sum.cuttingMinutes += minutes;
    } else {
        gap(TimeGap::NoSpindle);
    }
}

double Move::length() const {
    // sqrt, not hypot: positions stay far from where squares overflow, and it is the
    // costliest call of a long program's reading.
    const double dz = to.z - from.z, dx = to.x - from.x;
    return std::sqrt(dz * dz + dx * dx);
}

void Extent::add(Point p) {
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.z, p.z), std::min(min.x, p.x)};
    max = {std::max(max.z, p.z), std::max(max.x, p.x)};
}

void summarize(Toolpath& path) {
    Summary& s = path.summary;
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        const Move& m = path.moves[i];
        const double len = path.moveLength(i);
        const Arc* a = m.is(kArc) ? path.arcOf(i) : nullptr;
        auto addTo = [&](Extent& e) {
            if (a != nullptr) {
                addArcExtent(m.from, m.to, a->center, a->ccw, e);
            } else {
                e.add(m.from);
                e.add(m.to);
            }
        };
        addTo(s.extent);
        if (m.is(kFromCycle)) ++s.cycleMoves;
        if (m.kind == MoveKind::Rapid) {
            ++s.rapidMoves;
            s.rapidLength += len;
            continue;
        }
        addTo(s.cutExtent);
        ++s.feedMoves;
        s.feedLength += len;
        if (a != nullptr) ++s.arcMoves;
        if (m.is(kThread)) ++s.threadMoves;
    }
}

}  // namespace zivek::backplot
