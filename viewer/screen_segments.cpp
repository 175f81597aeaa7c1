#include "viewer/screen_segments.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

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

void ScreenSegments::build(const std::vector<Move>& moves, const Viewport& view) {
    rapidCandidates_.clear();
    feedCandidates_.clear();
    const double right = view.width() + kBorder;
    const double bottom = view.height() + kBorder;
    for (const Move& m : moves) {
        const ScreenPoint a = view.toScreen(m.from);
        const ScreenPoint b = view.toScreen(m.to);
        ScreenSegment s{a.x, a.y, b.x, b.y};
        if (std::max(s.x1, s.x2) < -kBorder || std::min(s.x1, s.x2) > right ||
            std::max(s.y1, s.y2) < -kBorder || std::min(s.y1, s.y2) > bottom)
            continue;
        const bool inside = std::min(s.x1, s.x2) >= -kBorder && std::max(s.x1, s.x2) <= right &&
                            std::min(s.y1, s.y2) >= -kBorder && std::max(s.y1, s.y2) <= bottom;
        if (!inside && !clipSegment(s, -kBorder, -kBorder, right, bottom)) continue;
        auto& into = m.kind == MoveKind::Rapid ? rapidCandidates_ : feedCandidates_;
        into.push_back({s, pixelKey(s)});
    }
    keepUnique(rapidCandidates_, rapid_);
    keepUnique(feedCandidates_, feed_);
}

void ScreenSegments::keepUnique(std::vector<Candidate>& candidates,
                                std::vector<ScreenSegment>& out) {
    out.clear();
    const std::size_t size = std::bit_ceil(candidates.size() * 2 + 2);
    table_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (const Candidate& c : candidates) {
        // 0 marks a free slot; a key of 0 would need all four coordinates at 0.
        const std::uint64_t key = c.key | (std::uint64_t(1) << 63);
        std::size_t slot = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;
        while (table_[slot] != 0 && table_[slot] != key) slot = (slot + 1) & mask;
        if (table_[slot] == key) continue;
        table_[slot] = key;
        out.push_back(c.segment);
    }
}

}  // namespace zivek::backplot
