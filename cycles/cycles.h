#pragma once

#include "output/cycle.h"

namespace zivek {

const Cycle& externalDiameterCycle();  // Form11
const Cycle& internalDiameterCycle();  // Form4
const Cycle& facingCycle();            // Form2
const Cycle& externalTaperCycle();     // Form3
const Cycle& internalTaperCycle();     // Form5

}  // namespace zivek
