#pragma once

#include "gcode/internal.h"

// Threading cycles planned pass by pass: Fanuc's G76 (two blocks, or the one-block form
// of older controls and Haas) and LinuxCNC's G76.

#include "gcode/cycle_plan.h"

namespace zivek::gcode {

// Fanuc G76: from `start` to the thread's root at `to`.
struct FanucThreadRequest {
    Point start;
    Point to;
    double taper = 0;    // R, as a radius
    double height = 0;   // the thread's full depth
    double first = 0;    // the first pass's depth
    double angle = 0;    // the tool's angle, degrees
    double chamfer = 0;  // the pull-out at the thread's end, in leads
    double lead = 0;
    int finishPasses = 1;
    double minDepth = 0;   // the least depth a pass adds
    double allowance = 0;  // left for the finishing passes
};
CyclePlan planFanucThread(const FanucThreadRequest& request);

// LinuxCNC G76 P Z I J K R Q H E L, from `start`.
struct LinuxThreadRequest {
    Point start;
    double zEnd = 0;
    double pitch = 0;
    // I, J and K as radii in the units in force, where LinuxCNC counts the passes;
    // `unit` path units to one of them.
    double peak = 0;   // I: negative cuts an outside thread
    double first = 0;  // J
    double full = 0;   // K
    double unit = 1;
    double degression = 1;   // R
    double spring = 0;       // H
    double angle = 0;        // Q, the compound angle in degrees
    double taperLength = 0;  // E
    int taperedEnds = 0;     // L: 1 the start, 2 the end, 3 both
};
CyclePlan planLinuxThread(const LinuxThreadRequest& request);

}  // namespace zivek::gcode
