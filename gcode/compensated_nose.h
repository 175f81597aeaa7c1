#pragma once

#include "gcode/internal.h"

// The nose's compensation with LinuxCNC's rule for leaving it: the move after a G40
// that ended a compensated path must be straight.

#include <optional>

#include "gcode/nose_compensation.h"

namespace zivek::gcode {

class CompensatedNose : public NoseCompensation {
  public:
    using NoseCompensation::NoseCompensation;
    // G40: the compensation ends, and the move after it may not be an arc if a move went
    // through it.
    CompensationFault end() {
        exitMustBeStraight_ = moved();
        const CompensationFault fault = stop();
        restart_ = drawnEnd();
        return fault;
    }
    // A move the control refuses under compensation: it stops there, and the path goes
    // on uncompensated.
    void abandon() {
        (void)stop();
        restart_ = drawnEnd();
    }
    // The next move once the compensation has ended is drawn from the drawn path's end,
    // not from the tool's programmed point; the moves after it as they are.
    void restart(Point& from) {
        if (!restart_) return;
        from = *restart_;
        restart_.reset();
    }
    // Whether `next`, the move after G40, breaks the rule; it holds for one move only.
    bool refusesExit(const Segment& next) {
        const bool refused = next.arc && exitMustBeStraight_;
        exitMustBeStraight_ = false;
        return refused;
    }

  private:
    bool exitMustBeStraight_ = false;
    std::optional<Point> restart_;
};

}  // namespace zivek::gcode
