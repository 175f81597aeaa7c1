// Moves: straight and circular, from unknown positions, machine positions and
// coordinate settings; the path as the moves' destination.

#include <algorithm>
#include <cmath>

#include "gcode/interpreter.h"
#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

constexpr std::uint32_t kXBits = (1u << ('X' - 'A')) | (1u << ('U' - 'A'));
constexpr std::uint32_t kZBits = (1u << ('Z' - 'A')) | (1u << ('W' - 'A'));
// More turns than any program means: a typing error still costs little to measure.
constexpr double kMostTurns = 10000;

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
    to = tool_.at;
    kz = tool_.knownZ;
    kx = tool_.knownX;
    axisTarget('X', 'U', xs, tool_.at.x, to.x, kx);
    axisTarget('Z', 'W', 1.0, tool_.at.z, to.z, kz);
    // An axis given by an expression not computed: where it goes is not known.
    if (b_.lost & kXBits) kx = false;
    if (b_.lost & kZBits) kz = false;
    // A step from an unknown place cannot be drawn; an absolute word only waits for the
    // other axis, as "G0 Z2" before "X40" does.
    incrementalFromUnknown_ = (!tool_.knownX && (b_.has('U') || (m_.incremental && b_.has('X')))) ||
                              (!tool_.knownZ && (b_.has('W') || (m_.incremental && b_.has('Z'))));
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
        const Point from = tool_.drawnFrom() ? tool_.at : to;
        tool_.zeroStart = false;
        add({Move{kind, flags, line_, from, to, f}, {}, false, false});
    } else if (incrementalFromUnknown_ && !unknownStartWarned_) {
        unknownStartWarned_ = true;
        warn(Warning::UnknownStart);
    }
    incrementalFromUnknown_ = false;
    tool_ = {to, kz, kx, tool_.zeroStart};
}

