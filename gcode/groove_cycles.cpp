#include "gcode/groove_cycles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zivek::gcode {
namespace {

// More moves than this is a typing error in P or Q.
constexpr std::size_t kMaxMoves = 100000;

}  // namespace

CyclePlan planGrooving(const GrooveRequest& q) {
    // In (a, b) terms: a is the axis the pecks go along, b the one the columns step on.
    const bool face = q.face;
    auto A = [face](Point p) { return face ? p.z : p.x; };
    auto B = [face](Point p) { return face ? p.x : p.z; };
    auto at = [face](double a, double b) { return face ? Point{a, b} : Point{b, a}; };

    CyclePlan p(q.start);
    const double a0 = A(q.start), b0 = B(q.start);
    const double aEnd = A(q.end), bEnd = B(q.end);
    const double toBottom = aEnd > a0 ? 1.0 : -1.0;
    const double toLast = bEnd > b0 ? 1.0 : -1.0;
    const bool oneColumn = std::abs(bEnd - b0) < 1e-9;
    if (!oneColumn && !(q.step > 0)) {
        // Columns apart with no step between them: the groove cannot be made.
        p.refuse(CycleRefusal::Incomplete);
        p.go(MoveKind::Feed, q.end, q.feed, kIncomplete);
        p.go(MoveKind::Rapid, q.start, q.feed);
        return p;
    }
    const double relief = oneColumn ? q.relief : -toLast * std::abs(q.relief);
    const double peck = q.peck > 0 ? q.peck : std::abs(aEnd - a0);
    for (int column = 0;; ++column) {
        const double b =
            oneColumn ? b0 : b0 + toLast * std::min(column * q.step, std::abs(bEnd - b0));
        if (column > 0) p.go(MoveKind::Rapid, at(a0, b), q.feed);
        double level = a0;
        for (;;) {
            const bool last = std::abs(aEnd - level) <= peck + 1e-9 || p.moves.size() > kMaxMoves;
            level = last ? aEnd : level + toBottom * peck;
            p.go(MoveKind::Feed, at(level, b), q.feed);
            if (last) break;
            if (q.back > 0) p.go(MoveKind::Rapid, at(level - toBottom * q.back, b), q.feed);
        }
        if (relief != 0) p.go(MoveKind::Rapid, at(aEnd, b + relief), q.feed);
        p.go(MoveKind::Rapid, at(a0, b + relief), q.feed);
        if (oneColumn || std::abs(b - bEnd) < 1e-9) break;
        if (p.moves.size() > kMaxMoves) {
            p.refuse(CycleRefusal::TooManyPasses);
            break;
        }
    }
    if (!(p.at == q.start)) p.go(MoveKind::Rapid, q.start, q.feed);
    return p;
}

}  // namespace zivek::gcode
