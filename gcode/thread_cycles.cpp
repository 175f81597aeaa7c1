// Threading cycles expanded into their passes: Fanuc G76 (two blocks, or the one-block
// form of older controls and Haas) and LinuxCNC G76.

#include <algorithm>
#include <cmath>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// A thread of more passes than this is a typing error, not a thread.
constexpr int kMaxThreadPasses = 1000;

double degrees(double a) {
    return std::isfinite(a) ? std::tan(std::clamp(a, 0.0, 89.0) * std::acos(-1.0) / 180) : 0;
}

}  // namespace

// Fanuc's pass: in to the depth (along the flank with a compound angle), along the
// thread, out at 45° over the chamfer, straight out, back to the start.
void Interpreter::threadPass(const ThreadPass& t, double depth) {
    const std::uint8_t c = kFromCycle;
    const double shift = t.dir * depth * t.flank;
    const double xCut = t.crest - t.side * depth;
    const double zEnd = t.zEnd - t.dir * t.height * t.flank + shift;
    go(MoveKind::Rapid, {t.start.z + shift, xCut + t.taper}, c, t.lead);
    if (t.pullOut > 0) {
        go(MoveKind::Feed, {zEnd - t.dir * t.pullOut, xCut}, c | kThread, t.lead);
        go(MoveKind::Feed, {zEnd, xCut + t.side * t.pullOut}, c | kThread, t.lead * std::sqrt(2.0));
    } else {
        go(MoveKind::Feed, {zEnd, xCut}, c | kThread, t.lead);
    }
    go(MoveKind::Rapid, {zEnd, t.start.x}, c, t.lead);
    go(MoveKind::Rapid, t.start, c, t.lead);
}

void Interpreter::fanucG76() {
    const bool secondBlock = hasAxis();
    if (!secondBlock) {
        // G76 P(mm rr aa) Q(least depth) R(finishing allowance)
        if (b_.has('P')) {
            const double p = b_.use('P');
            threadFinishPasses_ = std::clamp(int(std::fmod(std::floor(p / 10000), 100)), 1, 99);
            threadChamfer_ = std::fmod(std::floor(p / 100), 100) / 10;
            threadAngle_ = std::fmod(p, 100);
        }
        if (b_.has('Q')) threadMinDepth_ = b_.lengthInIncrements('Q');
        if (b_.has('R')) threadAllowance_ = std::abs(b_.lengthInIncrements('R'));
        return;
    }
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    ThreadPass t;
    t.taper = b_.has('R') ? b_.length('R') : 0;  // a radius in either X mode
    // Two-block form: P thread height, Q first depth; one-block form: K, D and A.
    double height = 0, first = 0, angle = threadAngle_;
    double chamfer = threadChamfer_;
    if (b_.has('P') || b_.has('Q')) {
        height = b_.has('P') ? std::abs(b_.lengthInIncrements('P')) : 0;
        first = b_.has('Q') ? std::abs(b_.lengthInIncrements('Q')) : 0;
    } else {
        height = b_.has('K') ? std::abs(b_.lengthInIncrements('K')) : 0;
        first = b_.has('D') ? std::abs(b_.lengthInIncrements('D')) : 0;
        angle = b_.has('A') ? b_.use('A') : 0;
        chamfer = 0;
    }
    t.lead = m_.feed;
    if (!(knownZ_ && knownX_ && kz && kx)) {
        warn(Warning::UnknownStart);
        return;
    }
    if (!(t.lead > 0)) warn(Warning::ThreadWithoutLead);
    if (!(height > 0) || !(first > 0)) {
        warn(Warning::CycleIncomplete, "G76");
        ++out_.summary.incompleteCycles;
        go(MoveKind::Feed, to, kFromCycle | kThread | kIncomplete, t.lead);
        go(MoveKind::Rapid, {to.z, pos_.x}, kFromCycle, t.lead);
        return;
    }
    t.start = pos_;
    // X names the root; the crest lies a thread height towards the start.
    t.side = t.start.x >= to.x ? 1.0 : -1.0;
    t.dir = to.z < t.start.z ? -1.0 : 1.0;
    t.crest = to.x + t.side * height;
    t.zEnd = to.z;
    t.height = height;
    // The tool goes in along one flank: half its angle from the radial.
    t.flank = degrees(angle / 2);
    t.pullOut = chamfer * std::max(t.lead, 0.0);
    const double rough = std::max(height - threadAllowance_, 0.0);
    double depth = 0;
    for (int n = 1; n <= kMaxThreadPasses; ++n) {
        double next = first * std::sqrt(double(n));
        next = std::max(next, depth + threadMinDepth_);
        if (next >= rough || n == kMaxThreadPasses) {
            if (n == kMaxThreadPasses) warn(Warning::ExpansionLimit, "G76");
            if (rough > depth) threadPass(t, rough);
            break;
        }
        depth = next;
        threadPass(t, depth);
    }
    for (int i = 0; i < threadFinishPasses_; ++i) threadPass(t, height);
}

