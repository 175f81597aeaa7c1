#pragma once

#include "gcode/internal.h"

// LinuxCNC's tool-nose radius compensation (G41.1/G42.1 D L in G18): the nose centre
// follows the programmed contour at its radius, on the left or the right of the way it
// runs. A move's compensated end depends on the move after it (an inside corner pulls it
// back, an outside one adds an arc round the corner), so moves wait in a queue until the
// next one settles them, as in LinuxCNC. The path drawn is the tool's control point: for
// a lathe insert of orientation L (1-8) the imaginary tip, one radius from the centre
// along each axis (nose_tips.h).

#include <complex>
#include <functional>
#include <vector>

#include "gcode/nose_tips.h"
#include "gcode/segment.h"
#include "zivek/gcode/arcs.h"

namespace zivek::gcode {

enum class NoseSide { Left, Right };

class NoseCompensation {
  public:
    using Sink = std::function<void(const Segment&)>;
    explicit NoseCompensation(Sink sink) : sink_(std::move(sink)) {}

    // From `at`, the programmed point where the tool stands. `squareToNext`: the first
    // move ends with the nose square to the move after it (Fanuc's start-up), not to
    // itself (LinuxCNC's entry).
    void start(NoseSide side, double radius, TipShift tip, Point at, bool squareToNext = false);
    bool active() const { return active_; }
    bool moved() const { return active_ && !first_; }  // a move went through it
    // G40: the moves still waiting end where the nose stands and go out; the path goes on
    // from `drawnEnd()`. A fault when LinuxCNC refuses that (the moves go out all the same).
    CompensationFault stop();
    // The program's end: the moves still waiting go out as they stand.
    void drain();
    Point drawnEnd() const { return drawnEnd_; }
    Point noseCentre() const { return {current_.real(), current_.imag()}; }
    // LinuxCNC lets a compensated arc sweep further than the programmed one by an angle
    // that depends on the units in force (radians, though it reads like a length); its
    // arc end tolerance is a length in them, `lengthScale` path units each.
    void setInch(bool inch, double lengthScale) {
        sweepTolerance_ = inch ? 0.001 : 0.0254;
        arcEndTolerance_ = kMovedArcEndTolerance.scaled(lengthScale);
    }
    // A feed or speed word read while moves wait: LinuxCNC queues it behind them.
    void queueSetting();
    // The units switch from `before` to `after` path units each. LinuxCNC converts its
    // waiting moves, and the point they start from once for every entry of its queue,
    // the settings among them: with more than one entry that point lands elsewhere, and
    // the corner the next move finds is checked against it.
    void switchUnits(double before, double after, bool settingInBlock);

    // A programmed straight move or arc (its end, and for an arc its centre and direction).
    CompensationFault move(const Segment& programmed);
    // Where the nose centre stands, for a cycle that leaves it elsewhere than it went.
    void standAt(Point programmed);

  private:
    using C = std::complex<double>;  // (Z, X): LinuxCNC's plane for G18
    struct Waiting {
        Segment s;
        C end;
        C center;
        C direction;  // of the programmed move, to tell a reversed one
        int turn = 0;
        double sweep = 0;  // the arc's programmed sweep, 0 for none to check
    };
    CompensationFault straight(const Segment& p, C to);
    CompensationFault arc(const Segment& p, C to, C center, int turn);
    CompensationFault entryArc(const Segment& p, C to, C center, int turn);
    CompensationFault moveEndsAndFlush(C to);
    void settleStartUp(C nose);
    void enqueueStraight(const Segment& p, C end, C direction);
    void enqueueArc(const Segment& p, C end, C center, int turn, double sweep);
    void flush();
    void setEndpoint(C p);
    bool insideArc(int turn) const;
    Point toolPoint(C nose) const;

    Sink sink_;
    bool active_ = false;
    bool first_ = true;
    bool squareToNext_ = false;
    bool startUpWaits_ = false;  // the first move's end waits for the move after it
    NoseSide side_ = NoseSide::Left;
    double radius_ = 0;
    TipShift tip_;
    C current_;     // the nose centre
    C programmed_;  // the programmed point it stands for
    std::vector<Waiting> queue_;
    C endpoint_;               // where the waiting moves start
    int settingsWaiting_ = 0;  // feed and speed words queued behind the waiting moves
    bool endpointValid_ = false;
    Point drawnEnd_;
    double sweepTolerance_ = 0.0254;
    ArcTolerance arcEndTolerance_ = kMovedArcEndTolerance;
};

}  // namespace zivek::gcode
