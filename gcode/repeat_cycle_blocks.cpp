// The blocks of Fanuc's pattern repeat (G73) and grooving cycles (G74, G75): what each
// takes from its two blocks. The planning is in pattern_cycle.h and groove_cycles.h.

#include <cmath>
#include <string>

#include "gcode/groove_cycles.h"
#include "gcode/interpreter.h"
#include "gcode/pattern_cycle.h"

namespace zivek::gcode {

void Interpreter::patternCycle(const GCodeRow&) {
    PatternFirstBlock& first = cycles_.pattern;
    if (!b_.has('P')) {
        // G73 U(Δi, a radius) W(Δk) R(passes)
        if (b_.has('U')) first.relief.x = b_.length('U');
        if (b_.has('W')) first.relief.z = b_.length('W');
        if (b_.has('R')) first.passes = int(std::lround(std::abs(b_.use('R'))));
        return;
    }
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    // G73 P(first block) Q(last block) U(allowance on X) W(allowance on Z)
    PatternRequest r;
    std::size_t from = 0, to = 0;
    if (!contourLines(b_.use('P'), from, to)) return;
    if (b_.has('U')) r.allowance.x = b_.length('U') / m_.xScale();
    if (b_.has('W')) r.allowance.z = b_.length('W');
    std::vector<Segment> contour;
    if (!readContour(from, to + 1, contour)) return;
    // The contour's blocks run in the cycle, not again after it.
    if (to > line_) next_ = to + 1;
    if (contour.empty()) {
        warn(Warning::CycleMissingContour, "G73");
        return;
    }
    r.start = tool_.at;
    r.relief = first.relief;
    r.passes = first.passes;
    r.feed = m_.feed;
    runCycle(planPatternRepeat(contour, r), "G73");
}

void Interpreter::grooveCycle(const GCodeRow& g) {
    // The first block, G74 R(e) or G75 R(e), names no axis and no P or Q.
    if (!hasAxis() && !b_.has('P') && !b_.has('Q')) {
        if (b_.has('R')) cycles_.grooveBack = std::abs(b_.length('R'));
        return;
    }
    // G74 X(U) Z(W) P(Δi) Q(Δk) R(Δd): pecks of Δk along Z, columns Δi apart along X;
    // G75 the same with the axes swapped: pecks of Δi along X, columns Δk apart along Z.
    // Δi and Δd along X are radii.
    GrooveRequest r;
    r.face = g.code == GCode::G74;
    bool kz = false, kx = false;
    if (!target(r.end, kz, kx)) return;
    const double p = b_.has('P') ? std::abs(b_.lengthInIncrements('P')) : 0;
    const double q = b_.has('Q') ? std::abs(b_.lengthInIncrements('Q')) : 0;
    r.peck = r.face ? q : p;
    r.step = r.face ? p : q;
    r.relief = b_.has('R') ? b_.lengthInIncrements('R') : 0;
    r.back = cycles_.grooveBack;
    r.feed = m_.feed;
    if (!(tool_.known() && kz && kx)) {
        warn(Warning::UnknownStart);
        return;
    }
    r.start = tool_.at;
    const std::string code = nameOf(g.code);
    runCycle(planGrooving(r), code);
}

}  // namespace zivek::gcode
