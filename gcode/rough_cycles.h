#pragma once

#include "gcode/internal.h"

// Fanuc's roughing (G71 along Z, G72 across it) and finishing (G70) cycles, planned from
// the contour their blocks N(P) to N(Q) draw. LinuxCNC's forms are planned in
// g7x_planner.h.

#include <cstddef>
#include <vector>

#include "gcode/cycle_plan.h"
#include "gcode/segment.h"

namespace zivek::gcode {

struct FanucRoughRequest {
    Point start;
    bool facing = false;  // G72: the depth of cut steps along Z
    double depth = 0;
    double retract = 0;
    Point allowance;  // U and W: left along each axis for the finishing pass
    double feed = 0;
    bool pockets = false;       // type II: the pockets the contour dips into are cut too
    std::size_t workLimit = 0;  // the program's budget; passes stop where it runs out
};

// The passes, then the contour the allowance away; a contour it cannot rough is drawn as
// incomplete.
CyclePlan planFanucRoughing(const std::vector<Segment>& contour, const FanucRoughRequest& request);

// G70: the contour as written, entered with its first block's own motion, then back to
// the start by rapid.
CyclePlan planFanucFinishing(const std::vector<Segment>& contour, Point start, double feed);

}  // namespace zivek::gcode
