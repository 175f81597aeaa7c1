#include "cycles/cycles.h"
#include "cycles/diameter_checks.h"
#include "cycles/operation_titles.h"

namespace zivek {
namespace {
// Boring: the infeed goes away from the axis, into the bore wall (+U).
constexpr StraightAxes intoTheBoreWall{"U", "W", +1.0, PastTheTravel::BoreBottom};
}  // namespace

const Cycle& internalDiameterCycle() {
    static const Cycle cycle =
        straightCycle<intoTheBoreWall>(title::internalDiameter, diameterChecks);
    return cycle;
}

}  // namespace zivek
