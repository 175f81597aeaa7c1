// LinuxCNC's G70-G72 on a subroutine contour: G7x Q(sub) X Z D E P I R U W. The words
// of the block give the start, so the cycle needs no known position before it.

#include <cmath>
#include <string>

#include "gcode/g7x_planner.h"
#include "gcode/interpreter.h"

namespace zivek::backplot {
namespace {

// G71.1 roughs the outline and leaves the pockets; G71.2 cuts only those pockets.
G7xPart partOf(const Block& b) {
    for (const double g : b.gCodes) {
        const long t = std::lround(g * 10);
        if (t == 711 || t == 721) return G7xPart::NoPockets;
        if (t == 712 || t == 722) return G7xPart::OnlyPockets;
    }
    return G7xPart::All;
}

}  // namespace

void Interpreter::linuxG7x(int code) {
    G7xRequest r;
    r.kind = code == 70 ? G7xKind::Finish : code == 72 ? G7xKind::Face : G7xKind::Rough;
    r.part = partOf(b_);
    const std::string name = "G" + std::to_string(code);
    const double xs = m_.xScale();
    auto take = [this](char c, double fallback) { return b_.has(c) ? b_.use(c) : fallback; };
    r.stock = take('D', 0);
    r.lastStock = take('E', 0);
    r.passes = take('P', 1);
    r.depth = take('I', 1);
    r.retract = take('R', 0.5);
    r.shift = {take('W', 0), take('U', 0)};
    const bool kz = b_.has('Z') || knownZ_, kx = b_.has('X') || knownX_;
    r.start = {take('Z', pos_.z), b_.has('X') ? b_.use('X') / xs : pos_.x};
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
    std::vector<PlannedMove> planned;
    std::string reason;
    if (contour.empty() || !planG7x(contour, r, planned, reason, budget_)) {
        if (contour.empty()) {
            warn(Warning::CycleMissingContour, name);
            return;
        }
        if (reason == "limit") warn(Warning::ExpansionLimit, name);
        // LinuxCNC goes to the cycle's X and Z before it refuses the contour.
        if (!(knownZ_ && knownX_) || zeroStart_) pos_ = r.start;
        zeroStart_ = false;
        knownZ_ = knownX_ = true;
        go(MoveKind::Rapid, r.start, kFromCycle, m_.feed);
        contourAsIncomplete(captured, {}, name);
        return;
    }
    // After a tool change the path begins at the cycle's first move.
    if (!(knownZ_ && knownX_) || zeroStart_) pos_ = planned.front().to;
    zeroStart_ = false;
    knownZ_ = knownX_ = true;
    for (const PlannedMove& p : planned) {
        add({Move{p.kind, kFromCycle, line_, pos_, p.to, m_.feed}, p.center, p.arc, p.ccw});
        pos_ = p.to;
    }
}

}  // namespace zivek::backplot
