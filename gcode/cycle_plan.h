#pragma once

#include "gcode/internal.h"

// What a cycle's planner hands the interpreter: the moves it makes from where the tool
// stands, and where it refused to go on. Planners are plain functions of the cycle's
// settings and its contour or start; the interpreter draws every plan the same way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

struct CycleMove {
    MoveKind kind = MoveKind::Rapid;
    Point from;
    Point to;
    double feed = 0;
    std::uint8_t flags = 0;  // besides kFromCycle: kThread, kIncomplete
    Point center;
    bool arc = false;
    bool ccw = false;
    std::size_t work = 0;  // what planning it cost, counted against the program's budget
};

enum class CycleRefusal : std::uint8_t {
    None,
    Incomplete,     // the cycle cannot be made whole: it is drawn as incomplete from here
    TooManyPasses,  // more passes than a program means: the cycle stops making them
    NoPeckDepth,    // a peck drilling cycle without Q: no move at all
};

struct CyclePlan {
    explicit CyclePlan(Point start) : at(start) {}

    std::vector<CycleMove> moves;
    Point at;  // where the last move ends
    CycleRefusal refusal = CycleRefusal::None;
    std::size_t refusedAt = 0;  // the move the refusal is told before
    // LinuxCNC's nose compensation follows the moves: G70's passes. It stops at any other
    // cycle.
    bool compensable = false;
    // Where LinuxCNC's current point stands after the first move, once the cycle has read
    // its contour (the first pass is compensated from there).
    std::optional<Point> pointAfterFirst;
    // The moves that run along the cycle's contour, [alongFrom, alongEnd); none elsewhere.
    std::size_t alongFrom = 0;
    std::size_t alongEnd = 0;

    void go(MoveKind kind, Point to, double feed, std::uint8_t flags = 0) {
        add({kind, at, to, feed, flags, {}, false, false, 0});
    }
    void add(const CycleMove& m) {
        moves.push_back(m);
        at = m.to;
    }
    // The moves added by `along` run along the contour.
    template <typename AddMoves>
    void alongContour(AddMoves along) {
        alongFrom = moves.size();
        along();
        alongEnd = moves.size();
    }
    void refuse(CycleRefusal why) {
        refusal = why;
        refusedAt = moves.size();
    }
};

}  // namespace zivek::gcode
