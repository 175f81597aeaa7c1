#pragma once

#include "gcode/internal.h"

// The interpreter's state and its parts. Internal: the public face is interpret() in
// toolpath.h. One class, its work split over files by kind: lines and program flow
// (interpreter.cpp), the G-codes (gcode_table.cpp) and what they set (modes.cpp), motion
// and the path as the moves' destination (motion.cpp), the cycles' blocks
// (cycle_blocks.cpp, linuxcnc_g7x.cpp), cutting time (cutting_time.cpp). The state is
// made of small values (reader_state.h); the cycles are planned by plain functions
// (cycle_plan.h) and drawn by one runCycle.

#include <array>
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

#include "gcode/block.h"
#include "gcode/code_rows.h"
#include "gcode/compensated_nose.h"
#include "gcode/cycle_plan.h"
#include "gcode/dialect_rules.h"
#include "gcode/gcode_words.h"
#include "gcode/gcodes.h"
#include "gcode/move_sink.h"
#include "gcode/parameters.h"
#include "gcode/program_source.h"
#include "gcode/reader_state.h"
#include "gcode/segment.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// Totals of the moves, the cutting time among them, from what the moves record.
void summarize(Toolpath& path);

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
    double surfaceUnit = 1000;  // millimetres in the metre or foot S was given in under G96
    double rpmLimit = 0;        // G50 S or G96 D; 0 none
    double lead = 0;            // G33 K, or F where F gives the lead
    double tool = -1;
    // The codes in force of the groups LinuxCNC's #<_plane>, #<_ccomp> and
    // #<_spindle_on> read, each its number ×10.
    std::int16_t plane = 170;
    std::int16_t compensation = 400;
    std::int16_t spindle = 50;
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
    void compensationFromTable(const GCodeRow& g);
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
    void changeTool(const MCodeRow& m);
    // Tool changes (tool_changes.cpp).
    void selectTool(double number);
    void recordToolChange(std::uint32_t tool, std::uint32_t offset);
    void dropIdleToolChange();
    void endProgram(const MCodeRow& m);
    void returnFromSubprogram(const MCodeRow& m);
    void callSubprogram(const MCodeRow& m);
    void setSpindle(const MCodeRow& m);
    void setPlane(const GCodeRow& g);
    void execute();
    void move();
    void warnUnused();
    void warn(Warning code, std::string_view word = {},
              CompensationFault fault = CompensationFault::None);
    void warn(CompensationFault why) { warn(Warning::CompensationRefused, {}, why); }
    // Counts `work` against the budget; false, and the program stops, once it is spent.
    bool spend(std::size_t work) {
        if (budget_ < work) return budgetSpent();
        budget_ -= work;
        return true;
    }
    bool budgetSpent();
    // Looked up in the source being read (program_source.h).
    std::size_t lineOfNumber(double n, std::size_t near);
    using Sub = ProgramSource::Sub;
    const Sub* findSub(std::string_view name);
    void callLines(std::size_t begin, std::size_t end, std::size_t times);
    // Runs the lines of a cycle's contour with their moves sent to `out`, and leaves the
    // state as it was.
    bool readContour(std::size_t begin, std::size_t end, std::vector<Segment>& out);
    bool readContourSub(std::string_view name, std::vector<Segment>& out);
    bool contourLines(double first, std::size_t& from, std::size_t& to);
    std::optional<CycleContour> contourRead_;  // by contourLines, for the cycle's runCycle

    // Parameters and o-word flow (oword_flow.cpp).
    bool controlWord(std::size_t index, const OWord& o);
    double flowValue(std::string_view text, double otherwise);
    void callSub(std::size_t index, const OWord& o);
    void takeBranch(std::size_t from);
    std::size_t follow(std::size_t from, bool forward, std::initializer_list<std::string_view> to);
    using FlowLine = ProgramSource::FlowLine;
    const FlowLine* flowLine(std::size_t index);

    // Lines are read from the top of a stack of sources: the program at the bottom, each
    // subroutine file that runs above the one that called it.
    ProgramSource& source() const { return *top_; }
    bool readingFile() const { return top_ != &program_; }
    // Subroutines in files of their own, o<name> in name.ngc (subroutine_files.cpp). The
    // options' source, else a search of their folders; none when they give neither.
    static std::shared_ptr<const SubroutineSource> subroutinesOf(const ReadOptions& options);
    // The file that holds `name`, read once and kept; nullptr when there is none.
    ProgramSource* subroutineFile(std::string_view name);
    // Runs `body` with the subroutine `name` of its file on top of the sources; false when
    // there is no such file or subroutine, which is warned.
    bool inSubroutineFile(std::string_view name, const std::function<void(const Sub&)>& body);

    // #<_x>, #5420 and the other values LinuxCNC reads from the state (state_parameters.cpp).
    bool stateValue(std::string_view name, int number, double& value);
    bool numberedStateValue(int number, double& value);
    int pocketOf(int tool) const;
    // The tool T last named (LinuxCNC's #<_selected_tool>), 0 before any.
    int selectedTool() const { return m_.tool < 0 ? 0 : int(m_.tool); }

    // Motion (motion.cpp).
    // The block names an axis, or gives one by an expression not computed. Every block
    // asks, from several files: inline.
    bool hasAxis() const {
        const std::uint32_t axes =
            Block::bit('X') | Block::bit('Z') | Block::bit('U') | Block::bit('W');
        return ((b_.present | b_.lost) & axes) != 0;
    }
    bool motionOnLine() const;  // the block names a code of the motion group
    // An arc's centre (or radius) without its end: a full circle back to where it starts.
    bool fullCircle() const {
        const std::uint32_t centre = Block::bit('I') | Block::bit('J') | Block::bit('K');
        return (m_.motion == Motion::ArcClockwise || m_.motion == Motion::ArcCounterClockwise) &&
               (b_.present & (centre | Block::bit('R'))) != 0;
    }
    bool target(Point& to, bool& kz, bool& kx);
    void axisTarget(char absolute, char incremental, double scale, double at, double& to,
                    bool& known);
    void moveTo(MoveKind kind, Point to, bool kz, bool kx, std::uint8_t flags = 0,
                double feed = kFeedInForce);
    void arc(bool ccw, Point to, bool kz, bool kx);
    // To the sink in force.
    void add(Segment s, bool compensable = true) { sink_->take(s, compensable); }
    void emit(Segment& s);  // onto the path, as it stands
    void machineMove(const GCodeRow& g);
    void setPosition(const GCodeRow& g);
    void dropPositionShift(const GCodeRow& g);
    void restorePositionShift(const GCodeRow& g);
    // Coordinate systems (coordinate_systems.cpp).
    void selectCoordinateSystem(const GCodeRow& g);
    void setCoordinateSystem(const GCodeRow& g);
    void setLocalOffset(const GCodeRow& g);
    // Moves the tool's coordinates into the system whose origin is `next`.
    void moveOrigin(const CoordinateSystems::Origin& next);
    // Tool length offsets (tool_offsets.cpp).
    void useToolLength(const GCodeRow& g);
    void useGivenLength(const GCodeRow& g);
    void cancelToolLength(const GCodeRow& g);
    void applyLengthOffset(Point next);
    // The table's entry of tool `number` and its place in the table; nullptr when none.
    const ToolEntry* toolEntry(int number, std::size_t* place = nullptr) const;
    Point toolOffsets(const ToolEntry& entry) const;  // in the path's units
    double threadLead();

    // The cycles' blocks (cycle_blocks.cpp): each reads its words, asks its planner and
    // hands the plan to runCycle, which draws every cycle the same way.
    void singleCycle(Motion kind, Point to);
    void fanucG76();
    void linuxG76();
    void drillCycle();
    void roughCycle(const GCodeRow& g);
    void finishCycle(const GCodeRow& g);
    void patternCycle(const GCodeRow& g);  // repeat_cycle_blocks.cpp
    void grooveCycle(const GCodeRow& g);
    void linuxG7x(GCode code);  // linuxcnc_g7x.cpp
    void runCycle(const CyclePlan& plan, std::string_view code);
    void tellRefusal(CycleRefusal why, std::string_view code);

    ProgramSource* top_;  // sources_.back(), kept apart: every line reads it
    Toolpath& out_;
    const DialectRules* rules_ = nullptr;  // of the dialect the program is read in
    Modal m_;
    Block b_;
    std::vector<Word> words_;
    std::string joined_;       // the line without its blanks, where the dialect drops them
    bool dropBlanks_ = false;  // the dialect's, asked at every line
    std::vector<BadToken> bad_;
    ToolPosition tool_;
    double preparedTool_ = -1;  // the last T word, which M6 changes to where T only prepares
    PathUnits pathUnits_;
    PositionShift g92_;
    CoordinateSystems systems_;
    ToolInSpindle tools_;
    CycleSettings cycles_;
    bool unknownStartWarned_ = false;
    bool incrementalFromUnknown_ = false;  // set by target() for this block's move
    const GCodeRow* oneShot_ = nullptr;    // the code that acts in place of this block's move
    BlockCodes codes_;                     // this block's, in the order they run
    std::uint32_t line_ = 0;
    std::size_t warned_ = 0;
    std::size_t next_ = 0;  // the line to run after the current one
    ProgramFlow flow_;
    int depth_ = 0;
    // G41.1/G42.1: moves go through the nose's compensation on their way to the path.
    CompensatedNose nose_{[this](Segment s) { emit(s); }};
    // The path as the destination of moves: through the nose's compensation while it is
    // on, then drawn.
    struct PathSink final : MoveSink {
        explicit PathSink(Interpreter& interpreter) : in(interpreter) {}
        void take(Segment& s, bool compensable) override;
        Interpreter& in;
    };
    PathSink path_{*this};
    MoveSink* sink_ = &path_;
    std::map<int, Modal> savedModes_;  // by call depth: M73's modes, restored at the return
    void restoreModes();
    std::size_t budget_ = 0;  // lines and moves left before expansion is refused
    bool budgetWarned_ = false;

    Parameters params_;
    ProgramSource program_;
    std::vector<ProgramSource*> sources_{&program_};       // the program, then the files running
    std::shared_ptr<const SubroutineSource> subroutines_;  // none: the program is read alone
    std::map<std::string, std::unique_ptr<ProgramSource>> files_;  // by file name; null: none
    std::uint32_t fileCallLine_ = 0;  // the program's line whose call runs the files
    std::map<std::pair<int, std::size_t>, double> repeats_;  // passes left, by depth and line
};

}  // namespace zivek::gcode
