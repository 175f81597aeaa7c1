// Moves: straight and circular, from unknown positions, machine positions and
// coordinate settings, and Fanuc's single cycles G90, G92 and G94.

#include <cmath>

#include "gcode/interpreter.h"
#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

constexpr std::uint32_t kXBits = (1u << ('X' - 'A')) | (1u << ('U' - 'A'));
constexpr std::uint32_t kZBits = (1u << ('Z' - 'A')) | (1u << ('W' - 'A'));

}  // namespace

// One axis of a move's end: the absolute word (incremental under G91) wins over the
// incremental one, which is then used up and warned.
void Interpreter::axisTarget(char absolute, char incremental, double scale, double at, double& to,
                             bool& known) {
    if (b_.has(absolute)) {
        const double v = b_.length(absolute) / scale;
        if (b_.has(incremental)) {
            warn(Warning::AbsoluteAndIncremental,
                 std::string{absolute} + "/" + std::string{incremental});
            b_.use(incremental);
        }
        if (m_.incremental) {
            to = at + v;
        } else {
            to = v;
            known = true;
        }
    } else if (b_.has(incremental)) {
        to = at + b_.length(incremental) / scale;
    }
}

bool Interpreter::target(Point& to, bool& kz, bool& kx) {
    const double xs = m_.xScale();
    to = pos_;
    kz = knownZ_;
    kx = knownX_;
    axisTarget('X', 'U', xs, pos_.x, to.x, kx);
    axisTarget('Z', 'W', 1.0, pos_.z, to.z, kz);
    // An axis given by an expression not computed: where it goes is not known.
    if (b_.lost & kXBits) kx = false;
    if (b_.lost & kZBits) kz = false;
    // A step from an unknown place cannot be drawn; an absolute word only waits for the
    // other axis, as "G0 Z2" before "X40" does.
    incrementalFromUnknown_ = (!knownX_ && (b_.has('U') || (m_.incremental && b_.has('X')))) ||
                              (!knownZ_ && (b_.has('W') || (m_.incremental && b_.has('Z'))));
    if (!std::isfinite(to.x) || !std::isfinite(to.z)) {
        warn(Warning::OutOfRange);
        return false;
    }
    if (std::abs(to.x) > kMachineReach || std::abs(to.z) > kMachineReach)
        warn(Warning::BeyondReach);
    return true;
}

void Interpreter::moveTo(MoveKind kind, Point to, bool kz, bool kx, std::uint8_t flags,
                         double feed) {
    const double f = std::isnan(feed) ? m_.feed : feed;
    if (kz && kx) {
        // From an unknown position the path begins here: a move of no length marks it.
        const Point from = knownZ_ && knownX_ && !zeroStart_ ? pos_ : to;
        zeroStart_ = false;
        add({Move{kind, flags, line_, from, to, f}, {}, false, false});
    } else if (incrementalFromUnknown_ && !unknownStartWarned_) {
        unknownStartWarned_ = true;
        warn(Warning::UnknownStart);
    }
    incrementalFromUnknown_ = false;
    pos_ = to;
    knownZ_ = kz;
    knownX_ = kx;
}

void Interpreter::go(MoveKind kind, Point to, std::uint8_t flags, double feed) {
    add({Move{kind, flags, line_, pos_, to, feed}, {}, false, false});
    pos_ = to;
}

