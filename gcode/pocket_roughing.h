#pragma once

#include "gcode/internal.h"

// Fanuc's type II roughing (G71 and G72 whose contour's first block names both axes):
// the contour may dip into pockets. Each level is cut where it runs above the part; the
// pockets are cut one after the other, each down to its bottom, and the tool follows
// the contour down into a pocket and on to the next rather than rapid over the part.

#include <vector>

#include "gcode/level_contour.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

struct PocketLevels {
    double a0 = 0, b0 = 0;  // the start
    double side = 1;        // the levels step towards smaller a when 1, larger when -1
    double dir = -1;        // the way the passes run along b
    double depth = 0, retract = 0;
    double farEnd = 0;  // where a level that never meets the part again ends
    int count = 0;      // the levels planned
};

struct LevelStep {
    MoveKind kind;
    double a, b;
};

// The moves of the rough passes, from the start back to the start's level above it.
std::vector<LevelStep> pocketPasses(const LevelContour& contour, const PocketLevels& levels);

}  // namespace zivek::gcode
