// What one block sets and what it does: G and M codes, feed, speed and tool, then the
// move, cycle or machine position the block commands.

#include <cmath>
#include <cstdio>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// An M-code's number ×10, or -1 when it is not one.
int tenths(double v) {
    const double t = std::round(v * 10);
    return std::abs(v * 10 - t) < 1e-6 && std::abs(t) < 1e6 ? int(t) : -1;
}

}  // namespace

bool Interpreter::motionOnLine() const {
    for (const double g : b_.gCodes)
        if (const GCodeRow* row = gCodeRow(g); row != nullptr && row->group == ModalGroup::Motion)
            return true;
    return false;
}

bool Interpreter::hasAxis() const {
    const std::uint32_t axes =
        Block::bit('X') | Block::bit('Z') | Block::bit('U') | Block::bit('W');
    return ((b_.present | b_.lost) & axes) != 0;
}

void Interpreter::setUnits(bool inch) {
    m_.inch = inch;
    nose_.setInch(inch);
    if (!unitsFixed_) pathInch_ = inch;
    b_.increment = inch ? 1e-4 : 1e-3;
    b_.lengthScale = inch == pathInch_ ? 1.0 : inch ? 25.4 : 1 / 25.4;
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
    for (const char c : {'D', 'L'})  // the tool, or the nose the reader cannot use
        if (b_.has(c)) b_.use(c);
    char name[16];
    std::snprintf(name, sizeof name, "G%d%s", g.tenths / 10, g.tenths % 10 ? ".1" : "");
    warn(Warning::CompensationNotDrawn, name);
}

