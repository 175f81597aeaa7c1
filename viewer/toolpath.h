#pragma once

// The tool path of a two-axis lathe program, read the way the control reads it.
// Standard library only, so that its tests and benchmarks need no Qt.
//
//   auto path = zivek::backplot::interpret(programText);
//   for (const auto& m : path.moves) { /* m.kind, m.from, m.to, m.line, m.feed */ }
//   path.summary.feedLength, path.summary.cuttingMinutes, path.summary.extent.max.x ...
//
// The tool starts at X0 Z0. G0/G1 are modal; U and W move incrementally across (X) and
// along (Z) the axis, X and Z are absolute; a Y word is accepted and ignored.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zivek::backplot {

enum class MoveKind : std::uint8_t { Rapid, Feed };

struct Point {
    double z = 0;
    double x = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Move {
    MoveKind kind = MoveKind::Rapid;
    Point from;
    Point to;
    std::uint32_t line = 0;  // 0-based index of the program line that commands it
    double feed = 0;         // F in force; 0 when none was given yet
    double length() const;
};

enum class Warning : std::uint8_t {
    UnknownWord,   // a letter or character the lathe programs never use
    BadNumber,     // a word without a readable number, e.g. "X" or "X1E999"
    UnsupportedG,  // e.g. G2: the line's end point still counts, drawn straight
    UnsupportedM,
    NoMotionMode,            // axis words before any G0/G1: taken as rapid
    NoFeedRate,              // feed move with F absent, zero or negative: no cutting time
    OpenComment,             // "(" without ")": the rest of the line is ignored
    AbsoluteAndIncremental,  // X with U, or Z with W, on one line: the absolute one wins
    OutOfRange,              // the end point is beyond double range: move left out
    TooManyWarnings,         // further warnings of this line are not listed
};

struct LineWarning {
    std::uint32_t line = 0;
    Warning code = Warning::UnknownWord;
    std::string word;  // the offending text, shortened; empty when there is none
};

struct Extent {
    Point min;
    Point max;
    bool empty = true;
    void add(Point p);
};

struct Summary {
    std::size_t rapidMoves = 0;
    std::size_t feedMoves = 0;
    double rapidLength = 0;
    double feedLength = 0;
    double cuttingMinutes = 0;             // sum of feed length / F in force
    std::size_t feedMovesWithoutRate = 0;  // feed moves left out of cuttingMinutes
    Extent extent;                         // every start and end point
};

struct Toolpath {
    std::vector<Move> moves;            // in program order
    std::vector<LineWarning> warnings;  // in line order
    std::size_t lineCount = 0;
    Summary summary;
};

// Never throws on bad input: everything odd becomes a warning on its line.
Toolpath interpret(std::string_view program);

Summary summarize(const std::vector<Move>& moves);

// Lines as the interpreter numbers them: split at LF, a CR before it dropped. Text after
// the last LF is a line only when it is not empty.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace zivek::backplot
