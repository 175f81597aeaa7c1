// LinuxCNC's G70-G72 on a subroutine contour: G7x Q(sub) X Z D E P I R U W. The words
// of the block give the start, so the cycle needs no known position before it.

#include <algorithm>
#include <cmath>
#include <string>

#include "gcode/g7x_planner.h"
#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// G71.1 roughs the outline and leaves the pockets; G71.2 cuts only those pockets.
G7xPart partOf(GCode code) {
    if (code == GCode::G71_1 || code == GCode::G72_1) return G7xPart::NoPockets;
    if (code == GCode::G71_2 || code == GCode::G72_2) return G7xPart::OnlyPockets;
    return G7xPart::All;
}

// Where the contour's last move that goes anywhere ends.
Point lastEnd(const std::vector<Segment>& contour) {
    for (auto s = contour.rbegin(); s != contour.rend(); ++s)
        if (!(s->move.from == s->move.to)) return s->move.to;
    return contour.back().move.to;
}

// LinuxCNC refuses an arc whose end lies off the circle through its start by more than
// this (in the units in force), unless the difference is within 0.1% of the radius.
constexpr double kArcToleranceMm = 2 * 0.01 * 1.4142135623730951;
constexpr double kArcToleranceInch = 2 * 0.001 * 1.4142135623730951;

bool arcAccepted(Point from, Point to, Point center, double tolerance) {
    const double r1 = std::hypot(from.z - center.z, from.x - center.x);
    const double r2 = std::hypot(to.z - center.z, to.x - center.x);
    const double error = std::abs(r1 - r2);
    return !(error > tolerance * 100) && !(error / std::max(r1, r2) > 0.001 && error > tolerance);
}

G7xKind kindOf(GCode code) {
    if (code == GCode::G70) return G7xKind::Finish;
    if (code == GCode::G72 || code == GCode::G72_1 || code == GCode::G72_2) return G7xKind::Face;
    return G7xKind::Rough;
}

}  // namespace

void Interpreter::linuxG7x(GCode code) {
    G7xRequest r;
    r.kind = kindOf(code);
    r.part = partOf(code);
    const std::string name = nameOf(code);
    const double xs = m_.xScale();
    auto length = [this](char c, double fallback) {
        return b_.has(c) ? b_.length(c) : fallback * b_.lengthScale;
    };
    r.stock = length('D', 0);
    r.lastStock = length('E', 0);
    r.passes = b_.has('P') ? b_.use('P') : 1;
    r.depth = length('I', 1);
    r.retract = length('R', 0.5);
    r.shift = {length('W', 0), length('U', 0)};
    const bool kz = b_.has('Z') || knownZ_, kx = b_.has('X') || knownX_;
    // LinuxCNC 2.9 makes the cycle's first rapid with absolute coordinates in force, so
    // under G91 it goes to the block's X and Z read as absolute (the passes start right).
    const Point firstRapid{b_.has('Z') ? b_.length('Z') : pos_.z,
                           b_.has('X') ? b_.length('X') / xs : pos_.x};
    // Under G91 the cycle's X and Z are steps from where the tool is, as its contour's are.
    const Point from = m_.incremental ? pos_ : Point{};
    r.start = {b_.has('Z') ? from.z + b_.length('Z') : pos_.z,
               b_.has('X') ? from.x + b_.length('X') / xs : pos_.x};
    if (!b_.has('Q')) {
        warn(Warning::CycleMissingContour, name);
        return;
    }
    const double q = b_.use('Q');
    if (!kz || !kx || (b_.lost & (Block::bit('X') | Block::bit('Z')))) {
        warn(Warning::UnknownStart);
        return;
    }
    if (!std::isfinite(r.start.x) || !std::isfinite(r.start.z)) {
        warn(Warning::OutOfRange);
        return;
    }
    // The contour is read from the cycle's start, as LinuxCNC reads it.
    const Point before = pos_;
    const bool knewZ = knownZ_, knewX = knownX_, zeroStart = zeroStart_;
    pos_ = r.start;
    knownZ_ = knownX_ = true;
    zeroStart_ = false;
    std::vector<Segment> captured;
    const bool found = std::abs(q) < 1e9 &&
                       captureSub(std::to_string(static_cast<long long>(std::lround(q))), captured);
    pos_ = before;
    knownZ_ = knewZ;
    knownX_ = knewX;
    zeroStart_ = zeroStart;
    if (!found) return;
    std::vector<ContourPiece> contour;
    contour.reserve(captured.size());
    for (const Segment& s : captured)
        contour.push_back({s.move.from, s.move.to, s.center, s.arc, s.ccw, s.fillet, s.chamfer});
    if (contour.empty()) {
        warn(Warning::CycleMissingContour, name);
        return;
    }
    std::vector<PlannedMove> planned;
    std::string reason;
    const bool plannedWhole = planG7x(contour, r, planned, reason, budget_);
    if (reason == "limit") warn(Warning::ExpansionLimit, name);
    // LinuxCNC goes to the cycle's X and Z before it reads the contour, and makes the
    // passes it can before it refuses one.
    if (planned.empty()) planned.push_back({MoveKind::Rapid, r.start, {}, false, false});
    if (m_.incremental) planned.front().to = firstRapid;
    // After a tool change the path begins at the cycle's first move.
    if (!(knownZ_ && knownX_) || zeroStart_) pos_ = planned.front().to;
    zeroStart_ = false;
    knownZ_ = knownX_ = true;
    finishing_ = r.kind == G7xKind::Finish;
    const double tolerance = (m_.inch ? kArcToleranceInch : kArcToleranceMm) * b_.lengthScale;
    bool stopped = false;
    for (std::size_t i = 0; i < planned.size() && !stopped; ++i) {
        const PlannedMove& p = planned[i];
        // LinuxCNC stops at an arc its offset has made and it cannot draw.
        stopped = p.arc && !arcAccepted(pos_, p.to, p.center, tolerance);
        if (stopped) break;
        add({Move{p.kind, kFromCycle, line_, pos_, p.to, m_.feed}, p.center, p.arc, p.ccw});
        pos_ = p.to;
        // LinuxCNC leaves its current point at the contour's last end once it has read the
        // contour, after the move to the cycle's start: the first pass is compensated
        // from there.
        if (i == 0 && nose_.active()) nose_.standAt(lastEnd(captured));
    }
    finishing_ = false;
    if (stopped) {
        warn(Warning::CycleIncomplete, name);
        ++out_.summary.incompleteCycles;
    } else if (!plannedWhole) {
        contourAsIncomplete(captured, {}, name);
    }
}

}  // namespace zivek::gcode
