#include "zivek/workpiece/convex_region.h"

#include <algorithm>
#include <cmath>

namespace zivek::workpiece {
namespace {

double cross(Point o, Point a, Point b) {
    return (a.z - o.z) * (b.x - o.x) - (a.x - o.x) * (b.z - o.z);
}

ConvexRegion withBounds(std::vector<Point> corners) {
    ConvexRegion region{std::move(corners), {}, {}};
    if (region.corners.empty()) return region;
    region.low = region.high = region.corners.front();
    for (const Point& p : region.corners) {
        region.low = {std::min(region.low.z, p.z), std::min(region.low.x, p.x)};
        region.high = {std::max(region.high.z, p.z), std::max(region.high.x, p.x)};
    }
    return region;
}

// A quick test before the exact one, so it must never be the stricter: a piece about as
// thick as the tolerance still meets the exact test.
bool boxesApart(const ConvexRegion& a, const ConvexRegion& b, double tolerance) {
    const double acrossZ = std::min(a.high.z, b.high.z) - std::max(a.low.z, b.low.z);
    const double acrossX = std::min(a.high.x, b.high.x) - std::max(a.low.x, b.low.x);
    return acrossZ < tolerance * 0.5 || acrossX < tolerance * 0.5;
}

// Keeps the part of a convex polygon on the left of a→b (inside of a counter-clockwise
// edge), or on its right when `left` is false.
void clipTo(const std::vector<Point>& polygon, Point a, Point b, bool left,
            std::vector<Point>& out) {
    out.clear();
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point p = polygon[i];
        const Point q = polygon[(i + 1) % n];
        const double sp = left ? cross(a, b, p) : -cross(a, b, p);
        const double sq = left ? cross(a, b, q) : -cross(a, b, q);
        if (sp >= 0) out.push_back(p);
        if ((sp >= 0) != (sq >= 0)) {
            const double t = sp / (sp - sq);
            out.push_back({p.z + t * (q.z - p.z), p.x + t * (q.x - p.x)});
        }
    }
}

std::vector<Point> intersection(const ConvexRegion& a, const ConvexRegion& b) {
    std::vector<Point> inside = a.corners;
    std::vector<Point> next;
    const std::size_t n = b.corners.size();
    for (std::size_t i = 0; i < n && inside.size() >= 3; ++i) {
        clipTo(inside, b.corners[i], b.corners[(i + 1) % n], true, next);
        inside.swap(next);
    }
    return inside;
}

}  // namespace

ConvexRegion convexHull(std::vector<Point> points) {
    std::sort(points.begin(), points.end(),
              [](Point a, Point b) { return a.z < b.z || (a.z == b.z && a.x < b.x); });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3) return withBounds(std::move(points));
    std::vector<Point> hull(2 * points.size());
    std::size_t k = 0;
    for (const Point& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return withBounds(std::move(hull));
}

ConvexRegion sweep(const ConvexRegion& insert, Point from, Point to) {
    std::vector<Point> points;
    points.reserve(2 * insert.corners.size());
    for (const Point& c : insert.corners) {
        points.push_back({from.z + c.z, from.x + c.x});
        points.push_back({to.z + c.z, to.x + c.x});
    }
    return convexHull(std::move(points));
}

double thickness(const std::vector<Point>& corners) {
    const std::size_t n = corners.size();
    if (n < 3) return 0;
    // The narrowest width of a convex polygon lies across one of its edges.
    double narrowest = INFINITY;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = corners[i];
        const Point b = corners[(i + 1) % n];
        // Coordinates stay below 1e100 (see the cut), so the squares cannot overflow.
        const double length = std::sqrt((b.z - a.z) * (b.z - a.z) + (b.x - a.x) * (b.x - a.x));
        if (!(length > 0)) continue;
        double farthest = 0;
        for (const Point& p : corners) farthest = std::max(farthest, std::abs(cross(a, b, p)));
        narrowest = std::min(narrowest, farthest / length);
    }
    return std::isfinite(narrowest) ? narrowest : 0;
}

ConvexRegion intersect(const ConvexRegion& a, const ConvexRegion& b) {
    if (a.corners.size() < 3 || b.corners.size() < 3) return {};
    std::vector<Point> shared = intersection(a, b);
    if (shared.size() < 3) shared.clear();
    return withBounds(std::move(shared));
}

bool overlaps(const ConvexRegion& a, const ConvexRegion& b, double tolerance) {
    if (a.corners.size() < 3 || b.corners.size() < 3 || boxesApart(a, b, tolerance)) return false;
    return thickness(intersection(a, b)) > tolerance;
}

bool subtract(const ConvexRegion& piece, const ConvexRegion& cut, double touch, double sliver,
              std::vector<ConvexRegion>& out) {
    if (!overlaps(piece, cut, touch)) return false;
    std::vector<Point> rest = piece.corners;
    std::vector<Point> outside;
    std::vector<Point> next;
    const std::size_t n = cut.corners.size();
    for (std::size_t i = 0; i < n && rest.size() >= 3; ++i) {
        const Point a = cut.corners[i];
        const Point b = cut.corners[(i + 1) % n];
        clipTo(rest, a, b, false, outside);
        if (thickness(outside) > sliver) out.push_back(withBounds(outside));
        clipTo(rest, a, b, true, next);
        rest.swap(next);
    }
    return true;
}

}  // namespace zivek::workpiece
