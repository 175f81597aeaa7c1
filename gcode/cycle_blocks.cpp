// The cycles' blocks: what each cycle takes from its block and from the state, and how
// its plan is drawn. The planning itself is in the planners (single_cycles.h,
// drill_cycles.h, thread_cycles.h, rough_cycles.h, g7x_planner.h).

#include <algorithm>
#include <cmath>
#include <string>

#include "gcode/drill_cycles.h"
#include "gcode/interpreter.h"
#include "gcode/rough_cycles.h"
#include "gcode/single_cycles.h"
#include "gcode/thread_cycles.h"

namespace zivek::gcode {
namespace {

// How far above the last depth a peck starts again: 0.010 inch.
constexpr double kPeckClearanceInch = 0.010;

std::string numberName(double v) {
    return std::abs(v) < 1e9 ? std::to_string(static_cast<long long>(v)) : std::string("?");
}

}  // namespace

void Interpreter::runCycle(const CyclePlan& plan, std::string_view code) {
    const std::size_t count = plan.moves.size();
    std::size_t alongFrom = 0, alongEnd = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        if (i == plan.refusedAt) tellRefusal(plan.refusal, code);
        if (i == plan.alongFrom) alongFrom = out_.moves.size();
        if (i == plan.alongEnd) alongEnd = out_.moves.size();
        if (i == count) break;
        const CycleMove& p = plan.moves[i];
        if (p.work > 0 && !spend(p.work)) warn(Warning::ExpansionLimit, code);
        // A contour drawn as incomplete is the reader's, not the control's.
        const bool compensable =
            plan.compensable && (plan.refusal == CycleRefusal::None || i < plan.refusedAt);
        add({Move{p.kind, std::uint8_t(p.flags | kFromCycle), line_, p.from, p.to, p.feed},
             p.center, p.arc, p.ccw},
            compensable);
        if (i == 0 && plan.pointAfterFirst && nose_.active()) nose_.standAt(*plan.pointAfterFirst);
    }
    tool_.at = plan.at;
    // Only the program's own lines are shown to be clicked.
    if (contourRead_ && contourRead_->cycleLine == line_ && !readingFile())
        out_.contours.push_back({line_, contourRead_->firstLine, contourRead_->lastLine, alongFrom,
                                 std::max(alongFrom, alongEnd)});
    contourRead_.reset();
}

// The one place a cycle is told incomplete, refused or cut short.
void Interpreter::tellRefusal(CycleRefusal why, std::string_view code) {
    switch (why) {
        case CycleRefusal::None:
            return;
        case CycleRefusal::Incomplete:
            warn(Warning::CycleIncomplete, code);
            ++out_.summary.incompleteCycles;
            return;
        case CycleRefusal::TooManyPasses:
            warn(Warning::ExpansionLimit, code);
            return;
        case CycleRefusal::NoPeckDepth:
            warn(Warning::CycleIncomplete, "Q");
            return;
    }
}

void Interpreter::singleCycle(Motion kind, Point to) {
    // The cycle's end point and taper hold for the blocks after it, which usually give
    // only the next depth.
    SingleCycleSettings& c = cycles_.single;
    if (!b_.has('Z') && !b_.has('W')) to.z = c.end.z;
    if (!b_.has('X') && !b_.has('U')) to.x = c.end.x;
    if (b_.has('R')) c.taper = b_.length('R');
    c.end = to;
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    if (kind == Motion::ThreadingCycle && !(m_.feed > 0)) warn(Warning::ThreadWithoutLead);
    runCycle(planSingleCycle(kind, tool_.at, to, c.taper, m_.feed), {});
}