// G41.1/G42.1 D L: the nose is on the block, so its path is drawn as the control makes it.
void Interpreter::compensationOn(const GCodeRow& g) {
    if (!rules_->noseFromWords || !b_.has('D') || !(knownZ_ && knownX_) || zeroStart_ ||
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
    if (radius > 0) nose_.start(side, radius, orientation, pos_);
}

void Interpreter::compensationOff(const GCodeRow&) {
    if (!nose_.active()) return;
    // LinuxCNC wants the move that leaves the compensated path straight.
    arcNotAllowed_ = nose_.moved();
    if (const CompensationFault f = nose_.stop(); f != CompensationFault::None)
        warn(Warning::CompensationRefused, faultKey(f));
    drawnFrom_ = nose_.drawnEnd();
}

void Interpreter::setUnitsOf(const GCodeRow& g) {
    setUnits(g.code == GCode::G20);
}

void Interpreter::positionOrLimit(const GCodeRow& g) {
    if (rules_->g50SetsPosition) {
        oneShot_ = &g;
    } else {
        warn(Warning::UnsupportedG, "G50");
    }
}

// Fanuc's single cycles (G-code system A) take over the modal motion when the block
// names axes and no other motion.
void Interpreter::startSingleCycle(const GCodeRow& g) {
    m_.motion = g.motion;
    cycleEnd_ = pos_;
    cycleTaper_ = 0;
}

void Interpreter::absoluteOrTurningCycle(const GCodeRow& g) {
    if (rules_->singleCycles && hasAxis() && !motionOnLine()) {
        startSingleCycle(g);
    } else {
        m_.incremental = false;
    }
}

void Interpreter::setIncremental(const GCodeRow&) {
    m_.incremental = true;
}

void Interpreter::setArcDistance(const GCodeRow& g) {
    m_.absoluteCentres = g.code == GCode::G90_1;
}

void Interpreter::offsetOrThreadingCycle(const GCodeRow& g) {
    if (rules_->g92 == G92Meaning::ThreadCycle ||
        (rules_->g92 == G92Meaning::ThreadCycleWithLead && b_.has('F'))) {
        startSingleCycle(g);
    } else {
        oneShot_ = &g;  // a coordinate offset
    }
}

void Interpreter::perMinuteOrFacingCycle(const GCodeRow& g) {
    if (rules_->singleCycles && hasAxis() && !motionOnLine()) {
        startSingleCycle(g);
    } else {
        m_.perRevolution = false;
    }
}

void Interpreter::setPerRevolution(const GCodeRow&) {
    m_.perRevolution = true;
}

void Interpreter::setSpindleMode(const GCodeRow& g) {
    m_.constantSurface = g.code == GCode::G96;
    if (m_.constantSurface && rules_->g96LimitFromD && b_.has('D')) m_.rpmLimit = b_.use('D');
}

void Interpreter::feedModeOrReturn(const GCodeRow& g) {
    if (rules_->g98g99FeedMode) {
        m_.perRevolution = g.code == GCode::G99;
    } else {
        drill_.retractToStart = g.code == GCode::G98;  // G99 (the default) retracts to R
    }
}

void Interpreter::setDrilling(const GCodeRow& g) {
    if (rules_->drillCycles) {
        m_.motion = g.motion;
    } else {
        warn(Warning::UnsupportedG, nameOf(g.code));
        oneShot_ = &unknownGCode();
    }
}

void Interpreter::cancelDrilling(const GCodeRow&) {
    if (isDrilling(m_.motion)) m_.motion = Motion::None;
}

void Interpreter::applyModes() {
    oneShot_ = nullptr;
    drill_.motionBefore = m_.motion;
    for (const double g : b_.gCodes) {
        const GCodeRow* row = gCodeRow(g);
        if (row == nullptr) {
            // Codes that move the tool in ways not drawn (G73-G75, drilling ...).
            char buf[32];
            std::snprintf(buf, sizeof buf, "G%g", g);
            warn(Warning::UnsupportedG, buf);
            oneShot_ = &unknownGCode();  // its words are its own parameters, not a move
        } else if (row->set != nullptr) {
            (this->*row->set)(*row);
        } else if (row->run != nullptr) {
            oneShot_ = row;
        }
    }
    // Once a block places the tool, the path's units are settled.
    if (hasAxis()) unitsFixed_ = true;
    if (b_.has('F')) m_.feed = b_.length('F');
    if (b_.has('S')) {
        if (oneShot_ != nullptr && oneShot_->code == GCode::G50) {
            m_.rpmLimit = b_.get('S');
        } else {
            m_.speed = b_.get('S');
            m_.surfaceUnit = (m_.inch ? 12.0 : 1000.0) * b_.lengthScale;
        }
    }
    if (b_.has('T')) {
        const double t = b_.get('T');
        // The new tool's tip stands elsewhere; the move that follows starts afresh.
        if (t != m_.tool) knownZ_ = knownX_ = false;
        m_.tool = t;
    }
    for (const double mc : b_.mCodes) {
        const int code = tenths(mc);
        if (code == 60) knownZ_ = knownX_ = false;
        // M73: the subroutine's modes are undone when it returns.
        if (code == 730 && depth_ > 0 && rules_->m73SavesModes) savedModes_[depth_] = m_;
        if (code == 20 || code == 300) {
            if (capture_ != nullptr) {
                returning_ = true;
            } else {
                stop_ = true;
                programEnd_ = true;
            }
        }
        if (code == 990) {
            if (depth_ > 0) {
                returning_ = true;
            } else {
                stop_ = true;
            }
        }
    }
}

void Interpreter::execute() {
    for (const double mc : b_.mCodes) {
        if (tenths(mc) != 980) continue;
        // M98 P1000 L2 (or P21000: twice program 1000).
        double p = b_.has('P') ? b_.use('P') : -1;
        double times = b_.has('L') ? b_.use('L') : b_.has('K') ? b_.use('K') : 1;
        if (p >= 10000 && !b_.has('L') && !b_.has('K')) {
            times = std::floor(p / 10000);
            p = std::fmod(p, 10000);
        }
        const Sub* s = p >= 0 && p < 1e9 ? findSub(std::to_string(long(p))) : nullptr;
        if (s == nullptr) {
            warn(Warning::UnsupportedM, "M98");
        } else if (times >= 1 && times < 1e6) {
            callLines(s->begin, s->end, std::size_t(times));
        }
        return;
    }
    if (oneShot_ != nullptr) {
        (this->*oneShot_->run)(*oneShot_);
        return;
    }
    if (!hasAxis()) return;
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    switch (m_.motion) {
        case Motion::None:
            warn(Warning::NoMotionMode);
            m_.motion = Motion::Rapid;
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case Motion::Rapid:
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case Motion::Feed:
            moveTo(MoveKind::Feed, to, kz, kx);
            return;
        case Motion::ArcClockwise:
        case Motion::ArcCounterClockwise:
            arc(m_.motion == Motion::ArcCounterClockwise, to, kz, kx);
            return;
        case Motion::Thread: {
            const double lead = threadLead();
            if (!(lead > 0)) warn(Warning::ThreadWithoutLead);
            moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
            return;
        }
        case Motion::TurningCycle:
        case Motion::ThreadingCycle:
        case Motion::FacingCycle:
            singleCycle(m_.motion, to);
            return;
        case Motion::PeckDrill:
        case Motion::Drill:
        case Motion::DrillDwell:
        case Motion::DeepPeckDrill:
        case Motion::Bore:
        case Motion::BoreDwell:
            drillCycle();
    }
}

void Interpreter::claimWords(const GCodeRow&) {
    b_.used = b_.present;
}

void Interpreter::dwell(const GCodeRow&) {
    // P, X or U give its time; nothing moves.
    for (const char c : {'P', 'X', 'U'})
        if (b_.has(c)) b_.use(c);
}

void Interpreter::rigidTap(const GCodeRow&) {
    // In to the depth and back out along the same line.
    if (!hasAxis()) return;
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    const Point back = pos_;
    const bool bz = knownZ_, bx = knownX_;
    const double lead = threadLead();
    moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
    moveTo(MoveKind::Feed, back, bz, bx, kThread, lead);
}

void Interpreter::threadCycle(const GCodeRow&) {
    if (nose_.active()) {
        // LinuxCNC then cuts no thread: it feeds straight to the block's end, compensated.
        warn(Warning::CompensationRefused, "thread-cycle");
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
