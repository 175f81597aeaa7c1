#include "gcode/thread_cycles.h"

#include <algorithm>
#include <cmath>

namespace zivek::gcode {
namespace {

// A thread of more passes than this is a typing error, not a thread.
constexpr int kMaxThreadPasses = 1000;

double tangentOf(double degrees) {
    return std::isfinite(degrees) ? std::tan(std::clamp(degrees, 0.0, 89.0) * std::acos(-1.0) / 180)
                                  : 0;
}

// Fanuc's pass: in to the depth (along the flank with a compound angle), along the
// thread, out at 45° over the chamfer, straight out, back to the start.
struct FanucPass {
    Point start;
    double crest = 0;    // X of the thread's crest
    double zEnd = 0;     // Z where the last pass ends
    double side = 1;     // +1 when deeper passes go towards the axis
    double dir = -1;     // the way along Z the thread runs
    double height = 0;   // the full depth of the thread
    double flank = 0;    // tan of the infeed angle from the radial
    double taper = 0;    // X at the start less X at the end, as a radius
    double pullOut = 0;  // the 45° chamfer's length at the thread's end
    double lead = 0;

    void cut(CyclePlan& p, double depth) const {
        const double shift = dir * depth * flank;
        const double xCut = crest - side * depth;
        const double end = zEnd - dir * height * flank + shift;
        p.go(MoveKind::Rapid, {start.z + shift, xCut + taper}, lead);
        if (pullOut > 0) {
            p.go(MoveKind::Feed, {end - dir * pullOut, xCut}, lead, kThread);
            p.go(MoveKind::Feed, {end, xCut + side * pullOut}, lead * std::sqrt(2.0), kThread);
        } else {
            p.go(MoveKind::Feed, {end, xCut}, lead, kThread);
        }
        p.go(MoveKind::Rapid, {end, start.x}, lead);
        p.go(MoveKind::Rapid, start, lead);
    }
};

}  // namespace

CyclePlan planFanucThread(const FanucThreadRequest& q) {
    CyclePlan p(q.start);
    const Point to = q.to;
    if (!(q.height > 0) || !(q.first > 0)) {
        p.refuse(CycleRefusal::Incomplete);
        p.go(MoveKind::Feed, to, q.lead, kThread | kIncomplete);
        p.go(MoveKind::Rapid, {to.z, q.start.x}, q.lead);
        return p;
    }
    FanucPass t;
    t.start = q.start;
    t.taper = q.taper;
    t.lead = q.lead;
    // X names the root; the crest lies a thread height towards the start.
    t.side = t.start.x >= to.x ? 1.0 : -1.0;
    t.dir = to.z < t.start.z ? -1.0 : 1.0;
    t.crest = to.x + t.side * q.height;
    t.zEnd = to.z;
    t.height = q.height;
    // The tool goes in along one flank: half its angle from the radial.
    t.flank = tangentOf(q.angle / 2);
    t.pullOut = q.chamfer * std::max(t.lead, 0.0);
    const double rough = std::max(q.height - q.allowance, 0.0);
    double depth = 0;
    for (int n = 1; n <= kMaxThreadPasses; ++n) {
        double next = q.first * std::sqrt(double(n));
        next = std::max(next, depth + q.minDepth);
        if (next >= rough || n == kMaxThreadPasses) {
            if (n == kMaxThreadPasses) p.refuse(CycleRefusal::TooManyPasses);
            if (rough > depth) t.cut(p, rough);
            break;
        }
        depth = next;
        t.cut(p, depth);
    }
    for (int i = 0; i < q.finishPasses; ++i) t.cut(p, q.height);
    return p;
}

CyclePlan planLinuxThread(const LinuxThreadRequest& q) {
    CyclePlan p(q.start);
    const Point start = q.start;
    const double zEnd = q.zEnd, pitch = q.pitch, full = q.full * q.unit;
    const double peak = q.peak * q.unit;
    // LinuxCNC refuses a full depth (K) not beyond the first pass's (J).
    if (!(q.first > 0) || !(q.full > q.first) || !(q.degression >= 1) || !std::isfinite(zEnd)) {
        p.refuse(CycleRefusal::Incomplete);
        p.go(MoveKind::Feed, {zEnd, start.x + peak}, pitch, kThread | kIncomplete);
        p.go(MoveKind::Rapid, start, pitch);
        return p;
    }
    // A negative I cuts an outside thread: deeper passes go towards the axis, and the
    // tool waits farther out the less deep the pass.
    const double side = peak < 0 ? -1.0 : 1.0;
    const double dir = zEnd < start.z ? -1.0 : 1.0;
    const double taperLength = q.taperLength;
    const double flank = tangentOf(q.angle);
    const double taperLead = pitch * std::hypot(taperLength, full) / std::max(taperLength, 1e-12);
    auto pass = [&](double depth) {
        const double cut = start.x + peak + side * depth;
        const double out = start.x - side * (full - depth);
        // Along the flank: each pass is the last one moved back by its missing depth.
        const double z0 = start.z + dir * depth * flank;
        const double z1 = zEnd + dir * (depth - full) * flank;
        p.go(MoveKind::Rapid, {z0, out}, pitch);
        if (q.taperedEnds & 1) {
            p.go(MoveKind::Feed, {z0, cut - side * full}, taperLead, kThread);
            p.go(MoveKind::Feed, {z0 + dir * taperLength, cut}, taperLead, kThread);
        } else {
            p.go(MoveKind::Rapid, {z0, cut}, pitch);
        }
        if (q.taperedEnds & 2) {
            p.go(MoveKind::Feed, {z1 - dir * taperLength, cut}, pitch, kThread);
            p.go(MoveKind::Feed, {z1, cut - side * full}, taperLead, kThread);
        } else {
            p.go(MoveKind::Feed, {z1, cut}, pitch, kThread);
        }
        p.go(MoveKind::Rapid, {z1, out}, pitch);
    };
    // Counted as LinuxCNC counts them, depths from the drive line in the units in force:
    // where K is a whole multiple of J the last pass is decided by that rounding.
    const double drive = std::abs(q.peak);
    for (int n = 1;; ++n) {
        const double reached = drive + q.first * std::pow(double(n), 1 / q.degression);
        if (!(reached < drive + q.full) || n >= kMaxThreadPasses) {
            if (n >= kMaxThreadPasses) p.refuse(CycleRefusal::TooManyPasses);
            break;
        }
        pass((reached - drive) * q.unit);
    }
    const int passes = 1 + int(std::clamp(q.spring, 0.0, double(kMaxThreadPasses)));
    for (int i = 0; i < passes; ++i) pass(full);
    p.go(MoveKind::Rapid, {zEnd, start.x}, pitch);
    return p;
}

}  // namespace zivek::gcode
