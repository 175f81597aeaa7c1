// LinuxCNC's G7x cycles planned on a contour turned and mirrored so that it runs
// towards -Z and +X; the moves are turned back as they are written.

#include "gcode/g7x_planner.h"

#include <algorithm>
#include <cmath>

#include "gcode/g7x_contour.h"

namespace zivek::gcode {
namespace {

using namespace g7x;

// Writes moves in the program's frame from the turned and mirrored one.
class Writer {
  public:
    Writer(int turned, std::vector<PlannedMove>& out, std::size_t limit)
        : turned_(turned), out_(out), limit_(limit) {
        if (!out.empty()) at_ = out.back().to;
    }
    void rapid(C to) { put({MoveKind::Rapid, toPoint(back(to)), {}, false, false}); }
    void feed(C to) { put({MoveKind::Feed, toPoint(back(to)), {}, false, false}); }
    void arc(bool ccw, C center, C to) {
        const bool mirrored = ((turned_ & 1) != 0) != ((turned_ & 2) != 0);
        // An arc that ends where it starts is no move at all to LinuxCNC.
        const Point end = toPoint(back(to));
        if (std::abs(end.z - at_.z) < 1e-4 && std::abs(end.x - at_.x) < 1e-4) return;
        put({MoveKind::Feed, toPoint(back(to)), toPoint(back(center)), true, ccw != mirrored});
    }

  private:
    C back(C p) const {
        if (turned_ & 1) p = -std::conj(p);
        if (turned_ & 2) p = std::conj(p);
        if (turned_ & 4) p = kI * p;
        return p;
    }
    void put(PlannedMove m) {
        if (out_.size() >= limit_) throw Refused("limit");
        out_.push_back(m);
        at_ = m.to;
    }
    int turned_;
    std::vector<PlannedMove>& out_;
    std::size_t limit_;
    Point at_;
};

void drawPiece(const Piece& p, Writer& w) {
    if (p.arc) {
        w.arc(p.ccw, p.c, p.e);
    } else {
        w.feed(p.e);
    }
}

// The roughing levels of one contour, from its start down to the finished profile.
class Levels {
  public:
    Levels(const Profile& profile, double depth, double retract, Writer& w)
        : p_(profile.pieces), depth_(depth), escape_(retract, retract), w_(w) {}

    void cut(G7xPart part, C at) {
        starts_.push_back(at);
        pocket(part, at, 0);
    }

  private:
    // Down piece i towards level x; false when the piece does not go down.
    bool dive(std::size_t i, C& at, double x) {
        const Piece& p = p_[i];
        const bool fast = i == 0;
        if (!p.arc) {
            if (p.s.imag() <= p.e.imag() + kTol) return false;
            if (x < p.e.imag()) {
                fast ? w_.rapid(p.e) : w_.feed(p.e);
                at = p.e;
                return true;
            }
            const std::vector<double> z = p.crossings(x);
            if (z.empty()) throw Refused("dive");
            at = {z.front(), x};
            fast ? w_.rapid(at) : w_.feed(at);
            return true;
        }
        if (std::abs(at - p.e) < kTol || (at - p.e).real() <= kTol) {
            at = p.e;
            return true;
        }
        std::vector<double> z = p.crossings(x);
        if (z.empty()) z = p.crossings(x - kTol);
        if (p.ccw) {
            if (at.real() - kTol > p.c.real()) return false;
            const C to = z.empty() || z.back() > p.c.real() ? p.e : C(z.back(), x);
            w_.arc(true, p.c, to);
            at = to;
            return true;
        }
        if (at.real() <= p.c.real()) return false;
        if (!z.empty() && z.front() < p.c.real()) return true;  // met on its far side only
        const C to = z.empty() ? p.e : C(z.front(), x);
        w_.arc(false, p.c, to);
        at = to;
        return true;
    }
    // Up along piece i; false when it does not climb, or tops out in a pocket's start.
    bool climb(std::size_t i, C& at) {
        const Piece& p = p_[i];
        if (!p.arc) {
            if (p.e.imag() + kTol < p.s.imag()) return false;
            w_.feed(p.e);
            at = p.e;
            return true;
        }
        if (!p.ccw) {
            if (at.real() > p.c.real()) return false;
            if (std::abs(at - p.e) > 1e-3) w_.arc(false, p.c, p.e);
            at = p.e;
            return true;
        }
        if (at.real() < p.c.real()) return false;
        const C to = top(p);
        if (std::abs(at - to) > 1e-3) w_.arc(true, p.c, to);
        at = to;
        return false;
    }
    // Up along piece i from where the level meets it, leaving pockets uncut.
    void climbOnly(std::size_t i, C& at) {
        const Piece& p = p_[i];
        if (!p.arc && p.e.imag() < p.s.imag()) return;
        const std::vector<double> z = p.crossings(at.imag());
        if (z.empty()) return;
        if (!p.arc) {
            at.real(z.front());
            w_.feed(at);
            w_.feed(p.e);
            at = p.e;
            return;
        }
        if (!p.ccw) {
            if (z.back() > p.c.real()) return;
            at.real(z.back());
            w_.feed(at);
            if (std::abs(at - p.e) > 1e-3) w_.arc(false, p.c, p.e);
            at = p.e;
            return;
        }
        if (z.front() < p.c.real()) return;
        at.real(z.front());
        w_.feed(at);
        const C to = top(p);
        if (std::abs(at - to) > 1e-3) w_.arc(true, p.c, to);
        at = to;
    }
    // A counter-clockwise arc climbs no further than its highest point.
    static C top(const Piece& p) {
        if (p.e.real() >= p.c.real()) return p.e;
        return {p.c.real(), p.c.imag() + std::abs(p.s - p.c)};
    }

