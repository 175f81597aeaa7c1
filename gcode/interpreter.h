#pragma once

#include "gcode/internal.h"

// The interpreter's state and its parts. Internal: the public face is interpret() in
// toolpath.h. One class, its work split over files by kind: lines and program flow
// (interpreter.cpp), the G-codes (gcode_table.cpp) and what they set (modes.cpp), motion
// (motion.cpp), threads (thread_cycles.cpp), roughing and finishing cycles
// (rough_cycles.cpp), cutting time (cutting_time.cpp).

#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gcode/code_rows.h"
#include "gcode/gcode_words.h"
#include "gcode/gcodes.h"
#include "gcode/nose_compensation.h"
#include "gcode/parameters.h"
#include "gcode/segment.h"
#include "zivek/gcode/dialect_rules.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// An o-word's name as one key: "O0100" and "o100" are one program, case is ignored.
std::string lowerName(std::string_view name);

// Totals of the moves, the cutting time among them, from what the moves record.
void summarize(Toolpath& path);

Dialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts);

// The words of one block by address letter. A repeated letter keeps its last value.
struct Block {
    std::array<double, 26> value{};
    std::array<std::string_view, 26> text{};
    std::uint32_t present = 0;
    std::uint32_t lost = 0;  // given as an expression that is not computed
    std::uint32_t used = 0;  // letters something on the line took
    std::vector<double> gCodes;
    std::vector<double> mCodes;

    static std::uint32_t bit(char c) { return std::uint32_t(1) << (c - 'A'); }
    bool has(char c) const { return (present & bit(c)) != 0; }
    double get(char c) const { return value[std::size_t(c - 'A')]; }
    double use(char c) {
        used |= bit(c);
        return get(c);
    }
    // Words that are lengths are taken in the path's units: a program that switches
    // between inches and millimetres draws one path.
    double lengthScale = 1;
    double increment = 1e-3;  // the least input increment of the units in force
    double length(char c) { return use(c) * lengthScale; }
    // Fanuc reads a number without a point in the least input increment: Q500 is 0.5 mm.
    double lengthInIncrements(char c) {
        const double v = use(c);
        return (hasDecimal(c) ? v : v * increment) * lengthScale;
    }
    bool hasDecimal(char c) const;  // the number was written with a point
};

struct Modal {
    Motion motion = Motion::None;
    bool incremental = false;
    bool diameter = false;
    bool perRevolution = false;
    bool inch = false;
    bool absoluteCentres = false;  // G90.1: I and K name the arc's centre, not a step to it
    bool constantSurface = false;
    double feed = 0;
    double speed = 0;           // S: rpm, or surface speed under G96
    double surfaceUnit = 1000;  // path units in the metre or foot of a surface speed S
    double rpmLimit = 0;        // G50 S or G96 D; 0 none
    double lead = 0;            // G33 K, or F where F gives the lead
    double tool = -1;
    double xScale() const { return diameter ? 2.0 : 1.0; }
};

inline constexpr double kFeedInForce = std::numeric_limits<double>::quiet_NaN();

class Interpreter {
  public:
    Interpreter(std::string_view text, const ReadOptions& options, Toolpath& out);
    void run();

  private:
    friend struct GCodeTable;
    friend struct MCodeTable;

    // Lines and program flow (interpreter.cpp).
    void runRange(std::size_t begin, std::size_t end);
    void runLine(std::size_t index);
    bool flowWord(std::size_t index, std::string_view line);
    void readBlock(std::string_view line);
    void applyModes();
    void setUnits(bool inch);
    // A block's codes in their groups' order (block_codes.cpp), and what G-codes set as
    // their block is read (modes.cpp).
    const GCodeRow& meaningOf(const GCodeRow& row) const;
    void orderCodes();
    void takeFeedSpeedTool(std::uint32_t taken);
    void setMotion(const GCodeRow& g);
    void setDiameter(const GCodeRow& g);
    void compensationNotDrawn(const GCodeRow& g);
    void compensationOn(const GCodeRow& g);
    void compensationOff(const GCodeRow& g);
    void setUnitsOf(const GCodeRow& g);
    void notDrawn(const GCodeRow& g);
    void setSpeedLimit(const GCodeRow& g);
    void setAbsolute(const GCodeRow& g);
    void setIncremental(const GCodeRow& g);
    void setArcDistance(const GCodeRow& g);
    void setPerMinute(const GCodeRow& g);
    void setPerRevolution(const GCodeRow& g);
    void setFeedMode(const GCodeRow& g);
    void setSpindleMode(const GCodeRow& g);
    void setCycleReturn(const GCodeRow& g);
    void cancelDrilling(const GCodeRow& g);
    void startSingleCycle(const GCodeRow& g);
    // What they do in place of the block's move.
    void claimWords(const GCodeRow& g);
    void dwell(const GCodeRow& g);
    void rigidTap(const GCodeRow& g);
    void threadCycle(const GCodeRow& g);
    // What M-codes do (mcode_table.cpp).
    void saveModes(const MCodeRow& m);
    void changePallet(const MCodeRow& m);
    void endProgram(const MCodeRow& m);
    void returnFromSubprogram(const MCodeRow& m);
    void callSubprogram(const MCodeRow& m);
    void execute();
    void move();
    void warnUnused();
    void warn(Warning code, std::string_view word = {});
    bool spend(std::size_t work);
    std::size_t lineOfNumber(double n, std::size_t near);
    struct Sub {
        std::size_t begin = 0, end = 0;  // body lines, end exclusive
    };
    const Sub* findSub(std::string_view name);
    void callLines(std::size_t begin, std::size_t end, std::size_t times);
    bool capture(std::size_t begin, std::size_t end, std::vector<Segment>& out);
    bool captureSub(std::string_view name, std::vector<Segment>& out);
    bool contourLines(double first, std::size_t& from, std::size_t& to);

