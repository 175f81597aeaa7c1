#include <array>

#include "cycles/check_list.h"
#include "cycles/cycles.h"
#include "cycles/operation_titles.h"
#include "cycles/taper_cycle.h"

namespace zivek {
namespace {

// Rapid in toward the axis, feed back out; n passes for a whole passCount n.
constexpr TaperRule outside{-1.0, true, true};

// The plunge check runs first, on taperDepth as read: swapped or equal diameters are
// refused there already, with the trailing " !".
constexpr auto externalTaperChecks = joinChecks(
    std::array<Check, 1>{{
        {[](const Parameters& p) { return p.plungeAmount > p.taperDepth; },
         MessageKey::PlungeTooLargeBang},
    }},
    taperShapeChecks,
    std::array<Check, 2>{{
        {[](const Parameters& p) { return p.plungeAmount > p.smallDiameter; },
         MessageKey::PlungeAboveSmallDiameter},
        {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
    }});

}  // namespace

const Cycle& externalTaperCycle() {
    static const Cycle cycle = taperCycle<outside>(title::externalTaper, externalTaperChecks);
    return cycle;
}

}  // namespace zivek
