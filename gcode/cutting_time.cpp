// The totals of a finished path, its cutting time among them, from what each move
// records: feed per minute as written, feed per revolution through the spindle speed
// (G97 S) or the constant surface speed (G96 S) at each point of the move, capped by the
// speed limit (G50 S, G96 D).

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "gcode/interpreter.h"
#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

// 1/rpm at radius x is 2π|x| / V (V: surface speed in program units per minute), no less
// than 1/limit: piecewise linear along the move, so splitting at its kinks makes the
// trapezoid rule exact.
double reciprocalRpmIntegral(Point a, Point b, const Spindle& spindle) {
    const double slope = 2 * std::numbers::pi / spindle.speed;
    const double floor = spindle.rpmLimit > 0 ? 1 / spindle.rpmLimit : 0;
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

// The minutes of one feed move of the given length, from what it records and the
// spindle in force; NaN with the reason when they cannot be known.
double minutesOf(const Move& m, double length, const Arc* arc, const Spindle& spindle,
                 TimeGap& why) {
    if (!m.is(kThread) && !m.is(kPerRevolution)) {
        why = TimeGap::NoFeed;
        return m.feed > 0 ? length / m.feed : NAN;
    }
    why = TimeGap::NoFeed;
    if (!(m.feed > 0)) return NAN;
    why = TimeGap::NoSpindle;
    if (!(spindle.speed > 0)) return NAN;
    double revolutionsPerUnit = 0;  // ∫ ds / rpm
    if (!m.is(kConstantSurface)) {
        revolutionsPerUnit = length / spindle.speed;
    } else if (arc == nullptr) {
        revolutionsPerUnit = reciprocalRpmIntegral(m.from, m.to, spindle);
    } else {
        std::vector<Point> points{m.from};
        flattenArc(m.from, m.to, arc->center, arc->ccw, 1e-3 * length, points, 8);
        double chords = 0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            revolutionsPerUnit += reciprocalRpmIntegral(points[i - 1], points[i], spindle);
            chords += Move{MoveKind::Feed, 0, 0, points[i - 1], points[i], 0}.length();
        }
        if (chords > 0) revolutionsPerUnit *= length / chords;
    }
    const double minutes = revolutionsPerUnit / m.feed;
    return std::isfinite(minutes) ? minutes : NAN;
}

}  // namespace

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

namespace {

// Adds the moves [begin, end) to `t`, and their extents, kinds and time gap to the
// summary; `spindle` walks along with them.
void addMoves(const Toolpath& path, std::size_t begin, std::size_t end, std::size_t& spindle,
              MoveTotals& t, Summary& s) {
    const Spindle stopped;
    for (std::size_t i = begin; i < end; ++i) {
        const Move& m = path.moves[i];
        const double len = path.moveLength(i);
        const Arc* a = m.is(kArc) ? path.arcOf(i) : nullptr;
        auto addTo = [&](Extent& e) {
            if (a != nullptr) {
                // Whole turns sweep the full circle, whatever the last one's end.
                addArcExtent(m.from, a->extraTurns > 0 ? m.from : m.to, a->center, a->ccw, e);
                e.add(m.to);
            } else {
                e.add(m.from);
                e.add(m.to);
            }
        };
        addTo(s.extent);
        if (m.is(kFromCycle)) ++s.cycleMoves;
        if (m.kind == MoveKind::Rapid) {
            ++t.rapidMoves;
            t.rapidLength += len;
            continue;
        }
        addTo(s.cutExtent);
        ++t.feedMoves;
        t.feedLength += len;
        if (a != nullptr) ++s.arcMoves;
        if (m.is(kThread)) ++s.threadMoves;
        if (m.from == m.to) continue;
        while (spindle < path.spindles.size() && path.spindles[spindle].firstMove <= i) ++spindle;
        TimeGap why = TimeGap::None;
        const double minutes =
            minutesOf(m, len, a, spindle > 0 ? path.spindles[spindle - 1] : stopped, why);
        if (!std::isnan(minutes)) {
            t.cuttingMinutes += minutes;
        } else {
            ++t.feedMovesWithoutRate;
            if (s.timeGap == TimeGap::None) s.timeGap = why;
        }
    }
}

void addTotals(const MoveTotals& t, Summary& s) {
    s.rapidMoves += t.rapidMoves;
    s.feedMoves += t.feedMoves;
    s.rapidLength += t.rapidLength;
    s.feedLength += t.feedLength;
    s.cuttingMinutes += t.cuttingMinutes;
    s.feedMovesWithoutRate += t.feedMovesWithoutRate;
}

}  // namespace

// The program's totals are the sum of its stretches: the moves before the first tool
// change, then each tool's.
void summarize(Toolpath& path) {
    Summary& s = path.summary;
    std::size_t spindle = 0;
    const std::size_t count = path.moves.size();
    MoveTotals before;
    const std::size_t first = path.tools.empty() ? count : path.tools.front().firstMove;
    addMoves(path, 0, first, spindle, before, s);
    addTotals(before, s);
    for (std::size_t k = 0; k < path.tools.size(); ++k) {
        ToolChange& tool = path.tools[k];
        const std::size_t end = k + 1 < path.tools.size() ? path.tools[k + 1].firstMove : count;
        tool.totals = {};
        addMoves(path, tool.firstMove, end, spindle, tool.totals, s);
        addTotals(tool.totals, s);
    }
}

}  // namespace zivek::gcode