void Interpreter::drillCycle() {
    DrillSettings& d = cycles_.drill;
    if (b_.has('Z')) d.z = b_.use('Z');
    if (b_.has('R')) d.r = b_.use('R');
    if (b_.has('Q')) d.q = std::abs(b_.use('Q'));
    if (b_.has('P')) b_.use('P');  // a dwell: no move
    DrillRequest r;
    r.repeats = b_.has('L') ? std::floor(b_.use('L')) : 1;
    if (b_.has('X')) b_.use('X');
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    // A run of cycle blocks, one after the other, keeps the height it began at.
    if (!isDrilling(d.motionBefore)) d.initialZ = tool_.at.z;
    r.code = m_.motion;
    r.start = tool_.at;
    r.initialZ = d.initialZ;
    r.r = m_.incremental ? tool_.at.z + d.r : d.r;
    r.bottom = m_.incremental ? r.r + d.z : d.z;
    r.retractToStart = d.retractToStart;
    r.peck = d.q;
    r.peckClearance = m_.inch ? kPeckClearanceInch : kPeckClearanceInch * 25.4;
    if (b_.has('X')) r.x = b_.get('X') / m_.xScale();
    r.incremental = m_.incremental;
    r.feed = m_.feed;
    r.workLimit = budget_;
    runCycle(planDrilling(r), {});
}

void Interpreter::fanucG76() {
    ThreadFirstBlock& first = cycles_.thread;
    if (!hasAxis()) {
        // G76 P(mm rr aa) Q(least depth) R(finishing allowance)
        if (b_.has('P')) {
            const double p = b_.use('P');
            first.finishPasses = std::clamp(int(std::fmod(std::floor(p / 10000), 100)), 1, 99);
            first.chamfer = std::fmod(std::floor(p / 100), 100) / 10;
            first.angle = std::fmod(p, 100);
        }
        if (b_.has('Q')) first.minDepth = b_.lengthInIncrements('Q');
        if (b_.has('R')) first.allowance = std::abs(b_.lengthInIncrements('R'));
        return;
    }
    FanucThreadRequest r;
    bool kz = false, kx = false;
    if (!target(r.to, kz, kx)) return;
    r.taper = b_.has('R') ? b_.length('R') : 0;  // a radius in either X mode
    // Two-block form: P thread height, Q first depth; one-block form: K, D and A.
    r.angle = first.angle;
    r.chamfer = first.chamfer;
    if (b_.has('P') || b_.has('Q')) {
        r.height = b_.has('P') ? std::abs(b_.lengthInIncrements('P')) : 0;
        r.first = b_.has('Q') ? std::abs(b_.lengthInIncrements('Q')) : 0;
    } else {
        r.height = b_.has('K') ? std::abs(b_.lengthInIncrements('K')) : 0;
        r.first = b_.has('D') ? std::abs(b_.lengthInIncrements('D')) : 0;
        r.angle = b_.has('A') ? b_.use('A') : 0;
        r.chamfer = 0;
    }
    r.lead = m_.feed;
    if (!(tool_.known() && kz && kx)) {
        warn(Warning::UnknownStart);
        return;
    }
    if (!(r.lead > 0)) warn(Warning::ThreadWithoutLead);
    r.start = tool_.at;
    r.finishPasses = first.finishPasses;
    r.minDepth = first.minDepth;
    r.allowance = first.allowance;
    runCycle(planFanucThread(r), "G76");
}

void Interpreter::linuxG76() {
    // G76 P(pitch) Z(end) I(peak offset) J(first depth) K(full depth) R(degression)
    // Q(compound angle) H(spring passes) E(taper length along Z) L(which ends taper)
    for (const char c : {'X', 'U'})
        if (b_.has(c)) b_.use(c);
    const double xs = m_.xScale();
    LinuxThreadRequest r;
    r.pitch = b_.has('P') ? b_.length('P') : 0;
    r.peak = b_.has('I') ? b_.use('I') / xs : 0;
    r.first = b_.has('J') ? std::abs(b_.use('J')) / xs : 0;
    r.full = b_.has('K') ? std::abs(b_.use('K')) / xs : 0;
    r.unit = b_.lengthScale;
    r.degression = b_.has('R') ? b_.use('R') : 1;
    r.spring = b_.has('H') ? b_.use('H') : 0;
    r.angle = b_.has('Q') ? b_.use('Q') : 0;
    r.taperLength = b_.has('E') ? std::abs(b_.length('E')) : 0;
    r.taperedEnds = b_.has('L') ? int(std::clamp(b_.use('L'), 0.0, 3.0)) : 0;
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    r.start = tool_.at;
    r.zEnd = r.start.z;
    if (b_.has('Z')) {
        r.zEnd = b_.length('Z');
    } else if (b_.has('W')) {
        r.zEnd = r.start.z + b_.length('W');
    }
    if (!(r.pitch > 0)) warn(Warning::ThreadWithoutLead);
    runCycle(planLinuxThread(r), "G76");
}