void Interpreter::arc(bool ccw, Point to, bool kz, bool kx) {
    for (const char c : {'I', 'K', 'R', 'J'})
        if (b_.has(c)) b_.use(c);
    if (!(knownZ_ && knownX_ && kz && kx)) {
        moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    Point center;
    bool ok = false;
    const double scale = b_.lengthScale;
    if (b_.has('R')) {
        ok = centerFromRadius(pos_, to, b_.get('R') * scale, ccw, center);
    } else if (b_.has('I') || b_.has('K')) {
        // I and K lead from the start to the centre, or under G90.1 name it; I is a
        // radius in either X mode.
        const Point from = m_.absoluteCentres ? Point{} : pos_;
        center = {from.z + (b_.has('K') ? b_.get('K') * scale : 0),
                  from.x + (b_.has('I') ? b_.get('I') * scale : 0)};
        const double r1 = std::hypot(pos_.z - center.z, pos_.x - center.x);
        const double r2 = std::hypot(to.z - center.z, to.x - center.x);
        ok = r1 > 0 && std::isfinite(r1) && std::isfinite(r2) &&
             std::abs(r1 - r2) <= 0.002 + 1e-4 * r1;
    }
    if (!ok) {
        warn(Warning::BadArc, b_.has('R')   ? b_.text[std::size_t('R' - 'A')]
                              : b_.has('I') ? b_.text[std::size_t('I' - 'A')]
                              : b_.has('K') ? b_.text[std::size_t('K' - 'A')]
                                            : std::string_view(ccw ? "G3" : "G2"));
        moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    add({Move{MoveKind::Feed, 0, line_, pos_, to, m_.feed}, center, true, ccw});
    pos_ = to;
}

void Interpreter::add(Segment s) {
    if (capture_ != nullptr) {
        if (rules_->contourCorners) {
            if (b_.has('A')) s.fillet = b_.length('A');
            if (b_.has('C')) s.chamfer = b_.length('C');
        }
        capture_->push_back(s);
        return;
    }
    if (s.arc && arcNotAllowed_) warn(Warning::CompensationRefused, "exit-arc");
    arcNotAllowed_ = false;
    if (nose_.active()) {
        // LinuxCNC compensates straight moves, arcs, G33 and G70's passes, and stops at
        // any other cycle, and at a corner the nose cannot take.
        const bool other = s.move.is(kFromCycle) && !finishing_;
        const CompensationFault fault = other ? CompensationFault::OtherMotion : nose_.move(s);
        if (fault == CompensationFault::None) return;
        warn(Warning::CompensationRefused, faultKey(fault));
        (void)nose_.stop();
        drawnFrom_ = nose_.drawnEnd();
    }
    emit(s);
}

void Interpreter::emit(Segment& s) {
    if (!spend(1)) return;
    if (drawnFrom_) {
        s.move.from = *drawnFrom_;
        drawnFrom_.reset();
    }
    Move& m = s.move;
    if (fileDepth_ > 0) m.line = fileCallLine_;  // the program's line that called the file
    if (s.arc) {
        m.flags |= kArc;
        out_.arcs.push_back({std::uint32_t(out_.moves.size()), s.center, s.ccw});
    }
    if (m.kind == MoveKind::Feed && !m.is(kThread) && !(m.feed > 0) && !(m.from == m.to))
        warn(Warning::NoFeedRate);
    if (m_.perRevolution) m.flags |= kPerRevolution;
    if (m_.constantSurface) m.flags |= kConstantSurface;
    recordSpindle();
    out_.moves.push_back(m);
}

void Interpreter::recordSpindle() {
    const Spindle now{std::uint32_t(out_.moves.size()),
                      m_.constantSurface ? m_.speed * m_.surfaceUnit : m_.speed, m_.rpmLimit};
    auto& all = out_.spindles;
    if (all.empty() || all.back().speed != now.speed || all.back().rpmLimit != now.rpmLimit)
        all.push_back(now);
}

void Interpreter::machineMove(const GCodeRow& g) {
    // G28/G30 go home (through an intermediate point), G53 moves in machine
    // coordinates: either way the work coordinates of the named axes are unknown after.
    const std::uint32_t named = b_.present | b_.lost;
    for (const char c : {'X', 'Z', 'U', 'W'})
        if (b_.has(c)) b_.use(c);
    const bool x = named & kXBits;
    const bool z = named & kZBits;
    if (!x && !z) {
        if (g.code != GCode::G53) knownZ_ = knownX_ = false;
        return;
    }
    if (x) knownX_ = false;
    if (z) knownZ_ = false;
}

void Interpreter::setPosition(const GCodeRow&) {
    // Fanuc G50 X Z and LinuxCNC G92 X Z: the tool stays, its coordinates change.
    const double xs = m_.xScale();
    const Point was = pos_;
    const bool knewZ = knownZ_, knewX = knownX_;
    if (b_.has('X')) {
        pos_.x = b_.length('X') / xs;
        knownX_ = true;
    } else if (b_.has('U')) {
        pos_.x += b_.length('U') / xs;
    }
    if (b_.has('Z')) {
        pos_.z = b_.length('Z');
        knownZ_ = true;
    } else if (b_.has('W')) {
        pos_.z += b_.length('W');
    }
    if (b_.lost & kXBits) knownX_ = false;
    if (b_.lost & kZBits) knownZ_ = false;
    // The shift is known where both the old and the new coordinates are.
    g92Shift_ = {g92Shift_.z + pos_.z - was.z, g92Shift_.x + pos_.x - was.x};
    g92ShiftKnownZ_ = g92ShiftKnownZ_ && knewZ && knownZ_;
    g92ShiftKnownX_ = g92ShiftKnownX_ && knewX && knownX_;
}

void Interpreter::dropPositionShift(const GCodeRow& g) {
    const bool keep = g.code == GCode::G92_2;
    // G92.1 forgets the shift, G92.2 keeps it for G92.3; the tool stays where it is.
    pos_ = {pos_.z - g92Shift_.z, pos_.x - g92Shift_.x};
    knownZ_ = knownZ_ && g92ShiftKnownZ_;
    knownX_ = knownX_ && g92ShiftKnownX_;
    g92Kept_ = keep ? g92Shift_ : Point{};
    g92Shift_ = {};
    g92ShiftKnownZ_ = g92ShiftKnownX_ = true;
}

void Interpreter::restorePositionShift(const GCodeRow&) {
    pos_ = {pos_.z + g92Kept_.z, pos_.x + g92Kept_.x};
    g92Shift_ = g92Kept_;
}

void Interpreter::singleCycle(Motion kind, Point to) {
    // The cycle's end point and taper hold for the blocks after it, which usually give
    // only the next depth.
    if (!b_.has('Z') && !b_.has('W')) to.z = cycleEnd_.z;
    if (!b_.has('X') && !b_.has('U')) to.x = cycleEnd_.x;
    if (b_.has('R')) cycleTaper_ = b_.length('R');
    cycleEnd_ = to;
    const double r = cycleTaper_;
    if (!(knownZ_ && knownX_)) {
        warn(Warning::UnknownStart);
        return;
    }
    const Point s = pos_;
    const std::uint8_t c = kFromCycle;
    const double lead = m_.feed;
    switch (kind) {
        case Motion::TurningCycle:  // turning: in, along (a taper with R), out, back
            go(MoveKind::Rapid, {s.z, to.x + r}, c, m_.feed);
            go(MoveKind::Feed, to, c, m_.feed);
            go(MoveKind::Feed, {to.z, s.x}, c, m_.feed);
            go(MoveKind::Rapid, s, c, m_.feed);
            break;
        case Motion::ThreadingCycle:  // threading: the same square with a thread along Z
            if (!(lead > 0)) warn(Warning::ThreadWithoutLead);
            go(MoveKind::Rapid, {s.z, to.x + r}, c, lead);
            go(MoveKind::Feed, to, c | kThread, lead);
            go(MoveKind::Rapid, {to.z, s.x}, c, lead);
            go(MoveKind::Rapid, s, c, lead);
            break;
        default:  // facing: along Z, across, back along Z, out
            go(MoveKind::Rapid, {to.z + r, s.x}, c, m_.feed);
            go(MoveKind::Feed, to, c, m_.feed);
            go(MoveKind::Feed, {s.z, to.x}, c, m_.feed);
            go(MoveKind::Rapid, s, c, m_.feed);
    }
}

}  // namespace zivek::gcode
