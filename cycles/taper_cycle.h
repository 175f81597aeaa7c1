#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "cycles/workpiece_shapes.h"
#include "output/cycle.h"

namespace zivek {

// What tells the two taper cycles apart in their passes.
struct TaperRule {
    // Direction of the rapid infeed on U; the feed comes back the other way.
    double infeedSign;
    // The passes end when passCount reaches 0 (outside) or drops below it (inside).
    bool endAtZero;
    // passDepth is capped at taperDepth once it reaches it (outside) or exceeds it (inside).
    bool capAtEqual;
};

// The boxes of both taper cycles, in reading order.
extern const std::array<Box, 5> taperBoxes;

// The checks both taper cycles run in this order: the signs, then the diameters
// against each other and against zero.
inline constexpr std::array<Check, 8> taperShapeChecks = {{
    {[](const Parameters& p) { return p.largeDiameter < 0; }, MessageKey::LargeDiameterNegative},
    {[](const Parameters& p) { return p.smallDiameter < 0; }, MessageKey::SmallDiameterNegative},
    {[](const Parameters& p) { return p.turningLength < 0; }, MessageKey::LengthNegative},
    {[](const Parameters& p) { return p.plungeAmount < 0; }, MessageKey::PlungeNegative},
    {[](const Parameters& p) { return p.smallDiameter > p.largeDiameter; },
     MessageKey::SmallAboveLarge},
    {[](const Parameters& p) { return p.smallDiameter == p.largeDiameter; },
     MessageKey::SmallEqualsLarge},
    {[](const Parameters& p) { return p.smallDiameter == 0; }, MessageKey::SmallDiameterZero},
    {[](const Parameters& p) { return p.largeDiameter == 0; }, MessageKey::LargeDiameterZero},
}};

// (largeDiameter - smallDiameter) / 2, computed between the own and the shared boxes.
void deriveTaperDepth(Parameters& values);
PassPlan prepareTaper(const Parameters& values);
std::uint64_t countTaperPasses(const TaperRule& rule, PassPlan plan, std::uint64_t limit);
// Every pass cuts in at the end face to passDepth, feeds parallel to the cone flank
// over passLength and returns to the origin with an absolute G0X0Z0.
void writeTaperPasses(const TaperRule& rule, const Parameters& values, PassPlan plan,
                      LineWriter& lines);

// A taper cycle: the shared boxes, preparation and passes, with its own rule and checks.
template <const TaperRule& rule>
Cycle taperCycle(std::string_view name, std::span<const Check> ownChecks) {
    return Cycle{name,
                 taperBoxes,
                 deriveTaperDepth,
                 ownChecks,
                 prepareTaper,
                 [](const Parameters&, PassPlan plan, std::uint64_t limit) {
                     return countTaperPasses(rule, plan, limit);
                 },
                 [](const Parameters& values, PassPlan plan, LineWriter& lines) {
                     writeTaperPasses(rule, values, plan, lines);
                 },
                 [](const Parameters& values) {
                     return taperWorkpiece({false, rule.infeedSign}, values);
                 }};
}

}  // namespace zivek
