#pragma once

// What each control makes of the words whose meaning differs between them. The reader
// asks these rules; it never asks which control the program was written for.

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// What G92 does: Fanuc's threading cycle, LinuxCNC's coordinate offset, or in this
// system's form the cycle only when a lead (F) is written on the block.
enum class G92Meaning : std::uint8_t { ThreadCycle, Offset, ThreadCycleWithLead };

struct DialectRules {
    bool xDiameter;          // X (and U) are written as a diameter
    bool feedPerRevolution;  // the feed mode a program starts in
    // G90 and G94 with axis words and no motion code are Fanuc's turning and facing
    // cycles (G-code system A); otherwise absolute mode and feed per minute.
    bool singleCycles;
    G92Meaning g92;
    bool g50SetsPosition;  // G50: position and rpm limit; otherwise not drawn
    bool g98g99FeedMode;   // G98/G99: per minute / per revolution, not a drilling return
    bool drillCycles;      // G73, G81-G89 drill along Z; otherwise not drawn, warned
    bool m73SavesModes;    // M73 in a subroutine: its modes are undone at the return
    bool g96LimitFromD;    // G96 D is the rpm limit
    // G70-G72 take their contour from the o-sub that Q names, start at X/Z and read
    // D (allowance), I (depth), R (retract); otherwise P/Q are the contour's first and
    // last block numbers, U/W the allowance, and a block without P is the first block.
    bool cyclesOnSubroutine;
    bool contourCorners;   // A and C on a cycle's contour block round or chamfer its end
    bool g76OneBlock;      // G76 P I J K ... in one block; otherwise Fanuc's two blocks
    bool leadFromFeed;     // G32/G33 without K take the lead from F
    bool startAtWorkZero;  // the tool stands at the work zero before the first move
    // G41.1/G42.1 give the nose on the block (D its diameter, L the insert's
    // orientation), so the compensated path can be drawn; G41/G42 take it from a tool
    // table the program does not carry.
    bool noseFromWords;
};

const DialectRules& rulesOf(Dialect dialect);

}  // namespace zivek::gcode