    // Parameters and o-word flow (oword_flow.cpp).
    bool controlWord(std::size_t index, const OWord& o);
    double flowValue(std::string_view text, double otherwise);
    void callSub(std::size_t index, const OWord& o);
    void takeBranch(std::size_t from);
    std::size_t follow(std::size_t from, bool forward, std::initializer_list<std::string_view> to);
    struct FlowLine {
        std::string keyword;
        std::size_t next, prev;  // the neighbouring o-word lines of the same name
    };
    const FlowLine* flowLine(std::size_t index);

    // Subroutines in files of their own, o<name> in name.ngc (subroutine_files.cpp).
    // A file read is kept with what is found in it on demand; while it runs, the
    // interpreter reads from it in place of the program, exchanging one for the other.
    struct SourceFile {
        std::string text;  // UTF-8
        std::string_view view;
        std::vector<std::uint32_t> starts;
        std::vector<std::pair<double, std::uint32_t>> numbers;
        bool numbersBuilt = false;
        std::map<std::string, Sub> subs;
        bool subsBuilt = false;
        std::map<std::size_t, FlowLine> flowLines;
        bool flowBuilt = false;
        bool running = false;
    };
    SourceFile* subroutineFile(std::string_view name);
    void exchangeSource(SourceFile& f);
    // Runs `body` with the subroutine `name` of its file as the source; false when there
    // is no such file or subroutine, which is warned.
    bool inSubroutineFile(std::string_view name, const std::function<void(const Sub&)>& body);

    // #<_x>, #5420 and the other values LinuxCNC reads from the state (state_parameters.cpp).
    bool stateValue(std::string_view name, int number, double& value);

    // Motion (motion.cpp).
    bool hasAxis() const;
    bool motionOnLine() const;  // the block names a code of the motion group
    bool target(Point& to, bool& kz, bool& kx);
    void axisTarget(char absolute, char incremental, double scale, double at, double& to,
                    bool& known);
    void moveTo(MoveKind kind, Point to, bool kz, bool kx, std::uint8_t flags = 0,
                double feed = kFeedInForce);
    // A move from the known position, for cycles.
    void go(MoveKind kind, Point to, std::uint8_t flags, double feed);
    void arc(bool ccw, Point to, bool kz, bool kx);
    void add(Segment s);
    void emit(Segment& s);  // onto the path, as it stands
    void machineMove(const GCodeRow& g);
    void setPosition(const GCodeRow& g);
    void dropPositionShift(const GCodeRow& g);
    void restorePositionShift(const GCodeRow& g);
    void singleCycle(Motion kind, Point to);
    double threadLead();

    // Threading cycles (thread_cycles.cpp).
    void fanucG76();
    void linuxG76();
    struct ThreadPass {
        Point start;         // where each pass begins and ends
        double crest = 0;    // X of the thread's crest
        double zEnd = 0;     // Z where the last pass ends
        double side = 1;     // +1 when deeper passes go towards the axis
        double dir = -1;     // the way along Z the thread runs
        double height = 0;   // the full depth of the thread
        double flank = 0;    // tan of the infeed angle from the radial
        double taper = 0;    // X at the start less X at the end, as a radius
        double pullOut = 0;  // the 45° chamfer's length at the thread's end
        double lead = 0;
    };
    void threadPass(const ThreadPass& t, double depth);

