#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "output/messages.h"
#include "output/workpiece.h"

namespace zivek {

class LineWriter;

// The values of one press: the parameters as read from the boxes, and the values a
// cycle derives while reading. Nothing outlives the press.
struct Parameters {
    double turningDepth = 0;
    double turningLength = 0;
    double plungeAmount = 0;
    double feedRate = 0;
    double largeDiameter = 0;
    double smallDiameter = 0;
    double taperDepth = 0;
    double coolantCommand = 0;
    double spindleCommand = 0;
    double spindleSpeed = 0;
};

// A parameter box: the control's name and the parameter its text is read into.
struct Box {
    std::string_view name;
    double Parameters::*parameter;
};

// A check refuses the press with its message when its condition holds.
struct Check {
    bool (*fails)(const Parameters&);
    MessageKey key;
};

// The working values of the passes, set by a cycle's preparation and carried
// unrounded from pass to pass.
struct PassPlan {
    double passDepth = 0;
    double passCount = 0;
    double passLength = 0;
    double lengthStep = 0;
    double taperDepth = 0;
};

// A machining cycle as the press frame takes it.
struct Cycle {
    std::string_view name;
    // The window's own parameter boxes in reading order; the coolant, spindle and
    // speed boxes, the same in every window, are read after them.
    std::span<const Box> boxes;
    // Values computed from the own boxes before the shared ones are read (may be null).
    void (*derive)(Parameters&);
    // The window's own checks in their order; the shared checks follow them.
    std::span<const Check> ownChecks;
    PassPlan (*prepare)(const Parameters&);
    // How many passes the cycle would write, counted by the same arithmetic as the
    // passes, but no further than limit + 1.
    std::uint64_t (*countPasses)(const Parameters&, PassPlan, std::uint64_t limit);
    void (*writePasses)(const Parameters&, PassPlan, LineWriter&);
    // The material, the finished part and the insert, at the sizes the program writes.
    Workpiece (*workpiece)(const Parameters&);
};

}  // namespace zivek
