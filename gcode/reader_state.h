#pragma once

#include "gcode/internal.h"

// The reader's state in small values, each saved and restored in one assignment: where
// the tool stands, the G92 shift, the path's units, and what the cycles keep from one
// block to the next.

#include <array>
#include <memory>

#include "gcode/gcodes.h"
#include "gcode/segment.h"

namespace zivek::gcode {

// Where the tool stands, and which of its axes the program has placed.
struct ToolPosition {
    Point at;
    bool knownZ = false;
    bool knownX = false;
    // This system's programs start where the tool was zeroed: the first move still marks
    // the path's start.
    bool zeroStart = false;
    bool known() const { return knownZ && knownX; }
    void forget() { knownZ = knownX = false; }
    // Known, and a move from here is drawn from here.
    bool drawnFrom() const { return known() && !zeroStart; }
};

// What G92 (or G50) added to the coordinates, per axis while it is known; G92.1 and
// G92.2 take it away again, G92.3 brings the kept one back.
struct PositionShift {
    Point shift;
    Point kept;
    bool knownZ = true;
    bool knownX = true;
};

// The coordinate systems G54-G59.3: each origin's offset from the machine's zero as the
// program set it (G10 L2, L20), per axis while it is known, and the one in force.
// Positions are in the system in force, so a change of system or of its origin moves
// the tool's coordinates, not the tool.
struct CoordinateSystems {
    static constexpr int kCount = 9;
    struct Origin {
        Point offset;
        bool knownZ = true;
        bool knownX = true;
    };
    std::array<Origin, kCount> origins{};
    int current = 0;  // 0 for G54 ... 8 for G59.3
    const Origin& inForce() const { return origins[std::size_t(current)]; }
};

struct ToolTable;

// The tool M6 put in the spindle (LinuxCNC's #5400; T selects it, Modal::tool), the
// table they come from (none: the machine's own, not known), and the length offset in
// force (G43), in the path's units.
struct ToolInSpindle {
    int loaded = 0;
    std::shared_ptr<const ToolTable> table;
    Point lengthOffset;
};

// The path is drawn in the units its first positioned block was written in.
struct PathUnits {
    bool inch = false;
    bool fixed = false;        // a block has placed the tool: the path's units are settled
    bool inForceInch = false;  // the units the block's lengths are scaled from
};

// Fanuc G71/G72 first block: U (W for G72) the depth of cut, R the retract.
struct RoughingFirstBlock {
    double depth = 0;
    double retract = 0;
};

// Fanuc G76 first block: P(mm rr aa) Q(least depth) R(finishing allowance).
struct ThreadFirstBlock {
    int finishPasses = 1;
    double chamfer = 0;  // rr, in leads
    double angle = 0;    // aa, in degrees
    double minDepth = 0;
    double allowance = 0;
};

// Fanuc G90/G92/G94: the end point and taper of the last block, which hold for the
// blocks after it.
struct SingleCycleSettings {
    Point end;
    double taper = 0;
};

// LinuxCNC's drilling cycles: what is held from block to block.
struct DrillSettings {
    double z = 0, r = 0, q = 0;
    bool retractToStart = false;         // G98; G99 (the default) retracts to R
    Motion motionBefore = Motion::None;  // the motion mode in force before this block
    double initialZ = 0;                 // where the run of cycle blocks began
};

// Fanuc G73's first block: how far the first pass stands off the last, and how many.
struct PatternFirstBlock {
    Point relief;
    int passes = 1;
};

// What the cycles remember between their blocks.
struct CycleSettings {
    RoughingFirstBlock turning;  // G71
    RoughingFirstBlock facing;   // G72
    ThreadFirstBlock thread;
    SingleCycleSettings single;
    DrillSettings drill;
    PatternFirstBlock pattern;  // G73
    double grooveBack = 0;      // G74/G75 R(e): how far each peck backs off
};

// How the running of lines goes on: on, back out of the call being run (M99, endsub, the
// end of a contour's read), or not at all (the program's end, the work budget spent).
class ProgramFlow {
  public:
    bool running() const { return state_ == State::Running; }
    bool stopped() const { return state_ == State::Stopped; }
    // M2 or M30 ended the program, which ends the nose compensation as G40 does.
    bool endedByProgramEnd() const { return endedByProgramEnd_; }

    void returnFromCall() {
        if (state_ == State::Running) state_ = State::Returning;
    }
    void returned() {
        if (state_ == State::Returning) state_ = State::Running;
    }
    void stop() { state_ = State::Stopped; }
    void endProgram() {
        stop();
        endedByProgramEnd_ = true;
    }

  private:
    enum class State : std::uint8_t { Running, Returning, Stopped };
    State state_ = State::Running;
    bool endedByProgramEnd_ = false;
};

}  // namespace zivek::gcode