void Interpreter::arc(bool ccw, Point to, bool kz, bool kx) {
    for (const char c : {'I', 'K', 'R', 'J'})
        if (b_.has(c)) b_.use(c);
    // P whole turns, the last one to the end; the control refuses a part of one.
    if (b_.has('P') && (b_.use('P') < 1 || b_.get('P') != std::floor(b_.get('P')))) {
        warn(Warning::BadArc, b_.text[std::size_t('P' - 'A')]);
        moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    if (!(tool_.known() && kz && kx)) {
        moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    // The control's tolerance in the units in force, in the path's units.
    const ArcTolerance tolerance = rules_->arcs.inForce(m_.inch, b_.lengthScale);
    const double scale = b_.lengthScale;
    Point center;
    bool ok = false;
    bool byCentre = false;
    if (b_.has('R')) {
        ok = centerFromRadius(tool_.at, to, b_.get('R') * scale, ccw, tolerance, center) ==
             ArcFault::None;
    } else if (b_.has('I') || b_.has('K')) {
        // I and K lead from the start to the centre, or under G90.1 name it; I is a
        // radius in either X mode.
        const Point from = m_.absoluteCentres ? Point{} : tool_.at;
        center = {from.z + (b_.has('K') ? b_.get('K') * scale : 0),
                  from.x + (b_.has('I') ? b_.get('I') * scale : 0)};
        const ArcFault fault = checkArc(tool_.at, to, center, tolerance);
        ok = fault == ArcFault::None;
        byCentre = fault == ArcFault::RadiiDiffer;
    }
    if (!ok && byCentre && sink_->takesArcsAsWritten()) ok = true;
    if (!ok) {
        warn(Warning::BadArc, b_.has('R')   ? b_.text[std::size_t('R' - 'A')]
                              : b_.has('I') ? b_.text[std::size_t('I' - 'A')]
                              : b_.has('K') ? b_.text[std::size_t('K' - 'A')]
                                            : std::string_view(ccw ? "G3" : "G2"));
        moveTo(MoveKind::Feed, to, kz, kx);
        return;
    }
    Segment s{Move{MoveKind::Feed, 0, line_, tool_.at, to, m_.feed}, center, true, ccw};
    if (b_.has('P')) s.extraTurns = std::uint16_t(std::min(b_.get('P'), kMostTurns) - 1);
    add(s);
    tool_.at = to;
}

void Interpreter::PathSink::take(Segment& s, bool compensable) {
    if (in.nose_.refusesExit(s)) in.warn(CompensationFault::ArcAfterCancel);
    if (in.nose_.active()) {
        // The block's F and S, read before its move, wait behind the moves already waiting.
        if (in.b_.has('F') || in.b_.has('S')) in.nose_.queueSetting();
        // LinuxCNC compensates straight moves, arcs, G33 and G70's passes, and stops at
        // any other cycle, and at a corner the nose cannot take.
        const CompensationFault fault =
            compensable ? in.nose_.move(s) : CompensationFault::OtherMotion;
        if (fault == CompensationFault::None) return;
        in.warn(fault);
        in.nose_.abandon();
    }
    in.emit(s);
}

void Interpreter::emit(Segment& s) {
    if (!spend(1)) return;
    nose_.restart(s.move.from);
    Move& m = s.move;
    if (readingFile()) m.line = fileCallLine_;  // the program's line that called the file
    if (s.arc) {
        m.flags |= kArc;
        out_.arcs.push_back({std::uint32_t(out_.moves.size()), s.center, s.ccw, s.extraTurns});
    }
    if (m.kind == MoveKind::Feed && !m.is(kThread) && !(m.feed > 0) && !(m.from == m.to))
        warn(Warning::NoFeedRate);
    if (m_.perRevolution) m.flags |= kPerRevolution;
    if (m_.constantSurface) m.flags |= kConstantSurface;
    // The spindle in force, where it changes.
    const Spindle now{
        std::uint32_t(out_.moves.size()),
        m_.constantSurface ? m_.speed * m_.surfaceUnit / (pathUnits_.inch ? 25.4 : 1.0) : m_.speed,
        m_.rpmLimit};
    auto& all = out_.spindles;
    if (all.empty() || all.back().speed != now.speed || all.back().rpmLimit != now.rpmLimit)
        all.push_back(now);
    out_.moves.push_back(m);
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
        if (g.code != GCode::G53) tool_.forget();
        return;
    }
    if (x) tool_.knownX = false;
    if (z) tool_.knownZ = false;
}

void Interpreter::setPosition(const GCodeRow&) {
    // Fanuc G50 X Z and LinuxCNC G92 X Z: the tool stays, its coordinates change.
    const double xs = m_.xScale();
    const Point was = tool_.at;
    const bool knewZ = tool_.knownZ, knewX = tool_.knownX;
    if (b_.has('X')) {
        tool_.at.x = b_.length('X') / xs;
        tool_.knownX = true;
    } else if (b_.has('U')) {
        tool_.at.x += b_.length('U') / xs;
    }
    if (b_.has('Z')) {
        tool_.at.z = b_.length('Z');
        tool_.knownZ = true;
    } else if (b_.has('W')) {
        tool_.at.z += b_.length('W');
    }
    if (b_.lost & kXBits) tool_.knownX = false;
    if (b_.lost & kZBits) tool_.knownZ = false;
    // The shift is known where both the old and the new coordinates are.
    g92_.shift = {g92_.shift.z + tool_.at.z - was.z, g92_.shift.x + tool_.at.x - was.x};
    g92_.knownZ = g92_.knownZ && knewZ && tool_.knownZ;
    g92_.knownX = g92_.knownX && knewX && tool_.knownX;
}

void Interpreter::dropPositionShift(const GCodeRow& g) {
    const bool keep = g.code == GCode::G92_2;
    // G92.1 forgets the shift, G92.2 keeps it for G92.3; the tool stays where it is.
    tool_.at = {tool_.at.z - g92_.shift.z, tool_.at.x - g92_.shift.x};
    tool_.knownZ = tool_.knownZ && g92_.knownZ;
    tool_.knownX = tool_.knownX && g92_.knownX;
    g92_ = {{}, keep ? g92_.shift : Point{}, true, true};
}

void Interpreter::restorePositionShift(const GCodeRow&) {
    tool_.at = {tool_.at.z + g92_.kept.z, tool_.at.x + g92_.kept.x};
    g92_.shift = g92_.kept;
}

}  // namespace zivek::gcode
