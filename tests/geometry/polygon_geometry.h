#pragma once

// Plane geometry on convex regions, for checking cuts against drawings.

#include <algorithm>
#include <cmath>
#include <vector>

namespace zivek::geometry {

struct Point {
    double u = 0, v = 0;
};
using Polygon = std::vector<Point>;

// Positions are sums of a few written decimals; the regions' bounds are the same
// decimals. This only absorbs the last bit of a division by the unit, far below the
// 0.0005 of the rounding to 3 places that the checks must see.
// Positions are sums of a few written decimals; the regions' bounds are the same
// decimals. This only absorbs the last bit of a division by the unit, far below the
// 0.0005 of the rounding to 3 places that the checks must see.
inline constexpr double tolerance = 1e-9;

inline double cross(Point o, Point a, Point b) {
    return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u);
}

// Counter-clockwise hull without collinear points; fewer than 3 points when flat.
inline Polygon hull(Polygon points) {
    if (points.size() < 3) return {};
    std::sort(points.begin(), points.end(),
              [](Point a, Point b) { return a.u < b.u || (a.u == b.u && a.v < b.v); });
    Polygon out(2 * points.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(out[k - 2], out[k - 1], points[i]) <= 0) --k;
        out[k++] = points[i];
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(out[k - 2], out[k - 1], points[i]) <= 0) --k;
        out[k++] = points[i];
    }
    out.resize(k > 1 ? k - 1 : k);
    return out;
}

// a·u + b·v + c <= 0 on the inside; (a, b) a unit vector, so values are distances.
struct Side {
    double a, b, c;
    double at(Point p) const { return a * p.u + b * p.v + c; }
};

inline std::vector<Side> sides(const Polygon& polygon) {
    const Polygon corners = hull(polygon);
    std::vector<Side> out;
    if (corners.size() < 3) return out;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point p = corners[i], q = corners[(i + 1) % corners.size()];
        const double length = std::hypot(q.u - p.u, q.v - p.v);
        const double a = (q.v - p.v) / length, b = -(q.u - p.u) / length;
        out.push_back({a, b, -(a * p.u + b * p.v)});
    }
    return out;
}

struct Span {
    double from = 0, to = 1;
    bool empty() const { return from > to; }
};

// The part of the segment p→q (parameters 0 to 1) that lies in the region grown by
// `grow` (shrunk when negative).
inline Span clip(const std::vector<Side>& region, Point p, Point q, double grow) {
    Span span;
    if (region.empty()) return {1, 0};
    for (const Side& side : region) {
        const double start = side.at(p) - grow, change = side.at(q) - side.at(p);
        if (change == 0) {
            if (start > 0) return {1, 0};
        } else if (change > 0) {
            span.to = std::min(span.to, -start / change);
        } else {
            span.from = std::max(span.from, -start / change);
        }
    }
    return span;
}

inline bool inside(const std::vector<Side>& region, Point p) {
    return std::all_of(region.begin(), region.end(),
                       [&](const Side& s) { return s.at(p) <= tolerance; });
}

}  // namespace zivek::geometry
