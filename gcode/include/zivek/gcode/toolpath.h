#pragma once

// The tool path of a two-axis lathe program, read the way the control reads it.
// Standard library only, so that its tests and benchmarks need no Qt.
//
//   auto path = zivek::gcode::interpret(programText);
//   for (const auto& m : path.moves) { /* m.kind, m.from, m.to, m.line, m.feed */ }
//   path.summary.feedLength, path.summary.cuttingMinutes, path.summary.extent.max.x ...
//
// Positions are true geometry: X is the distance from the spindle axis (a radius), Z the
// distance along it, whatever the program writes. A program in diameter mode writes X
// twice as large; `Toolpath::xScale` turns a position back into the program's X.
// Where the tool starts is unknown until the program names a position (this system's
// own programs start at the work zero): the first move that does starts there, and
// machine moves (G28, G30, G53, tool changes) make it unknown again.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "zivek/gcode/subroutine_source.h"

namespace zivek::gcode {

enum class MoveKind : std::uint8_t { Rapid, Feed };

// What else a move is; bits of Move::flags.
enum MoveFlag : std::uint8_t {
    kArc = 1,               // an arc: Toolpath::arcOf gives its centre and direction
    kThread = 2,            // a spindle-synchronised thread pass; feed is the lead
    kFromCycle = 4,         // made by expanding a canned cycle
    kIncomplete = 8,        // a cycle's contour drawn in place of passes it could not expand
    kPerRevolution = 16,    // the feed is per spindle revolution (G95, G99), not per minute
    kConstantSurface = 32,  // the spindle keeps its surface speed (G96), not its rpm
};

struct Point {
    double z = 0;
    double x = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Move {
    MoveKind kind = MoveKind::Rapid;
    std::uint8_t flags = 0;
    std::uint32_t line = 0;  // 0-based index of the program line that commands it
    Point from;
    Point to;
    double feed = 0;        // F in force (per minute or per revolution); 0 when none was given yet
    double length() const;  // straight length; Toolpath::moveLength measures arcs as arcs
    bool is(MoveFlag f) const { return (flags & f) != 0; }
};

// The spindle as it stands from one move on, until the next such change.
struct Spindle {
    std::uint32_t firstMove = 0;  // index into Toolpath::moves
    // rpm; under constant surface speed the surface speed, in program units per minute
    double speed = 0;
    double rpmLimit = 0;  // G50 S or G96 D; 0 none
    friend bool operator==(const Spindle&, const Spindle&) = default;
};

// What a run of moves adds up to: the whole program's, or one tool's.
struct MoveTotals {
    std::size_t rapidMoves = 0;
    std::size_t feedMoves = 0;  // threads and arcs included
    double rapidLength = 0;
    double feedLength = 0;
    double cuttingMinutes = 0;             // of the feed moves whose time is known
    std::size_t feedMovesWithoutRate = 0;  // feed moves left out of cuttingMinutes
    std::size_t moves() const { return rapidMoves + feedMoves; }
};

// The tool as it stands from one move on, until the next change.
struct ToolChange {
    std::uint32_t firstMove = 0;  // index into Toolpath::moves
    std::uint32_t tool = 0;
    // The offset it works with: Fanuc's T0305 is tool 3 with offset 5; LinuxCNC keeps
    // one offset per tool, the tool's own number.
    std::uint32_t offset = 0;
    std::uint32_t line = 0;   // the program line that changes it (T, or M6 after T)
    std::string description;  // as the program's comments name it; empty when none does
    MoveTotals totals;        // its moves, up to the next change
};

struct Arc {
    std::uint32_t move = 0;  // index into Toolpath::moves
    Point center;
    bool ccw = false;              // G3: counter-clockwise with Z to the right and X up
    std::uint16_t extraTurns = 0;  // whole turns before the last (LinuxCNC's P2: one)
};

enum class Warning : std::uint8_t {
    UnknownWord,             // a letter or character that means nothing on this line
    BadNumber,               // a word without a readable number, e.g. "X" or "X1E999"
    UnsupportedG,            // a G code that moves the tool in a way not drawn (G84, G12 ...)
    UnsupportedM,            // M98/M99 whose subprogram is not in the file
    NoMotionMode,            // axis words before any G0/G1: taken as rapid
    NoFeedRate,              // feed move with F absent, zero or negative: no cutting time
    OpenComment,             // "(" without ")": the rest of the line is ignored
    AbsoluteAndIncremental,  // X with U, or Z with W, on one line: the absolute one wins
    OutOfRange,              // the end point is beyond double range: move left out
    TooManyWarnings,         // further warnings of this line are not listed
    RepeatedWord,            // one axis word twice in a block: the last one counts
    LongLine,                // a line far longer than any control reads
    UnknownStart,            // an incremental move before any known position: not drawn
    BadArc,                  // radius or centre that fits no arc: drawn straight
    CycleIncomplete,         // a cycle that could not be expanded: contour only
    CycleMissingContour,     // the contour or subroutine a cycle names is not in the file
    ExpansionLimit,          // a call or cycle that would expand without end: refused
    NotEvaluated,            // an o-word keyword or a form that is not computed
    ThreadWithoutLead,       // a thread without its pitch: not drawn
    BadExpression,           // an expression not readable, or a parameter never set: word lost
    MathError,               // division by zero, or a function outside its domain: word lost
    ReadOnlyParameter,       // a setting of #<_x>, #5420 ...: the interpreter's state stays
    SubroutineFileMissing,   // o<name> call: name.ngc is in none of the folders searched
    BeyondReach,             // an end point beyond any lathe's travel: drawn, lengths unreal
    CompensationNotDrawn,    // G41/G42: the path is drawn as programmed, not offset by the nose
    CompensationRefused,     // a move the control refuses under compensation: drawn uncompensated
    SameGroupTwice,          // two codes of one modal group on a line: the dialect's rule decides
};
inline constexpr std::size_t kWarningKinds = std::size_t(Warning::SameGroupTwice) + 1;
// Farther from the zero than any lathe travels, in program units (a kilometre in mm).
inline constexpr double kMachineReach = 1e6;

// Why the control refuses a move under nose compensation; it stops the program there.
enum class CompensationFault : std::uint8_t {
    None,
    EntryTooShort,   // the first move is not longer than the radius
    Gouge,           // an inside corner the nose cannot reach without cutting the part
    NoseTooLarge,    // an inside arc not larger than the nose
    OtherMotion,     // a cycle other than G70
    BrokenArc,       // a corner that would move a compensated arc's end off its circle
    PositionRead,    // #5420-#5428 read while compensation is on
    ArcAfterCancel,  // the first move after G40 is an arc
    ThreadCycle,     // G76: no thread is cut, one compensated feed to its end instead
};

struct LineWarning {
    std::uint32_t line = 0;
    Warning code = Warning::UnknownWord;
    std::string word;  // the offending text, shortened; empty when there is none
    CompensationFault fault = CompensationFault::None;  // why, for CompensationRefused
    friend bool operator==(const LineWarning&, const LineWarning&) = default;
};
// The fault as one word ("entry", "gouge" ...), for tools that print it.
const char* faultKey(CompensationFault fault);

struct Extent {
    Point min;
    Point max;
    bool empty = true;
    void add(Point p);
};

enum class Dialect : std::uint8_t {
    Generic,   // this system's own programs: U/W increments, X as written
    Fanuc,     // Fanuc and Haas lathes: X in diameter, G70-G76, G92 threads, G50
    LinuxCnc,  // G7/G8, G33, G76 with I/J/K, o-word subroutines, G92 offsets
};

// What in a program speaks for one control: the reasons a dialect was read in.
enum class DialectSign : std::uint8_t {
    WizardOpening,         // this system's opening: G54, then G0X0Y0
    ProgramNumber,         // "O1234" or "%O1200" opening the program
    SpindleLimit,          // G50 S, or G92 S with no axis: the spindle's rpm limit
    PositionSetting,       // G50 with axes: the position set
    ThreadLeadInF,         // G32, or G33 with its lead in F
    FeedModeG98G99,        // G98/G99: feed per minute or per revolution
    FeedPerRevolutionG95,  // G95
    ToolWithOffset,        // T0101: tool and offset in one word
    SubprogramCall,        // M98
    ThreadCycleG92,        // G92 with its lead in F
    CycleInTwoBlocks,      // G71, G72 or G76 written over two blocks
    HomeByIncrement,       // G28 U/W
    FacingPastCentre,      // a feed to just past the centre line, as diameter programs face
    XAsDiameter,           // an arc that fits only with X read as a diameter
    XAsRadius,             // an arc that fits only with X read as a radius
    DiameterModeCode,      // G7, or G8 without P
    PathControl,           // G61 or G64
    G76WithIJ,             // the one-block G76 with I and J
    CycleOnSubroutine,     // G71/G72 with Q and no P: the contour in an o-sub
    ToolChangeM6,          // M6
    NamedParameter,        // #<name>
    OWord,                 // o-word flow: o100 sub, o<name> call ...
    NoseFromTool,          // G41.1/G42.1: the nose given on the line
    SpindleLimitByD,       // G96 D
    MoveFromWorkZero,      // U/W before any position: only from this system's work zero
    RetractLevel,          // G98/G99 with a drilling cycle: where the drill retracts to
    ModesSaved,            // M73
};

// How the dialect a program was read in came to be chosen.
struct DialectChoice {
    bool chosenByHand = false;  // given by the caller, not detected
    // Detected on little or no evidence: no sign, or another dialect scored nearly as much.
    bool doubtful = false;
    std::vector<DialectSign> reasons;  // the signs seen for it, strongest first; none by hand
};

// Why a cutting time cannot be given for some feed moves.
enum class TimeGap : std::uint8_t {
    None,
    NoFeed,     // F absent or not positive
    NoSpindle,  // feed per revolution or a thread with no spindle speed in force
};

struct Summary {
    std::size_t rapidMoves = 0;
    std::size_t feedMoves = 0;  // threads and arcs included
    std::size_t arcMoves = 0;
    std::size_t threadMoves = 0;
    std::size_t cycleMoves = 0;
    double rapidLength = 0;
    double feedLength = 0;
    double cuttingMinutes = 0;             // of the feed moves whose time is known
    std::size_t feedMovesWithoutRate = 0;  // feed moves left out of cuttingMinutes
    TimeGap timeGap = TimeGap::None;       // the first reason a feed move has no time
    std::size_t incompleteCycles = 0;
    Extent extent;     // every start and end point (arcs: their bulge too)
    Extent cutExtent;  // feed moves only
};

// The nose G41/G42 took from the user's tool table.
struct NoseUsed {
    std::uint32_t line = 0;  // of the G41/G42
    int tool = 0;            // the T word in force, as written (303)
    int entry = 0;           // the table's row it was found under (the offset number, 3)
    double radius = 0;       // in the path's units
    int tip = 0;
};

// The blocks a Fanuc cycle (G70-G73) read as its contour, N(P) to N(Q) of the program's
// own lines, and the cycle's moves that run along it: G70's pass, a roughing cycle's last.
struct CycleContour {
    std::uint32_t cycleLine = 0;
    std::uint32_t firstLine = 0;  // both included
    std::uint32_t lastLine = 0;
    std::size_t firstMove = 0;  // [firstMove, endMove) in Toolpath::moves
    std::size_t endMove = 0;
    bool holds(std::size_t line) const { return line >= firstLine && line <= lastLine; }
};

struct Toolpath {
    std::vector<Move> moves;        // in program order
    std::vector<Arc> arcs;          // by move index, ascending
    std::vector<Spindle> spindles;  // by first move, ascending; changes only
    // By first move, ascending; a change that cuts nothing before the next is left out.
    // Empty when the program names no tool.
    std::vector<ToolChange> tools;
    std::vector<LineWarning> warnings;   // in line order
    std::vector<CycleContour> contours;  // in the order the cycles ran
    std::vector<NoseUsed> noses;         // in line order
    std::size_t lineCount = 0;
    Summary summary;
    Dialect dialect = Dialect::Generic;
    DialectChoice dialectChoice;  // how `dialect` was chosen, and why
    bool diameterMode = false;    // the program writes X as a diameter
    // Positions, lengths and feeds are in inches (G20), else millimetres: the units of
    // the first block that places the tool; later switches are converted to them.
    bool inch = false;
    // The tool stands at the work zero before the first move (this system's programs).
    bool startsAtWorkZero = false;
    double xScale() const { return diameterMode ? 2.0 : 1.0; }

