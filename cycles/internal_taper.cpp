#include <array>

#include "cycles/cycles.h"
#include "cycles/taper_cycle.h"

namespace zivek {
namespace {

// No check against the small diameter; the plunge check comes after the diameters.
constexpr std::array<Check, 10> internalTaperChecks = {{
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
    {[](const Parameters& p) { return p.plungeAmount > p.taperDepth; },
     MessageKey::PlungeTooLarge},
    {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
}};

// Rapid out away from the axis, feed back in; n + 1 passes for a whole passCount n.
constexpr TaperRule inside{+1.0, false, false};

}  // namespace

const Cycle& internalTaperCycle() {
    static const Cycle cycle{
        "İÇ KONİK TORNALAMA", taperBoxes, deriveTaperDepth, internalTaperChecks, prepareTaper,
        [](const Parameters&, PassPlan plan, std::uint64_t limit) {
            return countTaperPasses(inside, plan, limit);
        },
        [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeTaperPasses(inside, values, plan, lines);
        }};
    return cycle;
}

}  // namespace zivek
