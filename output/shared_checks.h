#pragma once

#include <cstdint>
#include <optional>

#include "output/cycle.h"

namespace zivek {

// More passes than this are refused: the program would be of no use and, for tiny
// plunges, would never end.
inline constexpr std::uint64_t maxPasses = 100'000;

// The first check of a window that refuses its values: the window's own checks in
// their order, then the coolant, spindle and speed checks, then the bound on passes.
// passes, when given, receives the number of passes counted for the bound.
std::optional<MessageKey> firstRefusal(const Cycle& cycle, const Parameters& values,
                                       std::uint64_t* passes = nullptr);

}  // namespace zivek
