#pragma once

#include <array>

#include "cycles/check_list.h"
#include "cycles/straight_cycle.h"

namespace zivek {

// Both diameter cycles check the same values in the same order; unlike facing, a plunge
// equal to the depth is refused.
inline constexpr auto diameterChecks = joinChecks(
    depthAndLengthChecks,
    std::array<Check, 4>{{
        {[](const Parameters& p) { return p.plungeAmount > p.turningDepth; },
         MessageKey::PlungeAboveDepth},
        {[](const Parameters& p) { return p.plungeAmount == p.turningDepth; },
         MessageKey::PlungeEqualsDepth},
        {[](const Parameters& p) { return p.plungeAmount < 0; }, MessageKey::PlungeNegative},
        {[](const Parameters& p) { return p.plungeAmount == 0; }, MessageKey::PlungeZero},
    }});

}  // namespace zivek
