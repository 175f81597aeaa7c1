#include "cycles/cycles.h"
#include "cycles/straight_cycle.h"

namespace zivek {

// Boring: the infeed goes away from the axis, into the bore wall (+U).
const Cycle& internalDiameterCycle() {
    static const Cycle cycle{
        "İÇ ÇAP TORNALAMA", straightBoxes, nullptr, diameterChecks, prepareStraight,
        countStraightPasses, [](const Parameters& values, PassPlan plan, LineWriter& lines) {
            writeStraightPasses({"U", "W", +1.0}, values, plan, lines);
        }};
    return cycle;
}

}  // namespace zivek
