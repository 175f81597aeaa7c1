#include "gcode/single_cycles.h"

namespace zivek::gcode {

CyclePlan planSingleCycle(Motion kind, Point start, Point to, double taper, double feed) {
    const Point s = start;
    const double r = taper;
    CyclePlan p(start);
    switch (kind) {
        case Motion::TurningCycle:  // turning: in, along (a taper with R), out, back
            p.go(MoveKind::Rapid, {s.z, to.x + r}, feed);
            p.go(MoveKind::Feed, to, feed);
            p.go(MoveKind::Feed, {to.z, s.x}, feed);
            p.go(MoveKind::Rapid, s, feed);
            break;
        case Motion::ThreadingCycle:  // threading: the same square with a thread along Z
            p.go(MoveKind::Rapid, {s.z, to.x + r}, feed);
            p.go(MoveKind::Feed, to, feed, kThread);
            p.go(MoveKind::Rapid, {to.z, s.x}, feed);
            p.go(MoveKind::Rapid, s, feed);
            break;
        default:  // facing: along Z, across, back along Z, out
            p.go(MoveKind::Rapid, {to.z + r, s.x}, feed);
            p.go(MoveKind::Feed, to, feed);
            p.go(MoveKind::Feed, {s.z, to.x}, feed);
            p.go(MoveKind::Rapid, s, feed);
    }
    return p;
}

}  // namespace zivek::gcode
