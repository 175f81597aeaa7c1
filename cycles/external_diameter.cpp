#include "cycles/cycles.h"
#include "cycles/straight_cycle.h"

namespace zivek {

// Turning the outside: the infeed goes toward the axis (-U).
const Cycle& externalDiameterCycle() {
    static const Cycle cycle{
        "DIŞ ÇAP TORNALAMA", straightBoxes, nullptr, diameterChecks, prepareStraight,
        countStraightPasses, [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeStraightPasses({"U", "W", -1.0}, values, plan, lines);
        }};
    return cycle;
}

}  // namespace zivek