    // LinuxCNC's drilling cycles G73, G81-G83, G85, G89 along Z (drill_cycles.cpp).
    struct DrillCycle {
        double z = 0, r = 0, q = 0;          // held from block to block
        bool retractToStart = false;         // G98; G99 (the default) retracts to R
        Motion motionBefore = Motion::None;  // the motion mode in force before this block
        double initialZ = 0;                 // where the run of cycle blocks began
    };
    void drillCycle();

    // Roughing and finishing (rough_cycles.cpp).
    void roughCycle(const GCodeRow& g);
    void linuxG7x(GCode code);  // linuxcnc_g7x.cpp
    void finishCycle(const GCodeRow& g);
    void roughPasses(const std::vector<Segment>& contour, Point start, bool facing, double depth,
                     double retract, Point allowance, double feed, bool pockets);
    void contourAsIncomplete(const std::vector<Segment>& contour, Point shift,
                             std::string_view code);

    void recordSpindle();

    std::string_view text_;
    std::vector<std::uint32_t> starts_;
    Toolpath& out_;
    const DialectRules* rules_ = nullptr;  // of the dialect the program is read in
    Modal m_;
    Block b_;
    std::vector<Word> words_;
    std::vector<BadToken> bad_;
    Point pos_;
    // The path is drawn in the units its first positioned block was written in.
    bool pathInch_ = false;
    bool unitsFixed_ = false;
    // What G92 (or G50) added to the coordinates, per axis while it is known; G92.1 and
    // G92.2 take it away again, G92.3 brings the kept one back.
    Point g92Shift_, g92Kept_;
    bool g92ShiftKnownZ_ = true, g92ShiftKnownX_ = true;
    bool knownZ_ = false;
    bool knownX_ = false;
    bool unknownStartWarned_ = false;
    bool incrementalFromUnknown_ = false;  // set by target() for this block's move
    bool zeroStart_ = false;               // this system's programs start where the tool was zeroed
    Point cycleEnd_;  // Fanuc G90/G92/G94: the end point and taper of the last block
    double cycleTaper_ = 0;
    const GCodeRow* oneShot_ = nullptr;  // the code that
                                         // acts in place of this block's move
    std::vector<BlockCode> codes_;       // this block's, in the order they run
    std::uint32_t line_ = 0;
    std::size_t warned_ = 0;
    std::size_t next_ = 0;  // the line to run after the current one
    bool stop_ = false;     // program end, or M99/endsub in a call
    bool returning_ = false;
    int depth_ = 0;
    DrillCycle drill_;
    // G41.1/G42.1: moves go through the nose's compensation on their way to the path.
    NoseCompensation nose_{[this](Segment s) { emit(s); }};
    std::optional<Point> drawnFrom_;   // where the next move starts when it is not pos_
    bool finishing_ = false;           // G70's passes, which LinuxCNC compensates
    bool arcNotAllowed_ = false;       // the move just after G40 ended a compensated path
    bool programEnd_ = false;          // M2 or M30 ended the program
    std::map<int, Modal> savedModes_;  // by call depth: M73's modes, restored at the return
    void restoreModes();
    std::vector<Segment>* capture_ = nullptr;
    std::size_t budget_ = 0;  // lines and moves left before expansion is refused
    bool budgetWarned_ = false;
    // Fanuc G71/G72/G76 first blocks.
    double roughDepth_ = 0, roughRetract_ = 0;
    double facingDepth_ = 0, facingRetract_ = 0;
    int threadFinishPasses_ = 1;
    double threadChamfer_ = 0, threadAngle_ = 0;  // of P(mm rr aa): rr in leads, aa in degrees
    double threadMinDepth_ = 0, threadAllowance_ = 0;
    std::vector<std::pair<double, std::uint32_t>> numbers_;  // N numbers, built on demand
    bool numbersBuilt_ = false;
    std::map<std::string, Sub> subs_;
    bool subsBuilt_ = false;
    Parameters params_;
    std::map<std::size_t, FlowLine> flowLines_;  // by line, built on demand
    bool flowBuilt_ = false;
    std::vector<std::filesystem::path> folders_;                // searched for name.ngc, in order
    std::map<std::string, std::unique_ptr<SourceFile>> files_;  // by name; null: not found
    int fileDepth_ = 0;               // subroutine files running, one inside the other
    std::uint32_t fileCallLine_ = 0;  // the program's line whose call runs them
    std::map<std::pair<int, std::size_t>, double> repeats_;  // passes left, by depth and line
};

}  // namespace zivek::gcode
