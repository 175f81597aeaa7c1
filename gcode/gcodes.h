#pragma once

#include "gcode/internal.h"

// The G-codes the reader knows, each by its own name (G33.1 is one code, not G33 with a
// fraction), the modal group it belongs to, and the kinds of motion a block may be in.

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

enum class ModalGroup : std::uint8_t {
    NonModal,      // this block only: dwell, home, machine moves, settings, cycles
    Motion,        // G0-G3, G32, G33, G73, G80-G89
    Plane,         // G17-G19
    Distance,      // G90/G91
    ArcDistance,   // G90.1/G91.1
    FeedMode,      // G93-G95
    Units,         // G20/G21
    Compensation,  // G40-G42
    LengthOffset,  // G43, G49
    CoordinateSystem,
    PathControl,    // G61, G64
    SpindleMode,    // G96/G97
    LatheDiameter,  // G7/G8
    CycleReturn,    // G98/G99 (in some controls the feed mode instead)
    Polar,          // G15/G16
};

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

// The code a G word's number names, or false for a code the reader does not know.
bool gCodeOf(double number, GCode& code);
ModalGroup groupOf(GCode code);
// "G33.1" for warnings and summaries.
std::string nameOf(GCode code);
// The number ×10 of the code that selects a motion (G33 for a thread, LinuxCNC's own);
// G80's before any.
int motionNumber(Motion motion);

}  // namespace zivek::gcode
