#pragma once

#include "gcode/internal.h"

// LinuxCNC's drilling cycles along Z, as a lathe drills on its axis: G81 (drill), G82
// (drill and dwell), G83 (peck, out to the retract plane between pecks), G73 (peck,
// breaking the chip), G85 (feed out), G89 (dwell, feed out). Each block:
//   - below the retract plane R, the tool first rises to it;
//   - a rapid to the hole's X, then down to R;
//   - the cycle's own moves to the bottom Z;
//   - out to the clear plane: R under G99, the higher of R and where the block began
//     under G98.
// Under G91, R counts from where the block began, Z from R, and X from each hole to the
// next of the L repeats. Z, R, Q and P hold for the blocks that follow in the cycle.

#include <cstddef>
#include <optional>

#include "gcode/cycle_plan.h"
#include "gcode/gcodes.h"

namespace zivek::gcode {

struct DrillRequest {
    Motion code = Motion::Drill;
    Point start;          // where the tool stands
    double initialZ = 0;  // where the run of cycle blocks began
    double r = 0;         // the retract plane, absolute
    double bottom = 0;    // the hole's depth, absolute
    bool retractToStart = false;
    double peck = 0;           // Q
    double peckClearance = 0;  // above the last depth a peck starts again
    std::optional<double> x;   // the block's X, a radius; a step per hole under G91
    bool incremental = false;
    double repeats = 1;  // L
    double feed = 0;
    std::size_t workLimit = 0;  // moves beyond this are not drawn: planning stops there
};

CyclePlan planDrilling(const DrillRequest& request);

}  // namespace zivek::gcode
