#include <array>

#include "cycles/check_list.h"
#include "cycles/cycles.h"
#include "cycles/operation_titles.h"
#include "cycles/straight_cycle.h"

namespace zivek {
namespace {

// Facing: the infeed goes along the axis into the face (-W), the travel across it.
constexpr StraightAxes intoTheFace{"W", "U", -1.0, PastTheTravel::Axis};

// Unlike the diameter cycles, a plunge equal to the depth is accepted: one roughing
// pass at the full depth, then the finishing pass.
constexpr auto facingChecks = joinChecks(
    depthAndLengthChecks,
    std::array<Check, 3>{{
        {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
        {[](const Parameters& p) { return p.plungeAmount < 0; }, MessageKey::PlungeNegative},
        {[](const Parameters& p) { return p.plungeAmount > p.turningDepth; },
         MessageKey::PlungeAboveDepth},
    }});

}  // namespace

const Cycle& facingCycle() {
    static const Cycle cycle = straightCycle<intoTheFace>(title::facing, facingChecks);
    return cycle;
}

}  // namespace zivek
