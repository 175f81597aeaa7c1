#pragma once

#include "gcode/internal.h"

// The nose's compensation with LinuxCNC's rule for leaving it: the move after a G40
// that ended a compensated path must be straight.

#include "gcode/nose_compensation.h"

namespace zivek::gcode {

class CompensatedNose : public NoseCompensation {
  public:
    using NoseCompensation::NoseCompensation;
    // G40: the compensation ends, and the move after it may not be an arc if a move went
    // through it.
    CompensationFault end() {
        exitMustBeStraight_ = moved();
        return stop();
    }
    // Whether `next`, the move after G40, breaks the rule; it holds for one move only.
    bool refusesExit(const Segment& next) {
        const bool refused = next.arc && exitMustBeStraight_;
        exitMustBeStraight_ = false;
        return refused;
    }

  private:
    bool exitMustBeStraight_ = false;
};

}  // namespace zivek::gcode
