#include "gcode/pocket_roughing.h"

#include <cmath>
#include <cstddef>

namespace zivek::gcode {
namespace {

// Where a level runs above the part: from a crossing where the part drops below it to
// one where it rises through it. Edge 0 at the start means the stretch begins at the
// start; at the end, that it runs on to the far end without meeting the part.
struct Stretch {
    double a = 0;
    double from = 0, to = 0;
    std::size_t fromEdge = 0, toEdge = 0;
    std::vector<std::size_t> children;  // the stretches of the next level below this one
};

// A point on the contour: on edge `edge`, between points edge - 1 and edge.
struct Place {
    std::size_t edge = 0;
    double a = 0, b = 0;
};

class Passes {
  public:
    Passes(const LevelContour& c, const PocketLevels& q) : c_(c), q_(q), a_(q.a0), b_(q.b0) {}

    std::vector<LevelStep> plan() {
        std::vector<Stretch> all;
        std::vector<std::size_t> roots, above;
        for (int k = 1; k <= q_.count; ++k) {
            const double a = q_.a0 - q_.side * k * q_.depth;
            std::vector<std::size_t> here;
            // Both levels' stretches run in order along the pass: the one above that holds
            // each is found walking both lists once.
            std::size_t j = 0;
            for (Stretch& s : stretchesAt(a)) {
                while (j < above.size() && (all[above[j]].to - s.from) * q_.dir < -1e-9) ++j;
                const bool held =
                    j < above.size() && (s.from - all[above[j]].from) * q_.dir >= -1e-9;
                here.push_back(all.size());
                all.push_back(std::move(s));
                if (held) {
                    all[above[j]].children.push_back(here.back());
                } else if (k == 1) {
                    roots.push_back(here.back());
                }
            }
            above = std::move(here);
        }
        // Each pocket is cut to its bottom before the next: depth first, in contour order.
        std::vector<std::size_t> stack(roots.rbegin(), roots.rend());
        while (!stack.empty()) {
            const Stretch& s = all[stack.back()];
            stack.pop_back();
            cut(s);
            stack.insert(stack.end(), s.children.rbegin(), s.children.rend());
        }
        if (onPart_) retract();
        go(MoveKind::Rapid, q_.a0, b_);
        go(MoveKind::Rapid, q_.a0, q_.b0);
        return steps_;
    }

  private:
    const std::vector<std::pair<double, double>>& pts() const { return c_.points; }
    // How far x lies on the part's side of level a (negative: above the part).
    double into(double x, double a) const { return q_.side * (x - a); }

    std::vector<Stretch> stretchesAt(double a) const {
        std::vector<Stretch> out;
        Stretch s;
        s.a = a;
        bool open = into(pts().front().first, a) < 0;
        s.from = q_.b0;
        for (std::size_t i = 1; i < pts().size(); ++i) {
            const double u = into(pts()[i - 1].first, a), v = into(pts()[i].first, a);
            if ((u >= 0) == (v >= 0)) continue;
            const double b = crossingOf(c_, i, a);
            if (v < 0) {
                s.from = b;
                s.fromEdge = i;
                open = true;
            } else if (open) {
                s.to = b;
                s.toEdge = i;
                keep(s, out);
                open = false;
            }
        }
        if (open) {
            s.to = q_.farEnd;
            s.toEdge = 0;
            keep(s, out);
        }
        return out;
    }
    void keep(const Stretch& s, std::vector<Stretch>& out) const {
        if ((s.to - s.from) * q_.dir > 1e-9) out.push_back(s);
    }

    void cut(const Stretch& s) {
        const Place entry{s.fromEdge, s.a, s.from};
        if (s.fromEdge == 0) {
            if (onPart_) retract();
            go(MoveKind::Rapid, a_, q_.b0);
            go(MoveKind::Rapid, s.a, q_.b0);
        } else if (onPart_ && ahead(at_, entry)) {
            // On to the next pocket along the part.
            follow(at_, entry);
        } else {
            // Back over the level just cut, then down the pocket's near side.
            if (onPart_) retract();
            const Place top = topOf(s);
            go(MoveKind::Rapid, a_, top.b);
            go(MoveKind::Rapid, top.a, top.b);
            follow(top, entry);
        }
        go(MoveKind::Feed, s.a, s.to);
        if (s.toEdge == 0) {
            retract();
            return;
        }
        // Relief along the part: up its far side to the level above, or to where it stops
        // rising.
        const Place end{s.toEdge, s.a, s.to};
        const double above = s.a + q_.side * q_.depth;
        Place r{pts().size() - 1, pts().back().first, pts().back().second};
        for (std::size_t i = s.toEdge; i < pts().size(); ++i) {
            const auto& p = pts()[i - 1];
            const auto& q = pts()[i];
            if (i > s.toEdge && into(q.first, p.first) <= 0) {
                r = {i - 1, p.first, p.second};
                break;
            }
            if (into(q.first, above) >= 0) {
                r = {i, above, crossingOf(c_, i, above)};
                break;
            }
        }
        follow(end, r);
        at_ = r;
        onPart_ = true;
    }

    // Where the pocket's near side meets the level above it.
    Place topOf(const Stretch& s) const {
        const double above = s.a + q_.side * q_.depth;
        for (std::size_t i = s.fromEdge; i >= 1; --i)
            if (into(pts()[i - 1].first, above) >= 0) return {i, above, crossingOf(c_, i, above)};
        return {0, pts().front().first, pts().front().second};
    }
    bool ahead(const Place& from, const Place& to) const {
        return from.edge < to.edge || (from.edge == to.edge && (to.b - from.b) * q_.dir >= 0);
    }
    void follow(const Place& from, const Place& to) {
        for (std::size_t i = from.edge; i < to.edge; ++i)
            go(MoveKind::Feed, pts()[i].first, pts()[i].second);
        go(MoveKind::Feed, to.a, to.b);
    }
    // Off the part at 45 degrees, back over the level.
    void retract() {
        go(MoveKind::Feed, a_ + q_.side * q_.retract, b_ - q_.dir * q_.retract);
        onPart_ = false;
    }
    void go(MoveKind kind, double a, double b) {
        if (std::abs(a - a_) < 1e-12 && std::abs(b - b_) < 1e-12) return;
        steps_.push_back({kind, a, b});
        a_ = a;
        b_ = b;
    }

    const LevelContour& c_;
    const PocketLevels& q_;
    std::vector<LevelStep> steps_;
    double a_, b_;
    Place at_;
    bool onPart_ = false;
};

}  // namespace

std::vector<LevelStep> pocketPasses(const LevelContour& contour, const PocketLevels& levels) {
    return Passes(contour, levels).plan();
}

}  // namespace zivek::gcode
