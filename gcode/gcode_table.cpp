// Every G-code the reader knows: its number, modal group, the words it takes and what it
// does, at the setting of its block's modes and in place of the block's move. A code
// that the controls read differently has a second row, its other meaning, which the
// dialect's row chooses.

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
    static constexpr std::uint32_t kNone = 0;

    // The other meanings, which the rows below point to. A code's first row is what
    // LinuxCNC makes of it.
    static constexpr std::array<GCodeRow, 15> others{{
        // Fanuc's G50: the position, and with S the highest spindle speed.
        {500, G::G50, Group::NonModal, letters("S"), &I::setSpeedLimit, &I::setPosition},
        // Fanuc's single cycles (G-code system A) take over the motion mode.
        {900, G::G90, Group::Motion, kNone, &I::startSingleCycle, nullptr, Motion::TurningCycle},
        {920, G::G92, Group::Motion, kNone, &I::startSingleCycle, nullptr, Motion::ThreadingCycle},
        {940, G::G94, Group::Motion, kNone, &I::startSingleCycle, nullptr, Motion::FacingCycle},
        {980, G::G98, Group::FeedMode, kNone, &I::setFeedMode, nullptr},
        {990, G::G99, Group::FeedMode, kNone, &I::setFeedMode, nullptr},
        // Drilling where no drilling cycle is drawn: its words are its own, not a move.
        {810, G::G81, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
        {820, G::G82, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
        {830, G::G83, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
        {850, G::G85, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
        {890, G::G89, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
        // Fanuc's multiple repetitive cycles: the pattern repeat, face and diameter grooving.
        {730, G::G73, Group::NonModal, kNone, nullptr, &I::patternCycle},
        {740, G::G74, Group::NonModal, kNone, nullptr, &I::grooveCycle},
        {750, G::G75, Group::NonModal, kNone, nullptr, &I::grooveCycle},
        // Data setting whose L and P numbers the other controls read their own way.
        {100, G::G10, Group::NonModal, kNone, &I::notDrawn, &I::claimWords},
    }};

    // In the order of GCode, so that a code is its own index.
    static constexpr std::array<GCodeRow, std::size_t(GCode::G99) + 1> rows{{
        {0, G::G0, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Rapid},
        {10, G::G1, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Feed},
        {20, G::G2, Group::Motion, kNone, &I::setMotion, nullptr, Motion::ArcClockwise},
        {30, G::G3, Group::Motion, kNone, &I::setMotion, nullptr, Motion::ArcCounterClockwise},
        // P, X or U give the dwell's time; nothing moves.
        {40, G::G4, Group::NonModal, letters("PXU"), nullptr, &I::dwell},
        {70, G::G7, Group::LatheDiameter, kNone, &I::setDiameter, nullptr},
        {80, G::G8, Group::LatheDiameter, kNone, &I::setDiameter, nullptr},
        // L2 sets a coordinate system's origin, L20 so that the tool stands at X Z in it.
        {100, G::G10, Group::NonModal, letters("LP"), nullptr, &I::setCoordinateSystem,
         Motion::None, Ambiguous::G10, &others[14]},
        {150, G::G15, Group::Polar, kNone, nullptr, nullptr},
        {160, G::G16, Group::Polar, kNone, nullptr, nullptr},
        {170, G::G17, Group::Plane, kNone, &I::setPlane, nullptr},
        {180, G::G18, Group::Plane, kNone, &I::setPlane, nullptr},
        {190, G::G19, Group::Plane, kNone, &I::setPlane, nullptr},
        {200, G::G20, Group::Units, kNone, &I::setUnitsOf, nullptr},
        {210, G::G21, Group::Units, kNone, &I::setUnitsOf, nullptr},
        {280, G::G28, Group::NonModal, kNone, nullptr, &I::machineMove},
        {281, G::G28_1, Group::NonModal, kNone, nullptr, nullptr},
        {300, G::G30, Group::NonModal, kNone, nullptr, &I::machineMove},
        {301, G::G30_1, Group::NonModal, kNone, nullptr, nullptr},
        {320, G::G32, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Thread},
        {330, G::G33, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Thread},
        {331, G::G33_1, Group::NonModal, kNone, nullptr, &I::rigidTap},
        {400, G::G40, Group::Compensation, kNone, &I::compensationOff, nullptr},
        // D names the tool, L the nose's orientation.
        {410, G::G41, Group::Compensation, letters("DL"), &I::compensationFromTable, nullptr},
        {411, G::G41_1, Group::Compensation, letters("DL"), &I::compensationOn, nullptr},
        {420, G::G42, Group::Compensation, letters("DL"), &I::compensationFromTable, nullptr},
        {421, G::G42_1, Group::Compensation, letters("DL"), &I::compensationOn, nullptr},
        // H names the tool whose offsets apply; G43.1's Z and X are offsets, not a move.
        {430, G::G43, Group::LengthOffset, letters("H"), &I::useToolLength, nullptr},
        {431, G::G43_1, Group::LengthOffset, kNone, nullptr, &I::useGivenLength},
        {490, G::G49, Group::LengthOffset, kNone, &I::cancelToolLength, nullptr},
        {500, G::G50, Group::NonModal, kNone, &I::notDrawn, nullptr, Motion::None, Ambiguous::G50,
         &others[0]},
        {520, G::G52, Group::NonModal, kNone, nullptr, &I::setLocalOffset},
        {530, G::G53, Group::NonModal, kNone, nullptr, &I::machineMove},
        {540, G::G54, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {541, G::G54_1, Group::CoordinateSystem, kNone, nullptr, nullptr},
        {550, G::G55, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {560, G::G56, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {570, G::G57, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {580, G::G58, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {590, G::G59, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {591, G::G59_1, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {592, G::G59_2, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {593, G::G59_3, Group::CoordinateSystem, kNone, &I::selectCoordinateSystem, nullptr},
        {610, G::G61, Group::PathControl, kNone, nullptr, nullptr},
        {611, G::G61_1, Group::PathControl, kNone, nullptr, nullptr},
        // P and Q: how far the blended path and the joined lines may stray.
        {640, G::G64, Group::PathControl, letters("PQ"), nullptr, nullptr},
        {700, G::G70, Group::NonModal, kNone, nullptr, &I::finishCycle},
        {710, G::G71, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {711, G::G71_1, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {712, G::G71_2, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {720, G::G72, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {721, G::G72_1, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {722, G::G72_2, Group::NonModal, kNone, nullptr, &I::roughCycle},
        {730, G::G73, Group::Motion, kNone, &I::setMotion, nullptr, Motion::PeckDrill,
         Ambiguous::LatheRepeats, &others[11]},
        // Not LinuxCNC's codes: warned, their words their own.
        {740, G::G74, Group::NonModal, kNone, &I::notDrawn, &I::claimWords, Motion::None,
         Ambiguous::LatheRepeats, &others[12]},
        {750, G::G75, Group::NonModal, kNone, &I::notDrawn, &I::claimWords, Motion::None,
         Ambiguous::LatheRepeats, &others[13]},
        {760, G::G76, Group::NonModal, kNone, nullptr, &I::threadCycle},
        {800, G::G80, Group::CycleCancel, kNone, &I::cancelDrilling, nullptr},
        {810, G::G81, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Drill,
         Ambiguous::Drilling, &others[6]},
        {820, G::G82, Group::Motion, kNone, &I::setMotion, nullptr, Motion::DrillDwell,
         Ambiguous::Drilling, &others[7]},
        {830, G::G83, Group::Motion, kNone, &I::setMotion, nullptr, Motion::DeepPeckDrill,
         Ambiguous::Drilling, &others[8]},
        {850, G::G85, Group::Motion, kNone, &I::setMotion, nullptr, Motion::Bore,
         Ambiguous::Drilling, &others[9]},
        {890, G::G89, Group::Motion, kNone, &I::setMotion, nullptr, Motion::BoreDwell,
         Ambiguous::Drilling, &others[10]},
        {900, G::G90, Group::Distance, kNone, &I::setAbsolute, nullptr, Motion::None,
         Ambiguous::G90, &others[1]},
        {901, G::G90_1, Group::ArcDistance, kNone, &I::setArcDistance, nullptr},
        {910, G::G91, Group::Distance, kNone, &I::setIncremental, nullptr},
        {911, G::G91_1, Group::ArcDistance, kNone, &I::setArcDistance, nullptr},
        {920, G::G92, Group::NonModal, kNone, nullptr, &I::setPosition, Motion::None,
         Ambiguous::G92, &others[2]},
        {921, G::G92_1, Group::NonModal, kNone, nullptr, &I::dropPositionShift},
        {922, G::G92_2, Group::NonModal, kNone, nullptr, &I::dropPositionShift},
        {923, G::G92_3, Group::NonModal, kNone, nullptr, &I::restorePositionShift},
        {930, G::G93, Group::FeedMode, kNone, nullptr, nullptr},
        {940, G::G94, Group::FeedMode, kNone, &I::setPerMinute, nullptr, Motion::None,
         Ambiguous::G94, &others[3]},
        {950, G::G95, Group::FeedMode, kNone, &I::setPerRevolution, nullptr},
        {960, G::G96, Group::SpindleMode, kNone, &I::setSpindleMode, nullptr},
        {970, G::G97, Group::SpindleMode, kNone, &I::setSpindleMode, nullptr},
        {980, G::G98, Group::CycleReturn, kNone, &I::setCycleReturn, nullptr, Motion::None,
         Ambiguous::G98G99, &others[4]},
        {990, G::G99, Group::CycleReturn, kNone, &I::setCycleReturn, nullptr, Motion::None,
         Ambiguous::G98G99, &others[5]},
    }};
    static constexpr GCodeRow unknown{-1,    GCode::G0, ModalGroup::NonModal,
                                      kNone, nullptr,   &I::claimWords};
};

namespace {

static_assert(
    [] {
        const auto& rows = GCodeTable::rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (std::size_t(rows[i].code) != i || (i > 0 && rows[i - 1].tenths >= rows[i].tenths))
                return false;
        }
        // Each other meaning is of its own code. (Whether a row has one is not asked here:
        // a sanitizing build takes a comparison of these addresses as not constant.)
        for (const GCodeRow& other : GCodeTable::others)
            if (std::size_t(other.code) >= rows.size() ||
                rows[std::size_t(other.code)].ambiguous == Ambiguous::None)
                return false;
        return true;
    }(),
    "rows in the order of GCode and of their numbers, each other meaning of an ambiguous code");

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

int motionNumber(Motion motion) {
    if (motion == Motion::None) return 800;
    // From the end: G33 before G32.
    for (auto row = GCodeTable::rows.rbegin(); row != GCodeTable::rows.rend(); ++row)
        if (row->motion == motion) return row->tenths;
    for (const GCodeRow& row : GCodeTable::others)
        if (row.motion == motion) return row.tenths;
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
