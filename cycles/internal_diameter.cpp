#include "cycles/cycles.h"
#include "cycles/diameter_checks.h"

namespace zivek {
namespace {
// Boring: the infeed goes away from the axis, into the bore wall (+U).
constexpr StraightAxes intoTheBoreWall{"U", "W", +1.0, PastTheTravel::BoreBottom};
}  // namespace

const Cycle& internalDiameterCycle() {
    static const Cycle cycle = straightCycle<intoTheBoreWall>("İÇ ÇAP TORNALAMA", diameterChecks);
    return cycle;
}

}  // namespace zivek
