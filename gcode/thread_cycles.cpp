// Threading cycles expanded into their passes: Fanuc G76 (two blocks, or the one-block
// form of older controls and Haas) and LinuxCNC G76.

#include <algorithm>
#include <cmath>

#include "gcode/interpreter.h"

namespace zivek::backplot {
namespace {

// A thread of more passes than this is a typing error, not a thread.
constexpr int kMaxThreadPasses = 1000;

}  // namespace

void Interpreter::threadPass(Point start, double zEnd, double xCut, double taper, double lead) {
    // In to the depth, along the thread, straight out, back to the start.
    const std::uint8_t c = kFromCycle;
    go(MoveKind::Rapid, {start.z, xCut + taper}, c, lead);
    go(MoveKind::Feed, {zEnd, xCut}, c | kThread, lead);
    go(MoveKind::Rapid, {zEnd, start.x}, c, lead);
    go(MoveKind::Rapid, start, c, lead);
}

void Interpreter::fanucG76() {
    const bool secondBlock = hasAxis();
    if (!secondBlock) {
        // G76 P(mm rr aa) Q(least depth) R(finishing allowance)
        if (b_.has('P')) {
            const double p = b_.use('P');
            threadFinishPasses_ = std::clamp(int(std::fmod(std::floor(p / 10000), 100)), 1, 99);
            // The chamfer and the tool angle (rr aa) only tilt the infeed: not drawn.
        }
        if (b_.has('Q')) threadMinDepth_ = valueInIncrements('Q');
        if (b_.has('R')) threadAllowance_ = std::abs(valueInIncrements('R'));
        return;
    }
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    const double taper = b_.has('R') ? b_.use('R') : 0;
    // Two-block form: P thread height, Q first depth; one-block form: K and D.
    double height = 0, first = 0;
    if (b_.has('P') || b_.has('Q')) {
        height = b_.has('P') ? std::abs(valueInIncrements('P')) : 0;
        first = b_.has('Q') ? std::abs(valueInIncrements('Q')) : 0;
    } else {
        height = b_.has('K') ? std::abs(valueInIncrements('K')) : 0;
        first = b_.has('D') ? std::abs(valueInIncrements('D')) : 0;
        if (b_.has('A')) b_.use('A');
    }
    const double lead = m_.feed;
    if (!(knownZ_ && knownX_ && kz && kx)) {
        warn(Warning::UnknownStart);
        return;
    }
    if (!(lead > 0)) warn(Warning::ThreadWithoutLead);
    if (!(height > 0) || !(first > 0)) {
        warn(Warning::CycleIncomplete, "G76");
        ++out_.summary.incompleteCycles;
        go(MoveKind::Feed, to, kFromCycle | kThread | kIncomplete, lead);
        go(MoveKind::Rapid, {to.z, pos_.x}, kFromCycle, lead);
        return;
    }
    const Point start = pos_;
    // X names the root; the crest lies a thread height towards the start.
    const double side = start.x >= to.x ? 1.0 : -1.0;
    const double crest = to.x + side * height;
    const double rough = std::max(height - threadAllowance_, 0.0);
    double depth = 0;
    for (int n = 1; n <= kMaxThreadPasses; ++n) {
        double next = first * std::sqrt(double(n));
        next = std::max(next, depth + threadMinDepth_);
        if (next >= rough || n == kMaxThreadPasses) {
            if (n == kMaxThreadPasses) warn(Warning::ExpansionLimit, "G76");
            if (rough > depth) threadPass(start, to.z, crest - side * rough, taper, lead);
            break;
        }
        depth = next;
        threadPass(start, to.z, crest - side * depth, taper, lead);
    }
    for (int i = 0; i < threadFinishPasses_; ++i)
        threadPass(start, to.z, crest - side * height, taper, lead);
}

void Interpreter::linuxG76() {
    // G76 P(pitch) Z(end) I(peak offset) J(first depth) K(full depth) R(degression)
    // Q(compound angle) H(spring passes) E/L(tapered ends, not drawn)
    for (const char c : {'Q', 'E', 'L', 'X', 'U'})
        if (b_.has(c)) b_.use(c);
    const double xs = m_.xScale();
    const double pitch = b_.has('P') ? b_.use('P') : 0;
    const double peak = b_.has('I') ? b_.use('I') / xs : 0;
    const double first = b_.has('J') ? std::abs(b_.use('J')) / xs : 0;
    const double full = b_.has('K') ? std::abs(b_.use('K')) / xs : 0;
    const double degression = b_.has('R') ? b_.use('R') : 1;
    const double spring = b_.has('H') ? b_.use('H') : 0;
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    const Point start = pos_;
    double zEnd = start.z;
    if (b_.has('Z')) {
        zEnd = b_.use('Z');
    } else if (b_.has('W')) {
        zEnd = start.z + b_.use('W');
    }
    if (!(pitch > 0)) warn(Warning::ThreadWithoutLead);
    if (!(first > 0) || !(full > 0) || !(degression >= 1) || !std::isfinite(zEnd)) {
        warn(Warning::CycleIncomplete, "G76");
        ++out_.summary.incompleteCycles;
        go(MoveKind::Feed, {zEnd, start.x + peak}, kFromCycle | kThread | kIncomplete, pitch);
        go(MoveKind::Rapid, start, kFromCycle, pitch);
        return;
    }
    // A negative I cuts an outside thread: deeper passes go towards the axis.
    const double side = peak < 0 ? 1.0 : -1.0;
    const double crest = start.x + peak;
    for (int n = 1;; ++n) {
        const double depth = first * std::pow(double(n), 1 / degression);
        if (depth >= full || n >= kMaxThreadPasses) {
            if (n >= kMaxThreadPasses) warn(Warning::ExpansionLimit, "G76");
            break;
        }
        threadPass(start, zEnd, crest - side * depth, 0, pitch);
    }
    const int passes = 1 + int(std::clamp(spring, 0.0, double(kMaxThreadPasses)));
    for (int i = 0; i < passes; ++i) threadPass(start, zEnd, crest - side * full, 0, pitch);
}

}  // namespace zivek::backplot
