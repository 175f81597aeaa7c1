#pragma once

#include <optional>

#include "output/cycle.h"

namespace zivek {

// The first check of a window that refuses its values: the window's own checks in
// their order, then the coolant, spindle and speed checks, then the bound on passes.
std::optional<MessageKey> firstRefusal(const Cycle& cycle, const Parameters& values);

}  // namespace zivek
