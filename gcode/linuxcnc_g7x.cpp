// LinuxCNC's G70-G72 on a subroutine contour: G7x Q(sub) X Z D E P I R U W. The words
// of the block give the start, so the cycle needs no known position before it.

#include <algorithm>
#include <cmath>
#include <string>

#include "gcode/cycle_plan.h"
#include "gcode/g7x_planner.h"
#include "gcode/interpreter.h"
#include "zivek/gcode/arcs.h"

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

G7xKind kindOf(GCode code) {
    if (code == GCode::G70) return G7xKind::Finish;
    if (code == GCode::G72 || code == GCode::G72_1 || code == GCode::G72_2) return G7xKind::Face;
    return G7xKind::Rough;
}

// The planner's moves as LinuxCNC draws them from `start`: it stops at an arc its offset
// has made and it cannot draw; a contour it refused is drawn as incomplete after the
// passes it made.
CyclePlan drawnPlan(const std::vector<PlannedMove>& planned, bool whole,
                    const std::vector<Segment>& contour, Point start, double feed,
                    const ArcTolerance& tolerance) {
    CyclePlan plan(start);
    // LinuxCNC leaves its current point at the contour's last end once it has read the
    // contour, after the move to the cycle's start: the first pass is compensated from
    // there.
    plan.pointAfterFirst = lastEnd(contour);
    for (const PlannedMove& p : planned) {
        if (p.arc && checkArc(plan.at, p.to, p.center, tolerance) != ArcFault::None) {
            plan.refuse(CycleRefusal::Incomplete);
            return plan;
        }
        plan.add({p.kind, plan.at, p.to, feed, 0, p.center, p.arc, p.ccw, 0});
    }
    if (whole) return plan;
    plan.refuse(CycleRefusal::Incomplete);
    const Point back = plan.at;
    for (const Segment& c : contour)
        plan.add({c.move.kind, c.move.from, c.move.to, c.move.feed,
                  std::uint8_t(c.move.flags | kIncomplete), c.center, c.arc, c.ccw, 0});
    plan.go(MoveKind::Rapid, back, feed);
    return plan;
}

}  // namespace

void Interpreter::linuxG7x(GCode code) {
    // LinuxCNC plans in the units in force, to tolerances fixed in them, from the numbers
    // as written: so does the planner, and its moves are turned into the path's units.
    const double unit = b_.lengthScale;
    const auto toPath = [unit](Point p) { return Point{p.z * unit, p.x * unit}; };
    G7xRequest r;
    r.kind = kindOf(code);
    r.part = partOf(code);
    const std::string name = nameOf(code);
    const double xs = m_.xScale();
    auto written = [this](char c, double fallback) { return b_.has(c) ? b_.use(c) : fallback; };
    r.stock = written('D', 0);
    r.lastStock = written('E', 0);
    r.passes = written('P', 1);
    r.depth = written('I', 1);
    r.retract = written('R', 0.5);
    r.shift = {written('W', 0), written('U', 0)};
    const bool kz = b_.has('Z') || tool_.knownZ, kx = b_.has('X') || tool_.knownX;
    const Point at{tool_.at.z / unit, tool_.at.x / unit};
    // LinuxCNC 2.9 makes the cycle's first rapid with absolute coordinates in force, so
    // under G91 it goes to the block's X and Z read as absolute (the passes start right).
    const Point firstRapid{b_.has('Z') ? b_.get('Z') : at.z, b_.has('X') ? b_.get('X') / xs : at.x};
    // Under G91 the cycle's X and Z are steps from where the tool is, as its contour's are.
    const Point from = m_.incremental ? at : Point{};
    r.start = {b_.has('Z') ? from.z + b_.use('Z') : at.z,
               b_.has('X') ? from.x + b_.use('X') / xs : at.x};
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
    // The contour is read from the cycle's start, as LinuxCNC reads it, in the units in
    // force.
    const ToolPosition before = tool_;
    tool_ = {r.start, true, true, false};
    b_.lengthScale = 1;
    std::vector<Segment> captured;
    const bool found =
        std::abs(q) < 1e9 &&
        readContourSub(std::to_string(static_cast<long long>(std::lround(q))), captured);
    b_.lengthScale = unit;
    tool_ = before;
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
    const G7xRefusal refusal = planG7x(contour, r, planned, budget_);
    if (refusal == G7xRefusal::Limit) warn(Warning::ExpansionLimit, name);
    // LinuxCNC goes to the cycle's X and Z before it reads the contour, and makes the
    // passes it can before it refuses one.
    if (planned.empty()) planned.push_back({MoveKind::Rapid, r.start, {}, false, false});
    if (m_.incremental) planned.front().to = firstRapid;
    for (PlannedMove& p : planned) {
        p.to = toPath(p.to);
        p.center = toPath(p.center);
    }
    for (Segment& s : captured) {
        s.move.from = toPath(s.move.from);
        s.move.to = toPath(s.move.to);
        s.center = toPath(s.center);
    }
    // After a tool change the path begins at the cycle's first move.
    if (!tool_.drawnFrom()) tool_.at = planned.front().to;
    tool_ = {tool_.at, true, true, false};
    const ArcTolerance tolerance = rules_->arcs.inForce(m_.inch, unit);
    CyclePlan plan =
        drawnPlan(planned, refusal == G7xRefusal::None, captured, tool_.at, m_.feed, tolerance);
    plan.compensable = r.kind == G7xKind::Finish;
    runCycle(plan, name);
}

}  // namespace zivek::gcode
