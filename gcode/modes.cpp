// What the G-codes set as their block's modes are set, and what the codes that act in
// place of a move do: dwell, rigid tapping, the threading cycle.

#include <cmath>
#include <cstdio>

#include "gcode/interpreter.h"

namespace zivek::gcode {

bool Interpreter::motionOnLine() const {
    for (const double g : b_.gCodes)
        if (const GCodeRow* row = gCodeRow(g);
            row != nullptr &&
            (row->group == ModalGroup::Motion || row->group == ModalGroup::CycleCancel))
            return true;
    return false;
}

void Interpreter::setUnits(bool inch) {
    m_.inch = inch;
    pathUnits_.inForceInch = inch;
    if (!pathUnits_.fixed) pathUnits_.inch = out_.inch = inch;
    b_.increment = inch ? 1e-4 : 1e-3;
    const double before = b_.lengthScale;
    b_.lengthScale = inch == pathUnits_.inch ? 1.0 : inch ? 25.4 : 1 / 25.4;
    // The block's F and S are read before its units, as LinuxCNC reads them.
    nose_.switchUnits(before, b_.lengthScale, b_.has('F') || b_.has('S'));
    nose_.setInch(inch, b_.lengthScale);
}

void Interpreter::setPlane(const GCodeRow& g) {
    m_.plane = std::int16_t(g.tenths);
}

void Interpreter::setMotion(const GCodeRow& g) {
    m_.motion = g.motion;
}

void Interpreter::setDiameter(const GCodeRow& g) {
    m_.diameter = g.code == GCode::G7;
    // The program's own X mode is the one its moves begin in.
    if (out_.moves.empty()) out_.diameterMode = m_.diameter;
}

// The tool nose's offset from the programmed path is not computed: a picture that silently
// showed the programmed path as the cut one would mislead, so the line says so.
void Interpreter::compensationNotDrawn(const GCodeRow& g) {
    m_.compensation = std::int16_t(g.tenths / 10 * 10);
    char name[16];
    std::snprintf(name, sizeof name, "G%d%s", g.tenths / 10, g.tenths % 10 ? ".1" : "");
    warn(Warning::CompensationNotDrawn, name);
}

// G41.1/G42.1 D L: the nose is on the block, so its path is drawn as the control makes it.
void Interpreter::compensationOn(const GCodeRow& g) {
    m_.compensation = std::int16_t(g.tenths / 10 * 10);
    if (!rules_->noseFromWords || !b_.has('D') || !tool_.known() || tool_.zeroStart ||
        nose_.active()) {
        compensationNotDrawn(g);
        return;
    }
    double radius = b_.length('D') / 2;
    const int orientation = b_.has('L') ? int(std::lround(b_.use('L'))) : 0;
    NoseSide side = g.code == GCode::G41_1 ? NoseSide::Left : NoseSide::Right;
    // A negative nose is the other side.
    if (radius < 0) {
        radius = -radius;
        side = side == NoseSide::Left ? NoseSide::Right : NoseSide::Left;
    }
    if (!std::isfinite(radius) || radius > kMachineReach) {
        compensationNotDrawn(g);
        return;
    }
    if (radius > 0) nose_.start(side, radius, tipShift(rules_->noseTips, orientation), tool_.at);
}

// G41/G42 with the nose from the user's tool table: the row of the offset number the T
// word selects (T0303: tool 3, offset 3; T3: both 3), else of its tool number.
void Interpreter::compensationFromTable(const GCodeRow& g) {
    const int t = m_.tool >= 0 && m_.tool < 1e6 ? int(m_.tool) : -1;
    const int offset = t >= 100 ? t % 100 : t, number = t >= 100 ? t / 100 : t;
    const ToolEntry* entry = nullptr;
    if (rules_->noseFromToolTable && tools_.table && t >= 0) {
        entry = tools_.table->find(offset);
        if (entry == nullptr) entry = tools_.table->find(number);
    }
    if (entry == nullptr || !tool_.known() || tool_.zeroStart || nose_.active()) {
        compensationNotDrawn(g);
        return;
    }
    const ToolEntry nose = toolInUnits(*entry, tools_.table->inch, pathUnits_.inch);
    if (!std::isfinite(nose.noseRadius) || nose.noseRadius < 0 || nose.noseRadius > kMachineReach) {
        compensationNotDrawn(g);
        return;
    }
    out_.noses.push_back({line_, t, entry->number, nose.noseRadius, entry->tip});
    if (nose.noseRadius == 0) return;
    const NoseSide side = g.code == GCode::G41 ? NoseSide::Left : NoseSide::Right;
    nose_.start(side, nose.noseRadius, tipShift(rules_->noseTips, entry->tip), tool_.at,
                rules_->noseStartSquareToNext);
}

void Interpreter::compensationOff(const GCodeRow&) {
    m_.compensation = 400;
    if (!nose_.active()) return;
    if (const CompensationFault f = nose_.end(); f != CompensationFault::None) warn(f);
}

void Interpreter::setUnitsOf(const GCodeRow& g) {
    setUnits(g.code == GCode::G20);
}

// A code this dialect does not draw.
void Interpreter::notDrawn(const GCodeRow& g) {
    warn(Warning::UnsupportedG, nameOf(g.code));
}

// Fanuc's G50 S: the highest spindle speed, not a speed.
void Interpreter::setSpeedLimit(const GCodeRow&) {
    if (b_.has('S')) m_.rpmLimit = b_.get('S');
}

// Fanuc's single cycles: the motion mode until another motion code.
void Interpreter::startSingleCycle(const GCodeRow& g) {
    m_.motion = g.motion;
    cycles_.single = {tool_.at, 0};
}

void Interpreter::setAbsolute(const GCodeRow&) {
    m_.incremental = false;
}

void Interpreter::setIncremental(const GCodeRow&) {
    m_.incremental = true;
}

void Interpreter::setArcDistance(const GCodeRow& g) {
    m_.absoluteCentres = g.code == GCode::G90_1;
}

void Interpreter::setPerMinute(const GCodeRow&) {
    m_.perRevolution = false;
}

void Interpreter::setPerRevolution(const GCodeRow&) {
    m_.perRevolution = true;
}

void Interpreter::setFeedMode(const GCodeRow& g) {
    m_.perRevolution = g.code == GCode::G99;
}

void Interpreter::setSpindleMode(const GCodeRow& g) {
    m_.constantSurface = g.code == GCode::G96;
    if (m_.constantSurface && rules_->g96LimitFromD && b_.has('D')) m_.rpmLimit = b_.use('D');
}

void Interpreter::setCycleReturn(const GCodeRow& g) {
    cycles_.drill.retractToStart = g.code == GCode::G98;  // G99 (the default) retracts to R
}

void Interpreter::cancelDrilling(const GCodeRow&) {
    if (isDrilling(m_.motion)) m_.motion = Motion::None;
}

void Interpreter::claimWords(const GCodeRow&) {
    b_.used = b_.present;
}

void Interpreter::dwell(const GCodeRow&) {
    // Its words are its time: nothing moves.
}

void Interpreter::rigidTap(const GCodeRow&) {
    // In to the depth and back out along the same line.
    if (!hasAxis()) return;
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    const ToolPosition back = tool_;
    const double lead = threadLead();
    moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
    moveTo(MoveKind::Feed, back.at, back.knownZ, back.knownX, kThread, lead);
}

void Interpreter::threadCycle(const GCodeRow&) {
    if (nose_.active()) {
        // LinuxCNC then cuts no thread: it feeds straight to the block's end, compensated.
        warn(CompensationFault::ThreadCycle);
        for (const char c : {'P', 'I', 'J', 'K', 'R', 'Q', 'H', 'E', 'L'})
            if (b_.has(c)) b_.use(c);
        Point to;
        bool kz = false, kx = false;
        if (target(to, kz, kx)) moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    if (rules_->g76OneBlock || b_.has('I') || b_.has('J')) {
        linuxG76();
    } else {
        fanucG76();
    }
}

double Interpreter::threadLead() {
    // LinuxCNC's G33 takes K; Fanuc's G32/G33 take F, the feed in force.
    if (b_.has('K')) {
        m_.lead = b_.length('K');
    } else if (rules_->leadFromFeed && b_.has('F')) {
        m_.lead = m_.feed;
    } else if (rules_->leadFromFeed && !(m_.lead > 0)) {
        return m_.feed;
    }
    return m_.lead;
}

}  // namespace zivek::gcode