void Interpreter::linuxG76() {
    // G76 P(pitch) Z(end) I(peak offset) J(first depth) K(full depth) R(degression)
    // Q(compound angle) H(spring passes) E(taper length along Z) L(which ends taper)
    for (const char c : {'X', 'U'})
        if (b_.has(c)) b_.use(c);
    const double xs = m_.xScale();
    const double pitch = b_.has('P') ? b_.length('P') : 0;
    const double peak = b_.has('I') ? b_.length('I') / xs : 0;
    const double first = b_.has('J') ? std::abs(b_.length('J')) / xs : 0;
    const double full = b_.has('K') ? std::abs(b_.length('K')) / xs : 0;
    const double degression = b_.has('R') ? b_.use('R') : 1;
    const double spring = b_.has('H') ? b_.use('H') : 0;
    const double flank = degrees(b_.has('Q') ? b_.use('Q') : 0);
    const double taperLength = b_.has('E') ? std::abs(b_.length('E')) : 0;
    const int ends = b_.has('L') ? int(std::clamp(b_.use('L'), 0.0, 3.0)) : 0;
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    const Point start = pos_;
    double zEnd = start.z;
    if (b_.has('Z')) {
        zEnd = b_.length('Z');
    } else if (b_.has('W')) {
        zEnd = start.z + b_.length('W');
    }
    if (!(pitch > 0)) warn(Warning::ThreadWithoutLead);
    if (!(first > 0) || !(full > 0) || !(degression >= 1) || !std::isfinite(zEnd)) {
        warn(Warning::CycleIncomplete, "G76");
        ++out_.summary.incompleteCycles;
        go(MoveKind::Feed, {zEnd, start.x + peak}, kFromCycle | kThread | kIncomplete, pitch);
        go(MoveKind::Rapid, start, kFromCycle, pitch);
        return;
    }
    // A negative I cuts an outside thread: deeper passes go towards the axis, and the
    // tool waits farther out the less deep the pass.
    const double side = peak < 0 ? -1.0 : 1.0;
    const double dir = zEnd < start.z ? -1.0 : 1.0;
    const std::uint8_t c = kFromCycle, th = kFromCycle | kThread;
    const double taperLead = pitch * std::hypot(taperLength, full) / std::max(taperLength, 1e-12);
    auto pass = [&](double depth) {
        const double cut = start.x + peak + side * depth;
        const double out = start.x - side * (full - depth);
        // Along the flank: each pass is the last one moved back by its missing depth.
        const double z0 = start.z + dir * depth * flank;
        const double z1 = zEnd + dir * (depth - full) * flank;
        go(MoveKind::Rapid, {z0, out}, c, pitch);
        if (ends & 1) {
            go(MoveKind::Feed, {z0, cut - side * full}, th, taperLead);
            go(MoveKind::Feed, {z0 + dir * taperLength, cut}, th, taperLead);
        } else {
            go(MoveKind::Rapid, {z0, cut}, c, pitch);
        }
        if (ends & 2) {
            go(MoveKind::Feed, {z1 - dir * taperLength, cut}, th, pitch);
            go(MoveKind::Feed, {z1, cut - side * full}, th, taperLead);
        } else {
            go(MoveKind::Feed, {z1, cut}, th, pitch);
        }
        go(MoveKind::Rapid, {z1, out}, c, pitch);
    };
    for (int n = 1;; ++n) {
        const double depth = first * std::pow(double(n), 1 / degression);
        if (depth >= full || n >= kMaxThreadPasses) {
            if (n >= kMaxThreadPasses) warn(Warning::ExpansionLimit, "G76");
            break;
        }
        pass(depth);
    }
    const int passes = 1 + int(std::clamp(spring, 0.0, double(kMaxThreadPasses)));
    for (int i = 0; i < passes; ++i) pass(full);
    go(MoveKind::Rapid, {zEnd, start.x}, c, pitch);
}

}  // namespace zivek::gcode
