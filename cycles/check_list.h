#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "output/cycle.h"

namespace zivek {

// Joins runs of checks into one ordered list, so that windows sharing a run of checks
// state it once and still read in their own order.
template <std::size_t... Sizes>
constexpr std::array<Check, (Sizes + ...)> joinChecks(const std::array<Check, Sizes>&... runs) {
    std::array<Check, (Sizes + ...)> all{};
    std::size_t at = 0;
    ((std::copy(runs.begin(), runs.end(), all.begin() + static_cast<std::ptrdiff_t>(at)),
      at += Sizes),
     ...);
    return all;
}

}  // namespace zivek
