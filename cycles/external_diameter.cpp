#include "cycles/cycles.h"
#include "cycles/diameter_checks.h"
#include "cycles/operation_titles.h"

namespace zivek {
namespace {
// Turning the outside: the infeed goes toward the axis (-U).
constexpr StraightAxes towardTheAxis{"U", "W", -1.0, PastTheTravel::Shoulder};
}  // namespace

const Cycle& externalDiameterCycle() {
    static const Cycle cycle =
        straightCycle<towardTheAxis>(title::externalDiameter, diameterChecks);
    return cycle;
}

}  // namespace zivek