// The blocks from N<first> to N<Q> (or that one block) that hold a Fanuc cycle's contour.
bool Interpreter::contourLines(double first, std::size_t& from, std::size_t& to) {
    from = lineOfNumber(first, line_);
    to = b_.has('Q') ? lineOfNumber(b_.use('Q'), from) : from;
    if (from < source().lineCount() && to < source().lineCount() && to >= from) {
        contourRead_ = CycleContour{line_, std::uint32_t(from), std::uint32_t(to), 0, 0};
        return true;
    }
    warn(Warning::CycleMissingContour, std::string("N").append(numberName(first)));
    return false;
}

void Interpreter::roughCycle(const GCodeRow& g) {
    if (rules_->cyclesOnSubroutine) {
        linuxG7x(g.code);
        return;
    }
    const bool facing = g.code == GCode::G72 || g.code == GCode::G72_1 || g.code == GCode::G72_2;
    const char letter = facing ? 'W' : 'U';
    RoughingFirstBlock& firstBlock = facing ? cycles_.facing : cycles_.turning;
    if (!b_.has('P')) {
        // Fanuc's first block: G71 U(depth) R(retract), G72 W(depth) R(retract).
        if (b_.has(letter)) firstBlock.depth = std::abs(b_.length(letter));
        if (b_.has('R')) firstBlock.retract = std::abs(b_.length('R'));
        return;
    }
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    // G71 P(first block) Q(last block) U(allowance on X) W(allowance on Z) [D(depth)]
    FanucRoughRequest r;
    r.facing = facing;
    const double first = b_.use('P');
    std::size_t from = 0, to = 0;
    if (!contourLines(first, from, to)) return;
    if (b_.has('U')) r.allowance.x = b_.length('U') / m_.xScale();
    if (b_.has('W')) r.allowance.z = b_.length('W');
    r.depth = b_.has('D') ? std::abs(b_.lengthInIncrements('D')) : firstBlock.depth;
    r.retract = firstBlock.retract;
    std::vector<Segment> contour;
    if (!readContour(from, to + 1, contour)) return;
    // The contour's blocks run in the cycle, not again after it.
    if (to > line_) next_ = to + 1;
    const std::string_view code = facing ? "G72" : "G71";
    if (contour.empty()) {
        warn(Warning::CycleMissingContour, code);
        return;
    }
    // Type II, which also cuts pockets, names both axes in the contour's first block.
    std::vector<Word> words;
    std::vector<BadToken> bad;
    readWords(source().line(from), words, bad);
    bool named[2] = {false, false};
    for (const Word& w : words) {
        if (w.letter == 'X' || w.letter == 'U') named[0] = true;
        if (w.letter == 'Z' || w.letter == 'W') named[1] = true;
    }
    r.pockets = named[0] && named[1];
    r.start = tool_.at;
    r.feed = m_.feed;
    r.workLimit = budget_;
    runCycle(planFanucRoughing(contour, r), code);
}

void Interpreter::finishCycle(const GCodeRow& g) {
    if (rules_->cyclesOnSubroutine) {
        linuxG7x(g.code);
        return;
    }
    if (!tool_.known()) {
        warn(Warning::UnknownStart);
        return;
    }
    // G70 P(first block) Q(last block).
    if (!b_.has('P')) {
        warn(Warning::CycleMissingContour, "G70");
        return;
    }
    std::size_t from = 0, to = 0;
    if (!contourLines(b_.use('P'), from, to)) return;
    std::vector<Segment> contour;
    if (!readContour(from, to + 1, contour)) return;
    if (to > line_) next_ = to + 1;
    CyclePlan plan = planFanucFinishing(contour, tool_.at, m_.feed);
    // Under G41/G42 the control compensates the finishing contour, as written blocks.
    plan.compensable = true;
    runCycle(plan, "G70");
}

}  // namespace zivek::gcode
