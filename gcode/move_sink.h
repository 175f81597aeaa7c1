#pragma once

#include "gcode/internal.h"

// Where the interpreter's moves go: onto the path (through the nose's compensation), or
// into the contour a cycle is reading. The interpreter sends each move to the one in
// force and does not ask which it is.

#include <vector>

#include "gcode/block.h"
#include "gcode/segment.h"

namespace zivek::gcode {

class MoveSink {
  public:
    // What M2 and M30 end while moves come here: the program, or the read of a contour,
    // whose subroutine ends there as its program would.
    enum class ProgramEnd { EndsProgram, EndsRead };
    virtual ProgramEnd programEnd() const { return ProgramEnd::EndsProgram; }
    // The move is the sender's to hand over: the sink may change it on its way.
    // `compensable`: a move LinuxCNC's nose compensation follows. Straight moves, arcs
    // and G33 are; of the cycles only G70 hands over its passes as such.
    virtual void take(Segment& s, bool compensable) = 0;
    // An arc whose end is off the circle through its start is taken as written.
    virtual bool takesArcsAsWritten() const { return false; }

  protected:
    ~MoveSink() = default;
};

// A contour being read for a cycle: its moves in order, with the rounds (A) and
// chamfers (C) LinuxCNC writes on a contour block where the dialect has them.
class ContourSink final : public MoveSink {
  public:
    ContourSink(Block& block, bool corners, bool arcsAsWritten)
        : block_(block), corners_(corners), arcsAsWritten_(arcsAsWritten) {}
    ProgramEnd programEnd() const override { return ProgramEnd::EndsRead; }
    bool takesArcsAsWritten() const override { return arcsAsWritten_; }
    void take(Segment& s, bool) override {
        if (corners_) {
            if (block_.has('A')) s.fillet = block_.length('A');
            if (block_.has('C')) s.chamfer = block_.length('C');
        }
        moves.push_back(s);
    }
    std::vector<Segment> moves;

  private:
    Block& block_;  // the block being read, for its corner words
    bool corners_;
    bool arcsAsWritten_;
};

}  // namespace zivek::gcode
