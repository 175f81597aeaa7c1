#pragma once

#include "gcode/internal.h"

// What each control makes of the words whose meaning differs between them. The reader
// asks these rules; it never asks which control the program was written for.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "gcode/code_rows.h"
#include "gcode/nose_tips.h"
#include "zivek/gcode/arcs.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// When a code the controls read differently takes its other meaning.
enum class OtherMeaning : std::uint8_t {
    Never,
    Always,
    WithAxesAlone,  // the block names axes and no code of the motion group
    WithLead,       // the block writes F, the lead
};

// What a line that names two codes of one modal group does.
enum class TwoOfOneGroup : std::uint8_t {
    LastCounts,   // the one written last; the other is left out
    LineRefused,  // nothing of the line runs
};

// What a T word does.
enum class ToolWord : std::uint8_t {
    // Changes the tool at once; from three digits on, the last two are the offset (T0305:
    // tool 3, offset 5), below that the tool takes its own offset.
    ChangesWithOffset,
    PreparedForM6,  // names the tool M6 changes to, whose offset is its own
};

struct DialectRules {
    bool xDiameter;          // X (and U) are written as a diameter
    bool feedPerRevolution;  // the feed mode a program starts in
    // By Ambiguous: when each code the controls read differently means its other row.
    std::array<OtherMeaning, kAmbiguities> otherMeaning;
    TwoOfOneGroup twoOfOneGroup;
    bool m73SavesModes;  // M73 in a subroutine: its modes are undone at the return
    bool g96LimitFromD;  // G96 D is the rpm limit
    // G70-G72 take their contour from the o-sub that Q names, start at X/Z and read
    // D (allowance), I (depth), R (retract); otherwise P/Q are the contour's first and
    // last block numbers, U/W the allowance, and a block without P is the first block.
    bool cyclesOnSubroutine;
    bool contourCorners;  // A and C on a cycle's contour block round or chamfer its end
    // A contour's arc is taken from its start, centre (I, K) and end as written, whether
    // they make one or not: the cycle finds out (LinuxCNC's G7x refuses it as not
    // monotonic, or cuts to the circle through the start).
    bool contourArcsAsWritten;
    bool g76OneBlock;      // G76 P I J K ... in one block; otherwise Fanuc's two blocks
    bool leadFromFeed;     // G32/G33 without K take the lead from F
    bool startAtWorkZero;  // the tool stands at the work zero before the first move
    // G41.1/G42.1 give the nose on the block (D its diameter, L the insert's
    // orientation), so the compensated path can be drawn; G41/G42 take it from a tool
    // table the program does not carry.
    bool noseFromWords;
    ToolWord toolWord;
    // G41/G42 take the nose from the user's tool table: the row of the offset number the
    // T word selects (T0303: tool 3, offset 3), else of its tool number.
    bool noseFromToolTable;
    // The first move under compensation ends with the nose square to the move after it
    // (Fanuc's start-up), not to itself (LinuxCNC's entry).
    bool noseStartSquareToNext;
    TipShifts noseTips;  // where each tip number puts the tool's control point
    // Blanks outside comments mean nothing, even inside a word: "X 1 5" is X15, "G 1" G1.
    bool blanksInsideWords;
    ArcRule arcs;  // how far from a true circle an arc may be before the control refuses it
};

// The other meanings a dialect gives, by code; a code not named keeps its first row.
constexpr std::array<OtherMeaning, kAmbiguities> otherMeanings(
    std::initializer_list<std::pair<Ambiguous, OtherMeaning>> given) {
    std::array<OtherMeaning, kAmbiguities> all{};
    for (const auto& [code, when] : given) all[std::size_t(code)] = when;
    return all;
}

const DialectRules& rulesOf(Dialect dialect);

}  // namespace zivek::gcode