    // `resume` marks G71.2 after its first dive: a pocket begins at its own top.
    void pocket(G7xPart part, C at, std::size_t i, bool resume = false) {
        // Each pocket is cut by a call of its own; a contour of thousands is refused.
        if (++nesting_ > 1000) throw Refused("limit");
        double x = starts_.back().imag();
        if (part == G7xPart::OnlyPockets) {
            // The outline was cut before: follow it down to the first pocket.
            for (; i < p_.size(); ++i)
                if (!dive(i, at, -1e9)) break;
            resume = true;
            part = G7xPart::All;
        }
        while (i < p_.size()) {
            if (++steps_ > 1000000) throw Refused("limit");
            stepDown(x, at.imag());
            if (!dive(i, at, x)) {
                if (part == G7xPart::NoPockets) {
                    for (; i < p_.size(); ++i) climbOnly(i, at);
                    return;
                }
                for (; i < p_.size(); ++i) {
                    if (climb(i, at)) continue;
                    if (resume) {
                        if (at.imag() > starts_.back().imag() && starts_.size() > 1)
                            starts_.pop_back();
                        if (starts_.size() == 1) starts_.push_back(at);
                    }
                    pocket(G7xPart::All, at, i, resume);
                    return;
                }
                return;
            }
            if (std::abs(at.imag() - x) > kTol) {
                ++i;  // the piece ended above this level
                continue;
            }
            for (std::size_t j = i; j < p_.size(); ++j) {
                const std::vector<double> z = p_[j].crossings(at.imag());
                if (z.empty()) continue;
                const double endZ = j != i ? z.front() : z.back();
                const double length = std::abs(endZ - at.real());
                if (endZ - kTol > at.real()) continue;
                if (length < kTol) {
                    if (j == i) continue;
                    if (std::abs(at - p_[j].s) < kTol) {
                        i = j;
                    } else {
                        x -= depth_;
                    }
                    break;
                }
                C to = at;
                to.real(endZ);
                w_.feed(to);
                const double scale = std::min(1.0, length / 2 / escape_.real());
                w_.rapid(to + scale * escape_);
                w_.rapid(at - std::conj(scale * escape_));
                i == 0 ? w_.rapid(at) : w_.feed(at);
                x -= depth_;
                break;
            }
        }
    }

    // Down by whole depths of cut to the level at or below `floor`. A start far above
    // the contour for its depth of cut jumps there, so that no typing error costs time.
    void stepDown(double& x, double floor) const {
        for (int n = 0; x - kTol > floor; ++n) {
            const double gap = x - kTol - floor;
            x -= gap > 1000 * depth_ ? std::floor(gap / depth_) * depth_ : depth_;
            if (n > 2000) throw Refused("limit");
        }
    }

