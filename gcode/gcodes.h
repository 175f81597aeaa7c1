#pragma once

#include "gcode/internal.h"

// The G- and M-codes the reader knows, each by its own name (G33.1 is one code, not G33
// with a fraction), the modal groups they belong to, and the kinds of motion a block may
// be in.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zivek::gcode {

enum class GCode : std::uint8_t {
    G0,
    G1,
    G2,
    G3,
    G4,
    G7,
    G8,
    G10,
    G15,
    G16,
    G17,
    G18,
    G19,
    G20,
    G21,
    G28,
    G28_1,
    G30,
    G30_1,
    G32,
    G33,
    G33_1,
    G40,
    G41,
    G41_1,
    G42,
    G42_1,
    G43,
    G43_1,
    G49,
    G50,
    G52,
    G53,
    G54,
    G54_1,
    G55,
    G56,
    G57,
    G58,
    G59,
    G59_1,
    G59_2,
    G59_3,
    G61,
    G61_1,
    G64,
    G70,
    G71,
    G71_1,
    G71_2,
    G72,
    G72_1,
    G72_2,
    G73,
    G74,
    G75,
    G76,
    G80,
    G81,
    G82,
    G83,
    G85,
    G89,
    G90,
    G90_1,
    G91,
    G91_1,
    G92,
    G92_1,
    G92_2,
    G92_3,
    G93,
    G94,
    G95,
    G96,
    G97,
    G98,
    G99,
};

// The M-codes the reader knows. Others are read and left alone: they switch what does
// not draw (clamps, doors, outputs).
enum class MCode : std::uint8_t {
    M0,
    M1,
    M2,
    M3,
    M4,
    M5,
    M6,
    M7,
    M8,
    M9,
    M30,
    M60,
    M73,
    M98,
    M99,
};

// The groups of codes of which a block names one at most, G and M alike, listed in the
// order their codes run within a block, whatever order the block writes them in. The
// order is LinuxCNC's (M-codes before G-codes, the move last, stops after it) with one
// step moved: units come first, so that the block's F, S and lengths are read in the
// units it sets, which is what LinuxCNC makes of them.
enum class ModalGroup : std::uint8_t {
    ModalState,     // M73: saves the modes as the block found them
    Units,          // G20/G21
    SpindleMode,    // G96/G97
    FeedMode,       // G93-G95 (G98/G99 where they are feed modes); then F, S and T
    ToolChange,     // M6
    Spindle,        // M3-M5
    Coolant,        // M7-M9
    LatheDiameter,  // G7/G8
    Plane,          // G17-G19
    Polar,          // G15/G16
    Compensation,   // G40-G42
    LengthOffset,   // G43, G49
    CoordinateSystem,
    PathControl,  // G61, G64
    Distance,     // G90/G91
    ArcDistance,  // G90.1/G91.1
    CycleReturn,  // G98/G99 (in some controls the feed mode instead)
    NonModal,     // this block only: dwell, home, machine moves, settings, cycles
    Subprogram,   // M98: the call, in place of the block's move
    // G80: of the motion group, but LinuxCNC lets it share a line with another motion
    // code, which then counts.
    CycleCancel,
    Motion,  // G0-G3, G32, G33, G73, G81-G89
    Stop,    // M0, M1, M2, M30, M60, M99: after the block's move
};
// The group after whose codes the block's F, S and T are taken.
inline constexpr ModalGroup kFeedSpeedToolAfter = ModalGroup::FeedMode;
inline constexpr std::size_t kModalGroups = std::size_t(ModalGroup::Stop) + 1;

// What a block's move does when it names axes.
enum class Motion : std::uint8_t {
    None,  // no motion code yet
    Rapid,
    Feed,
    ArcClockwise,
    ArcCounterClockwise,
    Thread,  // G32/G33: a feed move locked to the spindle
    // Fanuc's single cycles, modal over the blocks that follow with new depths.
    TurningCycle,
    ThreadingCycle,
    FacingCycle,
    // Drilling along Z, modal over the blocks that follow with new holes.
    PeckDrill,      // G73: chip-breaking pecks
    Drill,          // G81
    DrillDwell,     // G82
    DeepPeckDrill,  // G83: out to R between pecks
    Bore,           // G85: out at the feed
    BoreDwell,      // G89
};

inline bool isDrilling(Motion m) {
    return m >= Motion::PeckDrill && m <= Motion::BoreDwell;
}

// "G33.1" for warnings and summaries.
std::string nameOf(GCode code);
std::string nameOf(MCode code);
// The number ×10 of the code that selects a motion (G33 for a thread, LinuxCNC's own);
// G80's before any.
int motionNumber(Motion motion);

}  // namespace zivek::gcode
