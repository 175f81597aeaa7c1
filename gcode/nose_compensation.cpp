// The nose centre's path for each programmed move, corner by corner, with the geometry
// LinuxCNC 2.9 uses, so that the drawing agrees with what its interpreter sends.

#include "gcode/nose_compensation.h"

#include <cmath>
#include <numbers>

#include "zivek/gcode/arcs.h"

namespace zivek::gcode {
namespace {

using C = std::complex<double>;
constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
// Corners within this angle (radians) of straight on count as straight on.
constexpr double kCornerTolerance = 0.05;

C unit(double angle) {
    return std::polar(1.0, angle);
}

double angleOf(C v) {
    return std::atan2(v.imag(), v.real());
}

Point toPoint(C p) {
    return {p.real(), p.imag()};
}

// The angle an arc sweeps from `from` to `to` about `center`, signed by its direction
// (turn > 0 counter-clockwise).
double sweepOf(C from, C center, int turn, C to) {
    const double sweep = arcSweep(toPoint(from), toPoint(to), toPoint(center), turn > 0);
    return turn > 0 ? sweep : -sweep;
}

}  // namespace

const char* faultKey(CompensationFault fault) {
    switch (fault) {
        case CompensationFault::EntryTooShort:
            return "entry";
        case CompensationFault::Gouge:
            return "gouge";
        case CompensationFault::NoseTooLarge:
            return "nose";
        case CompensationFault::OtherMotion:
            return "motion";
        case CompensationFault::BrokenArc:
            return "arc";
        case CompensationFault::PositionRead:
            return "position";
        case CompensationFault::ArcAfterCancel:
            return "exit-arc";
        case CompensationFault::ThreadCycle:
            return "thread-cycle";
        case CompensationFault::None:
            break;
    }
    return "";
}

void NoseCompensation::start(NoseSide side, double radius, TipShift tip, Point at,
                             bool squareToNext) {
    active_ = true;
    first_ = true;
    squareToNext_ = squareToNext;
    startUpWaits_ = false;
    side_ = side;
    radius_ = radius;
    tip_ = tip;
    current_ = programmed_ = {at.z, at.x};
    drawnEnd_ = at;
    queue_.clear();
    endpointValid_ = false;
    settingsWaiting_ = 0;
}

CompensationFault NoseCompensation::stop() {
    CompensationFault fault = CompensationFault::None;
    if (active_ && !first_) {
        fault = moveEndsAndFlush(current_);
        flush();
    }
    active_ = false;
    return fault;
}

void NoseCompensation::drain() {
    flush();
    active_ = false;
}

void NoseCompensation::standAt(Point programmed) {
    current_ = {programmed.z, programmed.x};
}

bool NoseCompensation::insideArc(int turn) const {
    return (side_ == NoseSide::Left && turn > 0) || (side_ == NoseSide::Right && turn < 0);
}

// The tool's control point for a nose centre: the insert's imaginary tip for the
// orientations that have one.
Point NoseCompensation::toolPoint(C nose) const {
    return {nose.real() + tip_.z * radius_, nose.imag() + tip_.x * radius_};
}

void NoseCompensation::setEndpoint(C p) {
    endpoint_ = p;
    endpointValid_ = true;
}

void NoseCompensation::enqueueStraight(const Segment& p, C end, C direction) {
    Waiting w{p, end, {}, direction};
    w.s.arc = false;
    queue_.push_back(w);
}

void NoseCompensation::enqueueArc(const Segment& p, C end, C center, int turn, double sweep) {
    Waiting w{p, end, center, {}, turn, sweep};
    w.s.arc = true;
    w.s.ccw = turn > 0;
    w.s.move.kind = MoveKind::Feed;
    queue_.push_back(w);
}

void NoseCompensation::queueSetting() {
    if (!queue_.empty()) ++settingsWaiting_;
}

void NoseCompensation::switchUnits(double before, double after, bool settingInBlock) {
    if (!active_ || queue_.empty()) return;
    const int entries = int(queue_.size()) + settingsWaiting_ + (settingInBlock ? 1 : 0);
    endpoint_ *= std::pow(before / after, entries - 1);
}

void NoseCompensation::flush() {
    endpointValid_ = false;
    settingsWaiting_ = 0;
    for (Waiting& w : queue_) {
        Segment s = w.s;
        s.move.from = drawnEnd_;
        s.move.to = toolPoint(w.end);
        if (s.arc) s.center = toolPoint(w.center);
        drawnEnd_ = s.move.to;
        sink_(s);
    }
    queue_.clear();
}

// The waiting moves end at `to` instead: an inside corner found by the next move.
CompensationFault NoseCompensation::moveEndsAndFlush(C to) {
    if (queue_.empty()) return CompensationFault::None;
    for (Waiting& w : queue_) {
        if (w.s.arc) {
            // LinuxCNC takes the corner after the first waiting move: behind an insert's
            // shift that can be a line's corner, which an arc cannot end on.
            if (checkArc(toPoint(w.end), toPoint(to), toPoint(w.center), arcEndTolerance_) !=
                ArcFault::None)
                return CompensationFault::BrokenArc;
            const double sweep = sweepOf(endpoint_, w.center, w.turn, to);
            if (w.sweep != 0 && endpointValid_ &&
                std::abs(sweep) > std::abs(w.sweep) + sweepTolerance_)
                return CompensationFault::Gouge;
        } else {
            const C now = to - endpoint_;
            const double dot = w.direction.real() * now.real() + w.direction.imag() * now.imag();
            // Backed up further than the move is long: the path crosses itself.
            if (endpointValid_ && dot < 0) return CompensationFault::Gouge;
        }
        w.end = to;
    }
    flush();
    setEndpoint(to);
    return CompensationFault::None;
}

CompensationFault NoseCompensation::move(const Segment& programmed) {
    const C to{programmed.move.to.z, programmed.move.to.x};
    if (programmed.arc) {
        const C center{programmed.center.z, programmed.center.x};
        return arc(programmed, to, center, programmed.ccw ? 1 : -1);
    }
    return straight(programmed, to);
}

CompensationFault NoseCompensation::straight(const Segment& p, C to) {
    const double r = radius_;
    const C c = current_;
    if (first_) {
        // The entry: a line from the nose tangent to its circle about the programmed end.
        if (std::abs(to - c) <= r) return CompensationFault::EntryTooShort;
        const double alpha = angleOf(to - c) + (side_ == NoseSide::Left ? kHalfPi : -kHalfPi);
        const C end = to + r * unit(alpha);
        setEndpoint(c);
        enqueueStraight(p, end, unit(alpha));
        first_ = false;
        startUpWaits_ = squareToNext_;
        current_ = end;
        programmed_ = to;
        return CompensationFault::None;
    }
    const C op = programmed_;
    if (startUpWaits_ && to != op) {
        const C end =
            to + r * unit(angleOf(to - op) + (side_ == NoseSide::Left ? kHalfPi : -kHalfPi));
        settleStartUp(op + (end - to));
        enqueueStraight(p, end, to - op);
        current_ = end;
        programmed_ = to;
        return CompensationFault::None;
    }
    if (to == op) {  // no move in the plane
        enqueueStraight(p, c, {});
        return CompensationFault::None;
    }
    double theta = angleOf(c - op);  // from the last programmed point to the nose
    double alpha = angleOf(to - op);
    double beta, gamma;
    if (side_ == NoseSide::Left) {
        if (theta < alpha) theta += 2 * kPi;
        beta = theta - alpha - kHalfPi;
        gamma = kHalfPi;
    } else {
        if (alpha < theta) alpha += 2 * kPi;
        beta = alpha - theta - kHalfPi;
        gamma = -kHalfPi;
    }
    const C end = to + r * unit(alpha + gamma);
    const C mid = op + r * unit(alpha + gamma);
    const bool afterArc = !queue_.empty() && queue_.front().s.arc;
    bool concave = beta < -kCornerTolerance || beta > kPi + kCornerTolerance;
    // Over a round and on along the flat beside it (an "h"): stay on the outside.
    if (!concave && beta > kPi - kCornerTolerance && afterArc &&
        ((side_ == NoseSide::Right && queue_.front().turn > 0) ||
         (side_ == NoseSide::Left && queue_.front().turn < 0)))
        concave = true;
    if (!concave && beta > kCornerTolerance) {
        // An outside corner: round it about the programmed point (a rapid cuts across).
        if (auto f = moveEndsAndFlush(c); f != CompensationFault::None) return f;
        if (p.move.kind == MoveKind::Feed)
            enqueueArc(p, mid, op, side_ == NoseSide::Left ? -1 : 1, 0);
        else
            enqueueStraight(p, mid, {});
        flush();
        setEndpoint(mid);
    } else if (concave) {
        C corner;
        if (!afterArc) {
            const double half = (beta + kPi) / 2;  // half the inside corner
            if (half == 0) return CompensationFault::Gouge;
            corner = c + r / std::tan(half) * unit(theta + gamma);
        } else {
            // After an arc: where the nose on the compensated arc meets the new line.
            const Waiting& prev = queue_.front();
            const double oldRadius = std::abs(prev.center - prev.end);
            const double th = angleOf(to - op) + (prev.turn > 0 ? kHalfPi : -kHalfPi);
            const double phi = angleOf(prev.center - op);
            const bool inside = insideArc(prev.turn);
            const double programmedRadius = inside ? oldRadius + r : oldRadius - r;
            const double d = programmedRadius * std::cos(th - phi);
            const double l = (inside ? d - r : d + r) / oldRadius;
            if (l > 1.0 || l < -1.0) return CompensationFault::Gouge;
            const double turnSign = (prev.turn > 0) == inside ? -1.0 : 1.0;
            corner = prev.center + oldRadius * unit(turnSign * std::acos(l) + th + kPi);
        }
        if (auto f = moveEndsAndFlush(corner); f != CompensationFault::None) return f;
    } else {
        flush();
        setEndpoint(c);
    }
    enqueueStraight(p, end, to - op);
    current_ = end;
    programmed_ = to;
    return CompensationFault::None;
}

// The entry by an arc: an arc from the nose to the compensated end, about a centre moved
// so that both ends lie on it.
CompensationFault NoseCompensation::entryArc(const Segment& p, C to, C center, int turn) {
    const double r = radius_;
    const C c = current_;
    if (std::abs(to - c) <= r) return CompensationFault::EntryTooShort;
    const double gamma = insideArc(turn) ? angleOf(center - to) : angleOf(to - center);
    const C end = to + r * unit(gamma);
    const double towardsCenter = angleOf(center - end);
    const double corner = angleOf(c - end) - towardsCenter;
    if (std::abs(std::cos(corner)) < 1e-4) return CompensationFault::NoseTooLarge;
    const C moved = end + std::abs(c - end) / 2 / std::cos(corner) * unit(towardsCenter);
    // An insert's control point is not the nose centre: it first moves out to its place.
    if (tip_.z != 0 || tip_.x != 0) {
        Segment shift = p;
        shift.move.kind = MoveKind::Feed;
        enqueueStraight(shift, c, {});
        setEndpoint(c);
    }
    enqueueArc(p, end, moved, turn, sweepOf(c, moved, turn, end));
    first_ = false;
    programmed_ = to;
    current_ = end;
    return CompensationFault::None;
}

// Fanuc's start-up: the first move ends where the nose stands square to the second one
// at its start, so no corner is taken between them.
void NoseCompensation::settleStartUp(C nose) {
    startUpWaits_ = false;
    for (Waiting& w : queue_) w.end = nose;
    current_ = nose;
    flush();
    setEndpoint(nose);
}

CompensationFault NoseCompensation::arc(const Segment& p, C to, C center, int turn) {
    if (first_) return entryArc(p, to, center, turn);
    const double r = radius_;
    const C op = programmed_, c = current_;
    const double arcRadius = std::abs(center - to);
    const bool left = side_ == NoseSide::Left;
    if (startUpWaits_) {
        if (insideArc(turn) && arcRadius <= r) return CompensationFault::NoseTooLarge;
        const double in = insideArc(turn) ? -r : r;
        settleStartUp(op + in * (op - center) / std::abs(op - center));
        enqueueArc(p, to + in * (to - center) / arcRadius, center, turn,
                   sweepOf(op, center, turn, to));
        current_ = to + in * (to - center) / arcRadius;
        programmed_ = to;
        return CompensationFault::None;
    }
    const double theta = angleOf(c - op) + (left ? -kHalfPi : kHalfPi);
    double delta = angleOf(center - op);
    const double alpha = turn > 0 ? delta - kHalfPi : delta + kHalfPi;
    double beta = left ? theta - alpha : alpha - theta;
    if (beta > 1.5 * kPi)
        beta -= 2 * kPi;
    else if (beta < -kHalfPi)
        beta += 2 * kPi;
    const bool inside = insideArc(turn);
    double gamma;
    if (inside) {
        gamma = angleOf(center - to);
        if (arcRadius <= r) return CompensationFault::NoseTooLarge;
    } else {
        gamma = angleOf(to - center);
        delta += kPi;
    }
    const C end = to + r * unit(gamma);
    const double sweep = sweepOf(op, center, turn, to);
    if (beta < -kCornerTolerance || beta > kPi + kCornerTolerance ||
        // over the top of two tangent rounds (an "m"), or a flat into a round (an "h")
        (std::abs(beta - kPi) < kCornerTolerance && !inside)) {
        C corner;
        if (queue_.empty() || !queue_.front().s.arc) {
            // After a line: where the compensated line meets the compensated arc.
            const double across = arcRadius * std::sin(beta - kHalfPi);
            const double reach = inside ? arcRadius - r : arcRadius + r;
            const double l = (inside ? across + r : across - r) / reach;
            if (l > 1.0 || l < -1.0) return CompensationFault::Gouge;
            double angle;
            if (inside)
                angle = turn > 0 ? theta + std::asin(l) : theta - std::asin(l);
            else
                angle = turn > 0 ? theta + kPi - std::asin(l) : theta + kPi + std::asin(l);
            corner = center + reach * unit(angle);
        } else {
            // After an arc: where the two compensated arcs cross.
            const Waiting& prev = queue_.front();
            const double oldRadius = std::abs(prev.center - prev.end);
            const double newRadius = inside ? arcRadius - r : arcRadius + r;
            const double between = std::abs(prev.center - center);
            if (oldRadius == 0 || between == 0) return CompensationFault::Gouge;
            const double a = (oldRadius * oldRadius + between * between - newRadius * newRadius) /
                             (2 * oldRadius * between);
            if (a > 1.0 || a < -1.0) return CompensationFault::Gouge;
            const double pullback = std::acos(a);
            const double towards = angleOf(center - prev.center);
            const bool plus = insideArc(prev.turn) == (turn > 0);
            corner = prev.center + oldRadius * unit(plus ? towards + pullback : towards - pullback);
        }
        if (auto f = moveEndsAndFlush(corner); f != CompensationFault::None) return f;
        enqueueArc(p, end, center, turn, sweep);
    } else if (beta > kCornerTolerance) {
        // An outside corner: an arc about the programmed point, then the arc itself.
        const C mid = op + r * unit(delta);
        flush();
        enqueueArc(p, mid, op, left ? -1 : 1, 0);
        flush();
        setEndpoint(mid);
        enqueueArc(p, end, center, turn, sweep);
    } else {
        flush();
        setEndpoint(c);
        enqueueArc(p, end, center, turn, sweep);
    }
    programmed_ = to;
    current_ = end;
    return CompensationFault::None;
}

}  // namespace zivek::gcode