    const std::vector<Piece>& p_;
    double depth_;
    C escape_;
    Writer& w_;
    std::size_t steps_ = 0;
    std::size_t nesting_ = 0;
    std::vector<C> starts_;  // the top of the pocket being cut, and of the whole
};

// Pieces too short to matter are dropped; a lead that runs away from the cut begins
// straight above its end instead.
void tidy(Profile& profile, bool corners = true) {
    std::vector<Piece>& pieces = profile.pieces;
    if (corners) fitCorners(pieces);
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [](const Piece& p) { return p.radius() < 1e-3; }),
                 pieces.end());
    if (pieces.empty()) throw Refused("empty");
    if ((pieces.front().e - pieces.front().s).real() > 0)
        pieces.front().s.real(pieces.front().e.real());
    for (const Piece& p : pieces)
        if (!p.monotonic()) throw Refused("monotonic");
}

void finish(Profile profile, const G7xRequest& r, std::vector<PlannedMove>& moves,
            std::size_t limit) {
    profile.pieces.front().s = toC(r.start);
    // Whether to turn is judged on the contour without its lead.
    Profile body = profile;
    body.pieces.erase(body.pieces.begin());
    if (body.pieces.empty()) throw Refused("empty");
    body.normalize();
    if (std::any_of(body.pieces.begin(), body.pieces.end(),
                    [](const Piece& p) { return !p.monotonic(); })) {
        body.quarter();
        body.normalize();
    }
    tidy(body, false);
    if (body.turned & 4) profile.quarter();
    profile.normalize();
    tidy(profile);
    Writer w(profile.turned, moves, limit);
    const int passes = std::max(1, int(r.passes));
    for (int pass = passes; pass > 0; --pass) {
        Profile path = profile;
        path.offset((pass - 1) * (r.stock - r.lastStock) / passes + r.lastStock);
        w.rapid(path.pieces.front().s);
        w.rapid(path.pieces.front().e);
        for (std::size_t i = 1; i < path.pieces.size(); ++i) drawPiece(path.pieces[i], w);
    }
}

void rough(Profile profile, const G7xRequest& r, std::vector<PlannedMove>& moves,
           std::size_t limit) {
    profile.pieces.front().s = toC(r.start);
    if (r.kind == G7xKind::Face) profile.quarter();
    profile.normalize();
    tidy(profile);
    profile.offset(r.stock);
    for (Piece& p : profile.pieces) {
        const C by(r.shift.z, r.shift.x);
        p.s += by;
        p.e += by;
        p.c += by;
    }
    Writer w(profile.turned, moves, limit);
    std::vector<Piece>& pieces = profile.pieces;
    const C start = pieces.front().s;
    w.rapid(start);
    if (pieces.back().e.imag() < start.imag()) {
        const C up(pieces.back().e.real(), start.imag());
        pieces.push_back({pieces.back().e, up, {}, false, false});
    }
    Levels(profile, std::max(r.depth, 2 * kTol), r.retract, w).cut(r.part, start);
}

}  // namespace

bool planG7x(const std::vector<ContourPiece>& contour, const G7xRequest& request,
             std::vector<PlannedMove>& moves, std::string& reason, std::size_t workLimit) {
    moves.clear();
    Profile profile;
    for (const ContourPiece& c : contour) {
        if (c.from == c.to && !c.arc) continue;
        profile.pieces.push_back({toC(c.from), toC(c.to), toC(c.center), c.arc, c.ccw, 0});
        if (c.fillet != 0 || c.chamfer != 0) {
            const C at = toC(c.to);
            const bool round = c.fillet != 0;
            profile.pieces.push_back({at, at, at, round, false, round ? c.fillet : c.chamfer});
        }
    }
    if (profile.pieces.size() < 2) {
        reason = "empty";
        return false;
    }
    if (!(request.depth > 0) && request.kind != G7xKind::Finish) {
        reason = "depth";
        return false;
    }
    // The cycle first goes to its X and Z.
    moves.push_back({MoveKind::Rapid, request.start, {}, false, false});
    try {
        if (request.kind == G7xKind::Finish) {
            finish(profile, request, moves, workLimit);
        } else {
            rough(profile, request, moves, workLimit);
        }
    } catch (const Refused& e) {
        reason = e.what();
        return false;
    }
    return true;
}

}  // namespace zivek::gcode
