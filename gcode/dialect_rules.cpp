// One row of rules per dialect, in the order of the Dialect enum.

#include "zivek/gcode/dialect_rules.h"

#include <array>

namespace zivek::gcode {
namespace {

constexpr std::array<DialectRules, 3> kRules{{
    // This system's own form: X as written, U/W steps from where the tool was zeroed.
    {.xDiameter = false,
     .feedPerRevolution = false,
     .singleCycles = false,
     .g92 = G92Meaning::ThreadCycleWithLead,
     .g50SetsPosition = true,
     .g98g99FeedMode = true,
     .drillCycles = false,
     .m73SavesModes = false,
     .g96LimitFromD = false,
     .cyclesOnSubroutine = false,
     .contourCorners = false,
     .g76OneBlock = false,
     .leadFromFeed = true,
     .startAtWorkZero = true,
     .noseFromWords = false},
    // Fanuc and Haas lathes.
    {.xDiameter = true,
     .feedPerRevolution = true,
     .singleCycles = true,
     .g92 = G92Meaning::ThreadCycle,
     .g50SetsPosition = true,
     .g98g99FeedMode = true,
     .drillCycles = false,
     .m73SavesModes = false,
     .g96LimitFromD = false,
     .cyclesOnSubroutine = false,
     .contourCorners = false,
     .g76OneBlock = false,
     .leadFromFeed = true,
     .startAtWorkZero = false,
     .noseFromWords = false},
    // LinuxCNC 2.9 in lathe mode.
    {.xDiameter = false,
     .feedPerRevolution = false,
     .singleCycles = false,
     .g92 = G92Meaning::Offset,
     .g50SetsPosition = false,
     .g98g99FeedMode = false,
     .drillCycles = true,
     .m73SavesModes = true,
     .g96LimitFromD = true,
     .cyclesOnSubroutine = true,
     .contourCorners = true,
     .g76OneBlock = true,
     .leadFromFeed = false,
     .startAtWorkZero = false,
     .noseFromWords = true},
}};

}  // namespace

const DialectRules& rulesOf(Dialect dialect) {
    return kRules[std::size_t(dialect)];
}

}  // namespace zivek::gcode
