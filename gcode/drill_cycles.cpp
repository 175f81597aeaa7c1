#include "gcode/drill_cycles.h"

#include <algorithm>

namespace zivek::gcode {

CyclePlan planDrilling(const DrillRequest& d) {
    CyclePlan p(d.start);
    const Motion code = d.code;
    const bool pecks = code == Motion::PeckDrill || code == Motion::DeepPeckDrill;
    if (pecks && !(d.peck > 0)) {
        p.refuse(CycleRefusal::NoPeckDepth);
        return p;
    }
    const double r = d.r, bottom = d.bottom;
    const double clear = d.retractToStart ? std::max(d.initialZ, r) : r;
    const auto full = [&] { return p.moves.size() > d.workLimit; };
    const Point& at = p.at;
    auto go = [&](MoveKind kind, Point to) { p.go(kind, to, d.feed); };
    // A run that began below R rises to it at each block, in place (from R itself too,
    // then a move of no length, as LinuxCNC 2.9 makes it).
    if (d.initialZ < r) go(MoveKind::Rapid, {r, at.x});
    for (double n = 0; n < d.repeats && n < 1e4 && !full(); ++n) {
        const double x = d.x ? (d.incremental ? at.x : 0.0) + *d.x : at.x;
        // Over to the hole above R where the tool stands, else at the clear plane.
        const double over = n == 0 && at.z > r ? at.z : clear;
        go(MoveKind::Rapid, {over, x});
        if (over != r) go(MoveKind::Rapid, {r, x});
        if (pecks) {
            for (double depth = r; depth > bottom && !full();) {
                depth = std::max(depth - d.peck, bottom);
                go(MoveKind::Feed, {depth, x});
                if (depth <= bottom) break;
                if (code == Motion::DeepPeckDrill) go(MoveKind::Rapid, {r, x});
                go(MoveKind::Rapid, {depth + d.peckClearance, x});
            }
        } else {
            go(MoveKind::Feed, {bottom, x});
        }
        if (code == Motion::BoreDwell) {
            go(MoveKind::Feed, {clear, x});  // out at the feed, all the way
        } else {
            if (code == Motion::Bore) go(MoveKind::Feed, {r, x});
            go(MoveKind::Rapid, {clear, x});
        }
    }
    return p;
}

}  // namespace zivek::gcode
