#pragma once

#include "output/cycle.h"

namespace zivek {

const Cycle& externalDiameterCycle();  // Form11, "DIŞ ÇAP TORNALAMA"
const Cycle& internalDiameterCycle();  // Form4, "İÇ ÇAP TORNALAMA"
const Cycle& facingCycle();            // Form2, "ALIN TORNALAMA"
const Cycle& externalTaperCycle();     // Form3, "DIŞ KONİK TORNALAMA"
const Cycle& internalTaperCycle();     // Form5, "İÇ KONİK TORNALAMA"

}  // namespace zivek
