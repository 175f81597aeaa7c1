#pragma once

// The tools a shop keeps: one text file the user edits, read by the reader (nose radius
// and tip for compensation, length offsets for G43) and by the viewer (inserts to draw
// and cut with). LinuxCNC's own tool-table lines are valid as they are, so the same
// file serves LinuxCNC:
//
//   ; comment line
//   G20                              (alone on a line: the numbers are inches)
//   T1 P1 Z0.5 X0 D1.6 Q3 ;KABA      (LinuxCNC: D the tool's diameter, Q the tip 0-9)
//   T2 CNMG120408 Q3 ;DIS KABA       (an ISO insert: shape, size and nose radius)
//   T3 DNMG 150604 R0.2 Q3           (R: the nose radius, over the code's and D's)
//   T5 GROOVE W3 Q3                  (a grooving blade 3 wide; also KANAL)
//   T4 DRILL D10 ;MATKAP 10          (a drill 10 across; also MATKAP)
//   T6 VNMG160404 Q3 HOLDER(0,0 -2,8 -2,30 12,30)   (the holder's outline: Z,X pairs)
//
// The text after ';' is the tool's description. Lengths stay in the file's units.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

enum class InsertKind : unsigned char { Unknown, Turning, Grooving, Drill };

struct Insert {
    InsertKind kind = InsertKind::Unknown;
    char shape = 0;              // ISO shape letter: C, D, V, W, T, S, R, K
    double includedAngle = 0;    // degrees at the cutting corner; 0 for a round insert
    double inscribedCircle = 0;  // turning inserts; a round insert's diameter
    double width = 0;            // a grooving blade's width, a drill's diameter
    std::string code;            // as written: "CNMG120408", "GROOVE", "DRILL"
    friend bool operator==(const Insert&, const Insert&) = default;
};

struct ToolEntry {
    int number = 0;
    int pocket = 0;
    double noseRadius = 0;
    int tip = 0;  // orientation 0-9; 0 and 9 name no tip point
    double zOffset = 0;
    double xOffset = 0;
    Insert insert;
    std::vector<Point> holder;  // relative to the tip point, X as a radius
    std::string description;
    friend bool operator==(const ToolEntry&, const ToolEntry&) = default;
};

struct ToolTable {
    bool inch = false;             // the file's numbers are inches
    std::vector<ToolEntry> tools;  // by number, ascending, one each
    const ToolEntry* find(int number) const;
    friend bool operator==(const ToolTable&, const ToolTable&) = default;
};

enum class ToolTableFaultKind : unsigned char {
    Unreadable,    // the file could not be read (line 0)
    NoToolNumber,  // no T word with a whole number: the line is left out
    BadNumber,     // a word whose number is missing or out of range
    UnknownWord,   // a word this table does not know
    BadHolder,     // a HOLDER(...) that is not Z,X pairs
};

struct ToolTableFault {
    std::size_t line = 0;  // counted from 1
    ToolTableFaultKind kind = ToolTableFaultKind::UnknownWord;
    std::string word;  // as written
};

struct ToolTableReading {
    ToolTable table;
    std::vector<ToolTableFault> faults;  // lines left out, and why
};

// Never throws. A line without a readable T number is left out with a fault; a word it
// cannot read is a fault and the rest of its line is kept. A later line for the same T
// number replaces the earlier one.
ToolTableReading readToolTable(std::string_view text);
// A missing file reads as an empty table with one fault at line 0.
ToolTableReading readToolTableFile(const std::filesystem::path& path);
// Reads back as the same table.
std::string writeToolTable(const ToolTable& table);

// An ISO (CNMG120408) or ANSI (CNMG432) turning insert code: the insert and its nose
// radius in millimetres (ANSI: inches), or nothing when the code is not one.
struct InsertCode {
    Insert insert;
    double noseRadius = 0;
    bool inch = false;
};
std::optional<InsertCode> readInsertCode(std::string_view code);

// The entry's lengths in the program's units.
ToolEntry toolInUnits(const ToolEntry& entry, bool tableInch, bool programInch);

}  // namespace zivek::gcode