    const Arc* arcOf(std::size_t move) const;
    double moveLength(std::size_t move) const;  // arcs along the arc

    // A program line's share of the path. Moves and warnings are in line order: the
    // moves of a call or a cycle belong to the line that commands them.
    std::size_t movesBefore(std::size_t line) const;     // index of the first move at or after
    std::size_t warningsBefore(std::size_t line) const;  // likewise for warnings
    std::optional<std::size_t> firstMoveOf(std::size_t line) const;
    std::span<const Move> movesOf(std::size_t line) const;
    std::span<const LineWarning> warningsOf(std::size_t line) const;
    // The spindle in force for a move; a stopped one before any S.
    Spindle spindleOf(std::size_t move) const;
    // The tool change in force for a move; none before the first.
    const ToolChange* toolOf(std::size_t move) const;
};

struct ToolTable;

struct ReadOptions {
    bool autoDialect = true;
    Dialect dialect = Dialect::Generic;  // used when autoDialect is false
    // Where "o<name> call" finds a subroutine the program does not hold: the file
    // name.ngc (name in lower case, as LinuxCNC looks for it) holding "o<name> sub" ...
    // "o<name> endsub". Read from `subroutines` when given, else from the first of
    // `subroutineFolders` that has one (the program's own folder first); neither: the
    // program is read alone.
    std::shared_ptr<const SubroutineSource> subroutines;
    std::vector<std::filesystem::path> subroutineFolders;
    // The shop's tools (tool_table.h): nose radius and tip for G41/G42, length offsets
    // for G43. None: compensation names the missing data, as before.
    std::shared_ptr<const ToolTable> tools;
};

// Never throws on bad input: everything odd becomes a warning on its line. Work is
// bounded by the program's size: calls and cycles that would expand without end are
// refused with a warning.
Toolpath interpret(std::string_view program, const ReadOptions& options = {});

// Lines as the interpreter numbers them: split at LF (a CR before it dropped), or at CR
// when the text has no LF at all. Text after the last line end is a line only when it
// is not empty.
std::vector<std::string_view> splitLines(std::string_view text);

// The offset of each line's first character, as splitLines numbers them; 4 bytes a line.
std::vector<std::uint32_t> lineStarts(std::string_view text);
// Line `index` of `text` without its line end.
std::string_view lineAt(std::string_view text, const std::vector<std::uint32_t>& starts,
                        std::size_t index);

// An arc as a chain of points from its start to its end, no point farther than
// `tolerance` from the true arc; a line gives its two ends.
std::vector<Point> polyline(const Toolpath& path, std::size_t move, double tolerance);

}  // namespace zivek::gcode
