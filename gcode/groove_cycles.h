#pragma once

#include "gcode/internal.h"

// Fanuc's grooving cycles: G75 pecks along X and steps along Z (grooves in a diameter),
// G74 pecks along Z and steps along X (face grooves, or a peck drilled hole when X does
// not move).

#include "gcode/cycle_plan.h"

namespace zivek::gcode {

struct GrooveRequest {
    Point start;
    Point end;          // the groove's bottom (the peck axis) and its last column
    bool face = false;  // G74: pecks along Z, columns along X
    double peck = 0;    // how deep each peck cuts; 0 cuts a column in one feed
    double step = 0;    // from column to column
    double back = 0;    // e: how far each peck backs off before the next
    // Δd: how far the tool moves off the bottom before it leaves the groove, back towards
    // the start's column; with one column, signed along the column axis.
    double relief = 0;
    double feed = 0;
};

// Each column pecked to the bottom, relieved, out by rapid to the start's level, over to
// the next column; after the last, back to the start.
CyclePlan planGrooving(const GrooveRequest& request);

}  // namespace zivek::gcode
