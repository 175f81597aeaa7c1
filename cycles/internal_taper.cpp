#include <array>

#include "cycles/check_list.h"
#include "cycles/cycles.h"
#include "cycles/operation_titles.h"
#include "cycles/taper_cycle.h"

namespace zivek {
namespace {

// Rapid out away from the axis, feed back in; n + 1 passes for a whole passCount n.
constexpr TaperRule inside{+1.0, false, false};

// The plunge check comes after the diameters, without " !", and nothing compares the
// plunge with the small diameter.
constexpr auto internalTaperChecks = joinChecks(
    taperShapeChecks,
    std::array<Check, 2>{{
        {[](const Parameters& p) { return p.plungeAmount > p.taperDepth; },
         MessageKey::PlungeTooLarge},
        {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
    }});

}  // namespace

const Cycle& internalTaperCycle() {
    static const Cycle cycle = taperCycle<inside>(title::internalTaper, internalTaperChecks);
    return cycle;
}

}  // namespace zivek
