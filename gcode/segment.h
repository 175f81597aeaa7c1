#pragma once

#include "gcode/internal.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// A move with its arc, before it is added to the path (or to a captured contour).
struct Segment {
    Move move;
    Point center;
    bool arc = false;
    bool ccw = false;
    std::uint16_t extraTurns = 0;  // an arc's whole turns before its last
    // LinuxCNC's G7x contour: A rounds the corner after this move, C chamfers it.
    double fillet = 0;
    double chamfer = 0;
};

}  // namespace zivek::gcode
