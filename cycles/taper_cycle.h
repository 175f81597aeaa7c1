#pragma once

#include <array>
#include <cstdint>

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
extern const std::array<Box, 8> taperBoxes;

// (largeDiameter - smallDiameter) / 2, computed while the boxes are read.
void deriveTaperDepth(Parameters& values);
PassPlan prepareTaper(const Parameters& values);
std::uint64_t countTaperPasses(const TaperRule& rule, PassPlan plan, std::uint64_t limit);
// Every pass cuts in at the end face to passDepth, feeds parallel to the cone flank
// over passLength and returns to the origin with an absolute G0X0Z0.
void writeTaperPasses(const TaperRule& rule, const Parameters& values, PassPlan plan,
                      LineWriter& lines);

}  // namespace zivek
