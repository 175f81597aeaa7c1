#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "cycles/workpiece_shapes.h"
#include "output/cycle.h"

namespace zivek {

// What tells the three straight cycles apart in their passes: the axis of the infeed,
// the axis of the travel, and the direction of the infeed on the infeed axis.
struct StraightAxes {
    std::string_view infeedAxis;
    std::string_view travelAxis;
    double infeedSign;
    PastTheTravel past;
};

// The boxes of every straight cycle, in reading order.
extern const std::array<Box, 4> straightBoxes;

// The first checks of every straight cycle: depth and length, zero then negative.
inline constexpr std::array<Check, 4> depthAndLengthChecks = {{
    {[](const Parameters& p) { return p.turningDepth == 0; }, MessageKey::DepthZero},
    {[](const Parameters& p) { return p.turningDepth < 0; }, MessageKey::DepthNegative},
    {[](const Parameters& p) { return p.turningLength == 0; }, MessageKey::LengthZero},
    {[](const Parameters& p) { return p.turningLength < 0; }, MessageKey::LengthNegative},
}};

PassPlan prepareStraight(const Parameters& values);
std::uint64_t countStraightPasses(const Parameters& values, PassPlan plan, std::uint64_t limit);
// Roughing passes at passDepth, growing by plungeAmount while below turningDepth, then
// the finishing pass at turningDepth. Every pass ends at the origin.
void writeStraightPasses(const StraightAxes& axes, const Parameters& values, PassPlan plan,
                         LineWriter& lines);

// A straight cycle: the shared boxes and passes, with its own axes and checks.
template <const StraightAxes& axes>
Cycle straightCycle(std::string_view name, std::span<const Check> ownChecks) {
    return Cycle{
        name,
        straightBoxes,
        nullptr,
        ownChecks,
        prepareStraight,
        countStraightPasses,
        [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeStraightPasses(axes, values, plan, lines);
        },
        [](const Parameters& values) {
            return straightWorkpiece({axes.infeedAxis == "W", axes.infeedSign}, axes.past, values);
        }};
}

}  // namespace zivek
