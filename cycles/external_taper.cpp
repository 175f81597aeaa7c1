#include <array>

#include "cycles/cycles.h"
#include "cycles/taper_cycle.h"

namespace zivek {
namespace {

// The plunge check runs first, on taperDepth as read: swapped or equal diameters are
// refused here already, with the trailing " !".
constexpr std::array<Check, 11> externalTaperChecks = {{
    {[](const Parameters& p) { return p.plungeAmount > p.taperDepth; },
     MessageKey::PlungeTooLargeBang},
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
    {[](const Parameters& p) { return p.plungeAmount > p.smallDiameter; },
     MessageKey::PlungeAboveSmallDiameter},
    {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
}};

// Rapid in toward the axis, feed back out; n passes for a whole passCount n.
constexpr TaperRule outside{-1.0, true, true};

}  // namespace

const Cycle& externalTaperCycle() {
    static const Cycle cycle{
        "DIŞ KONİK TORNALAMA", taperBoxes, deriveTaperDepth, externalTaperChecks, prepareTaper,
        [](const Parameters&, PassPlan plan, std::uint64_t limit) {
            return countTaperPasses(outside, plan, limit);
        },
        [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeTaperPasses(outside, values, plan, lines);
        }};
    return cycle;
}

}  // namespace zivek
