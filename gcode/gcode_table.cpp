// Every G-code the reader knows: its number, name, modal group, and what it does, at the
// block's reading (its modes) and in place of the block's move. A code with neither
// handler is a setting that leaves the drawn path as it is.

#include <array>
#include <cmath>
#include <cstdio>

#include "gcode/interpreter.h"

namespace zivek::gcode {

using I = Interpreter;
using G = GCode;
using Group = ModalGroup;

// A friend of the interpreter, so that its rows may name the handlers.
struct GCodeTable {
    // In the order of GCode, so that a code is its own index.
    static constexpr std::array<GCodeRow, std::size_t(GCode::G99) + 1> rows{{
        {0, G::G0, Group::Motion, &I::setMotion, nullptr, Motion::Rapid},
        {10, G::G1, Group::Motion, &I::setMotion, nullptr, Motion::Feed},
        {20, G::G2, Group::Motion, &I::setMotion, nullptr, Motion::ArcClockwise},
        {30, G::G3, Group::Motion, &I::setMotion, nullptr, Motion::ArcCounterClockwise},
        {40, G::G4, Group::NonModal, nullptr, &I::dwell},
        {70, G::G7, Group::LatheDiameter, &I::setDiameter, nullptr},
        {80, G::G8, Group::LatheDiameter, &I::setDiameter, nullptr},
        {150, G::G15, Group::Polar, nullptr, nullptr},
        {160, G::G16, Group::Polar, nullptr, nullptr},
        {170, G::G17, Group::Plane, nullptr, nullptr},
        {180, G::G18, Group::Plane, nullptr, nullptr},
        {190, G::G19, Group::Plane, nullptr, nullptr},
        {200, G::G20, Group::Units, &I::setUnitsOf, nullptr},
        {210, G::G21, Group::Units, &I::setUnitsOf, nullptr},
        {280, G::G28, Group::NonModal, nullptr, &I::machineMove},
        {281, G::G28_1, Group::NonModal, nullptr, nullptr},
        {300, G::G30, Group::NonModal, nullptr, &I::machineMove},
        {301, G::G30_1, Group::NonModal, nullptr, nullptr},
        {320, G::G32, Group::Motion, &I::setMotion, nullptr, Motion::Thread},
        {330, G::G33, Group::Motion, &I::setMotion, nullptr, Motion::Thread},
        {331, G::G33_1, Group::NonModal, nullptr, &I::rigidTap},
        {400, G::G40, Group::Compensation, &I::compensationOff, nullptr},
        {410, G::G41, Group::Compensation, &I::compensationNotDrawn, nullptr},
        {411, G::G41_1, Group::Compensation, &I::compensationOn, nullptr},
        {420, G::G42, Group::Compensation, &I::compensationNotDrawn, nullptr},
        {421, G::G42_1, Group::Compensation, &I::compensationOn, nullptr},
        {430, G::G43, Group::LengthOffset, nullptr, nullptr},
        {431, G::G43_1, Group::LengthOffset, nullptr, nullptr},
        {490, G::G49, Group::LengthOffset, nullptr, nullptr},
        {500, G::G50, Group::NonModal, &I::positionOrLimit, &I::setPosition},
        {530, G::G53, Group::NonModal, nullptr, &I::machineMove},
        {540, G::G54, Group::CoordinateSystem, nullptr, nullptr},
        {541, G::G54_1, Group::CoordinateSystem, nullptr, nullptr},
        {550, G::G55, Group::CoordinateSystem, nullptr, nullptr},
        {560, G::G56, Group::CoordinateSystem, nullptr, nullptr},
        {570, G::G57, Group::CoordinateSystem, nullptr, nullptr},
        {580, G::G58, Group::CoordinateSystem, nullptr, nullptr},
        {590, G::G59, Group::CoordinateSystem, nullptr, nullptr},
        {591, G::G59_1, Group::CoordinateSystem, nullptr, nullptr},
        {592, G::G59_2, Group::CoordinateSystem, nullptr, nullptr},
        {593, G::G59_3, Group::CoordinateSystem, nullptr, nullptr},
        {610, G::G61, Group::PathControl, nullptr, nullptr},
        {611, G::G61_1, Group::PathControl, nullptr, nullptr},
        {640, G::G64, Group::PathControl, nullptr, nullptr},
        {700, G::G70, Group::NonModal, nullptr, &I::finishCycle},
        {710, G::G71, Group::NonModal, nullptr, &I::roughCycle},
        {711, G::G71_1, Group::NonModal, nullptr, &I::roughCycle},
        {712, G::G71_2, Group::NonModal, nullptr, &I::roughCycle},
        {720, G::G72, Group::NonModal, nullptr, &I::roughCycle},
        {721, G::G72_1, Group::NonModal, nullptr, &I::roughCycle},
        {722, G::G72_2, Group::NonModal, nullptr, &I::roughCycle},
        {730, G::G73, Group::Motion, &I::setDrilling, nullptr, Motion::PeckDrill},
        {760, G::G76, Group::NonModal, nullptr, &I::threadCycle},
        {800, G::G80, Group::Motion, &I::cancelDrilling, nullptr},
        {810, G::G81, Group::Motion, &I::setDrilling, nullptr, Motion::Drill},
        {820, G::G82, Group::Motion, &I::setDrilling, nullptr, Motion::DrillDwell},
        {830, G::G83, Group::Motion, &I::setDrilling, nullptr, Motion::DeepPeckDrill},
        {850, G::G85, Group::Motion, &I::setDrilling, nullptr, Motion::Bore},
        {890, G::G89, Group::Motion, &I::setDrilling, nullptr, Motion::BoreDwell},
        {900, G::G90, Group::Distance, &I::absoluteOrTurningCycle, nullptr, Motion::TurningCycle},
        {901, G::G90_1, Group::ArcDistance, &I::setArcDistance, nullptr},
        {910, G::G91, Group::Distance, &I::setIncremental, nullptr},
        {911, G::G91_1, Group::ArcDistance, &I::setArcDistance, nullptr},
        {920, G::G92, Group::NonModal, &I::offsetOrThreadingCycle, &I::setPosition,
         Motion::ThreadingCycle},
        {921, G::G92_1, Group::NonModal, &I::dropPositionShift, nullptr},
        {922, G::G92_2, Group::NonModal, &I::dropPositionShift, nullptr},
        {923, G::G92_3, Group::NonModal, &I::restorePositionShift, nullptr},
        {930, G::G93, Group::FeedMode, nullptr, nullptr},
        {940, G::G94, Group::FeedMode, &I::perMinuteOrFacingCycle, nullptr, Motion::FacingCycle},
        {950, G::G95, Group::FeedMode, &I::setPerRevolution, nullptr},
        {960, G::G96, Group::SpindleMode, &I::setSpindleMode, nullptr},
        {970, G::G97, Group::SpindleMode, &I::setSpindleMode, nullptr},
        {980, G::G98, Group::CycleReturn, &I::feedModeOrReturn, nullptr},
        {990, G::G99, Group::CycleReturn, &I::feedModeOrReturn, nullptr},
    }};
    static constexpr GCodeRow unknown{-1, GCode::G0, ModalGroup::NonModal, nullptr, &I::claimWords};
};

namespace {

static_assert(
    [] {
        const auto& rows = GCodeTable::rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (std::size_t(rows[i].code) != i || (i > 0 && rows[i - 1].tenths >= rows[i].tenths))
                return false;
        return true;
    }(),
    "rows in the order of GCode and of their numbers");

// The row of each number ×10 below G100, found in one step: every block asks.
constexpr auto kByTenths = [] {
    std::array<std::uint8_t, 1000> index{};
    index.fill(std::uint8_t(GCodeTable::rows.size()));
    for (std::size_t i = 0; i < GCodeTable::rows.size(); ++i)
        index[std::size_t(GCodeTable::rows[i].tenths)] = std::uint8_t(i);
    return index;
}();

}  // namespace

const GCodeRow* gCodeRow(double number) {
    const double t = std::round(number * 10);
    if (!(std::abs(number * 10 - t) < 1e-6) || t < 0 || t >= double(kByTenths.size()))
        return nullptr;
    const std::size_t i = kByTenths[std::size_t(t)];
    return i < GCodeTable::rows.size() ? &GCodeTable::rows[i] : nullptr;
}

const GCodeRow& unknownGCode() {
    return GCodeTable::unknown;
}

bool gCodeOf(double number, GCode& code) {
    const GCodeRow* row = gCodeRow(number);
    if (row != nullptr) code = row->code;
    return row != nullptr;
}

ModalGroup groupOf(GCode code) {
    return GCodeTable::rows[std::size_t(code)].group;
}

int motionNumber(Motion motion) {
    for (auto row = GCodeTable::rows.rbegin(); row != GCodeTable::rows.rend(); ++row)
        if (row->motion == motion && motion != Motion::None) return row->tenths;
    return 800;
}

std::string nameOf(GCode code) {
    const int t = GCodeTable::rows[std::size_t(code)].tenths;
    char buf[16];
    if (t % 10 == 0) {
        std::snprintf(buf, sizeof buf, "G%d", t / 10);
    } else {
        std::snprintf(buf, sizeof buf, "G%d.%d", t / 10, t % 10);
    }
    return buf;
}

}  // namespace zivek::gcode
