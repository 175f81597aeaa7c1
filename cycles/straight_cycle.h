#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "output/cycle.h"

namespace zivek {

// What tells the three straight cycles apart in their passes: the axis of the infeed,
// the axis of the travel, and the direction of the infeed on the infeed axis.
struct StraightAxes {
    std::string_view infeedAxis;
    std::string_view travelAxis;
    double infeedSign;
};

// The boxes of every straight cycle, in reading order.
extern const std::array<Box, 7> straightBoxes;

// The checks of both diameter cycles, in their order.
extern const std::array<Check, 8> diameterChecks;

PassPlan prepareStraight(const Parameters& values);
std::uint64_t countStraightPasses(const Parameters& values, PassPlan plan, std::uint64_t limit);
// Roughing passes at passDepth, growing by plungeAmount while below turningDepth, then
// the finishing pass at turningDepth. Every pass ends at the origin.
void writeStraightPasses(const StraightAxes& axes, const Parameters& values, PassPlan plan,
                         LineWriter& lines);

}  // namespace zivek
