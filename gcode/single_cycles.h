#pragma once

#include "gcode/internal.h"

// Fanuc's single cycles: G90 (turning), G92 (threading) and G94 (facing), each one
// square from where the tool stands to the block's end and back.

#include "gcode/cycle_plan.h"
#include "gcode/gcodes.h"

namespace zivek::gcode {

// `taper`: R, the start less the end across the cut, as a radius. `feed` is the thread's
// lead for G92.
CyclePlan planSingleCycle(Motion kind, Point start, Point to, double taper, double feed);

}  // namespace zivek::gcode
