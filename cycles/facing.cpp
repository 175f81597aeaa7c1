#include <array>

#include "cycles/cycles.h"
#include "cycles/straight_cycle.h"

namespace zivek {
namespace {

// Unlike the diameter cycles, a plunge equal to the depth is accepted: one roughing
// pass at the full depth, then the finishing pass.
constexpr std::array<Check, 7> facingChecks = {{
    {[](const Parameters& p) { return p.turningDepth == 0; }, MessageKey::DepthZero},
    {[](const Parameters& p) { return p.turningDepth < 0; }, MessageKey::DepthNegative},
    {[](const Parameters& p) { return p.turningLength == 0; }, MessageKey::LengthZero},
    {[](const Parameters& p) { return p.turningLength < 0; }, MessageKey::LengthNegative},
    {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
    {[](const Parameters& p) { return p.plungeAmount < 0; }, MessageKey::PlungeNegative},
    {[](const Parameters& p) { return p.plungeAmount > p.turningDepth; },
     MessageKey::PlungeAboveDepth},
}};

}  // namespace

// Facing: the infeed goes along the axis into the face (-W), the travel across it.
const Cycle& facingCycle() {
    static const Cycle cycle{
        "ALIN TORNALAMA", straightBoxes, nullptr, facingChecks, prepareStraight,
        countStraightPasses, [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeStraightPasses({"W", "U", -1.0}, values, plan, lines);
        }};
    return cycle;
}

}  // namespace zivek
