#include "zivek/gcode/arcs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zivek::gcode {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double angleOf(Point p, Point c) {
    return std::atan2(p.x - c.x, p.z - c.z);
}

double radiusOf(Point p, Point c) {
    return std::sqrt((p.z - c.z) * (p.z - c.z) + (p.x - c.x) * (p.x - c.x));
}

}  // namespace

ArcTolerance ArcTolerance::scaled(double scale) const {
    ArcTolerance t = *this;
    for (double* length : {&t.absolute, &t.ceiling, &t.reach, &t.minRadius}) *length *= scale;
    return t;
}

ArcFault checkArc(Point from, Point to, Point center, const ArcTolerance& tolerance) {
    const double r1 = std::hypot(from.z - center.z, from.x - center.x);
    const double r2 = std::hypot(to.z - center.z, to.x - center.x);
    if (!std::isfinite(r1) || !std::isfinite(r2)) return ArcFault::NotFinite;
    if (!(r1 > 0) || !(r2 > 0) || r1 < tolerance.minRadius || r2 < tolerance.minRadius)
        return ArcFault::ZeroRadius;
    const double error = std::abs(r1 - r2);
    const bool close = error <= tolerance.absolute + tolerance.perRadius * r1;
    const bool relativelyClose =
        error <= tolerance.ceiling && error <= tolerance.relative * std::max(r1, r2);
    return close || relativelyClose ? ArcFault::None : ArcFault::RadiiDiffer;
}

ArcFault centerFromRadius(Point from, Point to, double r, bool ccw, const ArcTolerance& tolerance,
                          Point& center) {
    const double dz = to.z - from.z;
    const double dx = to.x - from.x;
    const double chord = std::hypot(dz, dx);
    const double radius = std::abs(r);
    if (!std::isfinite(chord) || !std::isfinite(radius)) return ArcFault::NotFinite;
    if (!(chord > 0)) return ArcFault::SameEnds;
    if (!(radius > 0)) return ArcFault::ZeroRadius;
    const double half = chord / 2;
    double h2 = radius * radius - half * half;
    if (h2 < 0) {
        // Programs round their end points: a radius a hair too short is a half circle.
        if (half - radius > std::max(tolerance.reach, tolerance.reachPerRadius * radius))
            return ArcFault::RadiusShort;
        h2 = 0;
    }
    const double h = std::sqrt(h2);
    // The centre lies to the left of the chord for a short counter-clockwise arc.
    const double side = (ccw ? 1.0 : -1.0) * (r < 0 ? -1.0 : 1.0);
    center = {from.z + dz / 2 - side * h * dx / chord, from.x + dx / 2 + side * h * dz / chord};
    return std::isfinite(center.z) && std::isfinite(center.x) ? ArcFault::None
                                                              : ArcFault::NotFinite;
}

double arcSweep(Point from, Point to, Point center, bool ccw) {
    const double start = angleOf(from, center), end = angleOf(to, center);
    double a = ccw ? end - start : start - end;
    if (a <= 0) a += kTwoPi;
    return a > 0 ? a : kTwoPi;  // the ends meet (at ±π too): a whole circle
}

double arcLength(Point from, Point to, Point center, bool ccw) {
    const double r = radiusOf(from, center);
    return r * arcSweep(from, to, center, ccw);
}

void flattenArc(Point from, Point to, Point center, bool ccw, double tolerance,
                std::vector<Point>& out, std::size_t maxChords) {
    const double r = radiusOf(from, center);
    const double sweep = arcSweep(from, to, center, ccw);
    double chords = 1;
    if (r > tolerance && tolerance > 0) {
        const double step = 2 * std::acos(std::clamp(1 - tolerance / r, -1.0, 1.0));
        if (step > 0) chords = std::ceil(sweep / step);
    }
    if (!std::isfinite(chords)) chords = double(maxChords);
    chords = std::clamp(chords, sweep > std::numbers::pi ? 4.0 : 2.0, double(maxChords));
    const auto n = static_cast<std::size_t>(chords);
    const double start = angleOf(from, center);
    const double dir = ccw ? 1.0 : -1.0;
    for (std::size_t i = 1; i < n; ++i) {
        const double a = start + dir * sweep * double(i) / double(n);
        out.push_back({center.z + r * std::cos(a), center.x + r * std::sin(a)});
    }
    out.push_back(to);
}

void addArcExtent(Point from, Point to, Point center, bool ccw, Extent& extent) {
    extent.add(from);
    extent.add(to);
    const double r = radiusOf(from, center);
    const double start = angleOf(from, center);
    const double sweep = arcSweep(from, to, center, ccw);
    for (int q = 0; q < 4; ++q) {
        const double a = q * std::numbers::pi / 2;
        double along = ccw ? a - start : start - a;
        along = std::fmod(along, kTwoPi);
        if (along < 0) along += kTwoPi;
        if (along <= sweep) extent.add({center.z + r * std::cos(a), center.x + r * std::sin(a)});
    }
}

const Arc* Toolpath::arcOf(std::size_t move) const {
    if (move >= moves.size() || !moves[move].is(kArc)) return nullptr;
    const auto it = std::lower_bound(arcs.begin(), arcs.end(), move,
                                     [](const Arc& a, std::size_t m) { return a.move < m; });
    return it != arcs.end() && it->move == move ? &*it : nullptr;
}

double Toolpath::moveLength(std::size_t move) const {
    const Move& m = moves[move];
    if (const Arc* a = arcOf(move))
        return arcLength(m.from, m.to, a->center, a->ccw) +
               a->extraTurns * kTwoPi * radiusOf(m.from, a->center);
    return m.length();
}

std::vector<Point> polyline(const Toolpath& path, std::size_t move, double tolerance) {
    const Move& m = path.moves[move];
    std::vector<Point> points{m.from};
    if (const Arc* a = path.arcOf(move)) {
        flattenArc(m.from, m.to, a->center, a->ccw, tolerance, points);
    } else {
        points.push_back(m.to);
    }
    return points;
}

}  // namespace zivek::gcode
