// LinuxCNC's drilling cycles along Z, as a lathe drills on its axis: G81 (drill), G82
// (drill and dwell), G83 (peck, out to the retract plane between pecks), G73 (peck,
// breaking the chip), G85 (feed out), G89 (dwell, feed out). Each block:
//   - below the retract plane R, the tool first rises to it;
//   - a rapid to the hole's X, then down to R;
//   - the cycle's own moves to the bottom Z;
//   - out to the clear plane: R under G99, the higher of R and where the block began
//     under G98.
// Under G91, R counts from where the block began, Z from R, and X from each hole to the
// next of the L repeats. Z, R, Q and P hold for the blocks that follow in the cycle.

#include <algorithm>
#include <cmath>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// How far above the last depth a peck starts again: 0.010 inch.
constexpr double kPeckClearanceInch = 0.010;

}  // namespace

void Interpreter::drillCycle() {
    DrillCycle& d = drill_;
    if (b_.has('Z')) d.z = b_.use('Z');
    if (b_.has('R')) d.r = b_.use('R');
    if (b_.has('Q')) d.q = std::abs(b_.use('Q'));
    if (b_.has('P')) b_.use('P');  // a dwell: no move
    const double repeats = b_.has('L') ? std::floor(b_.use('L')) : 1;
    if (b_.has('X')) b_.use('X');
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    const Motion code = m_.motion;
    // A run of cycle blocks, one after the other, keeps the height it began at.
    if (!isDrilling(d.motionBefore)) d.initialZ = pos_.z;
    const double r = m_.incremental ? pos_.z + d.r : d.r;
    const double bottom = m_.incremental ? r + d.z : d.z;
    const double clear = d.retractToStart ? std::max(d.initialZ, r) : r;
    const double clearance = m_.inch ? kPeckClearanceInch : kPeckClearanceInch * 25.4;
    if ((code == Motion::PeckDrill || code == Motion::DeepPeckDrill) && !(d.q > 0)) {
        warn(Warning::CycleIncomplete, "Q");
        return;
    }
    const std::uint8_t c = kFromCycle;
    const double feed = m_.feed;
    // A run that began below R rises to it at each block, in place (from R itself too,
    // then a move of no length, as LinuxCNC 2.9 makes it).
    if (d.initialZ < r) go(MoveKind::Rapid, {r, pos_.x}, c, feed);
    for (double n = 0; n < repeats && n < 1e4 && !stop_; ++n) {
        double x = pos_.x;
        if (b_.has('X')) x = (m_.incremental ? pos_.x : 0.0) + b_.get('X') / m_.xScale();
        // Over to the hole above R where the tool stands, else at the clear plane.
        const double over = n == 0 && pos_.z > r ? pos_.z : clear;
        go(MoveKind::Rapid, {over, x}, c, feed);
        if (over != r) go(MoveKind::Rapid, {r, x}, c, feed);
        if (code == Motion::PeckDrill || code == Motion::DeepPeckDrill) {
            for (double depth = r; depth > bottom && !stop_;) {
                depth = std::max(depth - d.q, bottom);
                go(MoveKind::Feed, {depth, x}, c, feed);
                if (depth <= bottom) break;
                if (code == Motion::DeepPeckDrill) go(MoveKind::Rapid, {r, x}, c, feed);
                go(MoveKind::Rapid, {depth + clearance, x}, c, feed);
            }
        } else {
            go(MoveKind::Feed, {bottom, x}, c, feed);
        }
        if (code == Motion::BoreDwell) {
            go(MoveKind::Feed, {clear, x}, c, feed);  // out at the feed, all the way
        } else {
            if (code == Motion::Bore) go(MoveKind::Feed, {r, x}, c, feed);
            go(MoveKind::Rapid, {clear, x}, c, feed);
        }
    }
}

}  // namespace zivek::gcode
