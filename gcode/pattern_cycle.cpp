#include "gcode/pattern_cycle.h"

#include <algorithm>

namespace zivek::gcode {
namespace {

// More passes than this is a typing error in R.
constexpr int kMaxPatternPasses = 1000;

Point shifted(Point p, Point by) {
    return {p.z + by.z, p.x + by.x};
}

}  // namespace

CyclePlan planPatternRepeat(const std::vector<Segment>& contour, const PatternRequest& q) {
    CyclePlan p(q.start);
    const int passes = std::clamp(q.passes, 1, kMaxPatternPasses);
    if (q.passes > kMaxPatternPasses) p.refuse(CycleRefusal::TooManyPasses);
    for (int k = 1; k <= passes; ++k) {
        const double left = passes > 1 ? double(passes - k) / (passes - 1) : 0;
        const Point shift{q.allowance.z + q.relief.z * left, q.allowance.x + q.relief.x * left};
        // In along the contour's first block, with its own motion unless it is an arc.
        const Segment& in = contour.front();
        p.go(in.arc ? MoveKind::Rapid : in.move.kind, shifted(in.move.to, shift), q.feed);
        // The last pass is the one that runs along the contour, the allowance away.
        p.alongContour([&] {
            for (std::size_t i = 1; i < contour.size(); ++i) {
                const Segment& s = contour[i];
                p.add({s.move.kind, shifted(s.move.from, shift), shifted(s.move.to, shift), q.feed,
                       s.move.flags, shifted(s.center, shift), s.arc, s.ccw, 0});
            }
        });
        p.go(MoveKind::Rapid, q.start, q.feed);
    }
    return p;
}

}  // namespace zivek::gcode
