#include "viewer/screen_segments.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "viewer/reader_names.h"
#include "zivek/gcode/arcs.h"

namespace zivek::backplot {
namespace {

// Clipping leaves a little room so that line ends and pen width at the border still show.
constexpr double kBorder = 4;

std::uint64_t pixelKey(const ScreenSegment& s) {
    // Coordinates are clipped to the window, so after the shift they are positive.
    auto q = [](double v) { return std::uint64_t(v + kBorder + 1.5) & 0xFFFF; };
    std::uint64_t a = (q(s.x1) << 16) | q(s.y1);
    std::uint64_t b = (q(s.x2) << 16) | q(s.y2);
    if (a > b) std::swap(a, b);  // the way back over the same pixels is the same line
    return (a << 32) | b;
}

}  // namespace

bool clipSegment(ScreenSegment& s, double x0, double y0, double x1, double y1) {
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - x0, x1 - s.x1, s.y1 - y0, y1 - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) return false;
    }
    s = {s.x1 + t0 * dx, s.y1 + t0 * dy, s.x1 + t1 * dx, s.y1 + t1 * dy};
    return true;
}

void ScreenSegments::build(const Toolpath& path, const Viewport& view) {
    build(path.moves, &path, view);
}

void ScreenSegments::build(const std::vector<Move>& moves, const Viewport& view) {
    build(moves, nullptr, view);
}

void ScreenSegments::build(const std::vector<Move>& moves, const Toolpath* path,
                           const Viewport& view) {
    rapid_.clear();
    feed_.clear();
    feedTools_.clear();
    incomplete_.clear();
    table_.assign(1024, 0);
    used_ = 0;
    const double right = view.width() + kBorder;
    const double bottom = view.height() + kBorder;
    std::uint32_t tool = 0;  // 1 + the index of the tool change in force
    const std::size_t tools = path != nullptr ? path->tools.size() : 0;
    auto add = [&](ScreenPoint a, ScreenPoint b, const Move& m) {
        ScreenSegment s{a.x, a.y, b.x, b.y};
        if (std::max(s.x1, s.x2) < -kBorder || std::min(s.x1, s.x2) > right ||
            std::max(s.y1, s.y2) < -kBorder || std::min(s.y1, s.y2) > bottom)
            return;
        const bool inside = std::min(s.x1, s.x2) >= -kBorder && std::max(s.x1, s.x2) <= right &&
                            std::min(s.y1, s.y2) >= -kBorder && std::max(s.y1, s.y2) <= bottom;
        if (!inside && !clipSegment(s, -kBorder, -kBorder, right, bottom)) return;
        if (m.is(kIncomplete)) {
            keep(s, incomplete_, 3);
        } else if (m.kind == MoveKind::Rapid) {
            keep(s, rapid_, 1);
        } else if (keep(s, feed_, 2)) {
            feedTools_.push_back(tool);
        }
    };
    // Half a pixel in the drawn picture, in true units.
    const double tolerance = 0.5 / view.scale();
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Move& m = moves[i];
        while (tool < tools && path->tools[tool].firstMove <= i) ++tool;
        const ScreenPoint a = view.toScreen(m.from);
        const ScreenPoint b = view.toScreen(m.to);
        const Arc* arc = path != nullptr && m.is(kArc) ? path->arcOf(i) : nullptr;
        if (arc == nullptr) {
            add(a, b, m);
            continue;
        }
        // An arc whose whole circle lies off screen is not worth its chords.
        const ScreenPoint c = view.toScreen(arc->center);
        const double r = std::sqrt((m.from.z - arc->center.z) * (m.from.z - arc->center.z) +
                                   (m.from.x - arc->center.x) * (m.from.x - arc->center.x)) *
                         view.scale();
        if (c.x + r < -kBorder || c.x - r > right || c.y + r < -kBorder || c.y - r > bottom)
            continue;
        arc_.clear();
        flattenArc(m.from, m.to, arc->center, arc->ccw, tolerance, arc_, 1024);
        ScreenPoint prev = a;
        for (const Point p : arc_) {
            const ScreenPoint next = view.toScreen(p);
            add(prev, next, m);
            prev = next;
        }
    }
}

bool ScreenSegments::keep(ScreenSegment s, std::vector<ScreenSegment>& out, std::uint64_t tag) {
    if (used_ * 2 >= table_.size()) {
        // Grow and re-insert: the table stays at most half full.
        std::vector<std::uint64_t> old(table_.size() * 2, 0);
        old.swap(table_);
        const std::size_t mask = table_.size() - 1;
        for (const std::uint64_t key : old) {
            if (key == 0) continue;
            std::size_t slot = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;
            while (table_[slot] != 0) slot = (slot + 1) & mask;
            table_[slot] = key;
        }
    }
    // The kind goes into the key: a rapid over a cut is still drawn. 0 marks a free slot.
    const std::uint64_t key = (pixelKey(s) & ~(std::uint64_t(3) << 62)) | (tag << 62);
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;
    while (table_[slot] != 0 && table_[slot] != key) slot = (slot + 1) & mask;
    if (table_[slot] == key) return false;
    table_[slot] = key;
    ++used_;
    out.push_back(s);
    return true;
}

}  // namespace zivek::backplot
