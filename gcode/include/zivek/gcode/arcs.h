#pragma once

// Circular arcs in the Z-X plane: whether three points make one, their centre from a
// radius, their sweep, length, extremes and a chain of chords for drawing.

#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// How far from a true circle a control still takes an arc, in one unit of length.
struct ArcTolerance {
    // The radius to the end may differ from the radius to the start by `absolute` plus
    // `perRadius` of the start radius; and beyond that by `relative` of the larger
    // radius, as long as that is no more than `ceiling`.
    double absolute = 0;
    double perRadius = 0;
    double relative = 0;
    double ceiling = 0;
    // A radius (R) may fall short of half the chord by the larger of `reach` and
    // `reachPerRadius` of it: the arc is then a half circle.
    double reach = 0;
    double reachPerRadius = 0;
    double minRadius = 0;  // shorter radii are no arc

    // The same tolerance with its lengths multiplied by `scale`.
    ArcTolerance scaled(double scale) const;
};

// A control's arc tolerance in either unit of length.
struct ArcRule {
    ArcTolerance mm;
    ArcTolerance inch;
    // In the path's units, for a program in inches (`inInch`) or millimetres, read at
    // `lengthScale` path units to the unit in force.
    ArcTolerance inForce(bool inInch, double lengthScale) const {
        return (inInch ? inch : mm).scaled(lengthScale);
    }
};

// LinuxCNC 2.9: the end within 0.02·√2 mm (0.002·√2 inch) of the start's circle, or
// within 0.1% of the radius up to a hundred times that; R within 0.00005 inch of
// reaching; radii under that are refused as zero.
inline constexpr ArcRule kLinuxCncArcs{
    .mm = {.absolute = 2 * 0.01 * 1.4142135623730951,
           .relative = 0.001,
           .ceiling = 100 * 2 * 0.01 * 1.4142135623730951,
           .reach = 0.00005 * 25.4,
           .minRadius = 0.00005 * 25.4},
    .inch = {.absolute = 2 * 0.001 * 1.4142135623730951,
             .relative = 0.001,
             .ceiling = 100 * 2 * 0.001 * 1.4142135623730951,
             .reach = 0.00005,
             .minRadius = 0.00005},
};

// Other controls refuse an arc by their own parameters, which a program does not carry:
// taken as rounding of the written digits, the same numbers in either unit.
inline constexpr ArcTolerance kRoundingArcTolerance{
    .absolute = 0.002, .perRadius = 1e-4, .reach = 1e-4, .reachPerRadius = 1e-4};
inline constexpr ArcRule kRoundingArcs{.mm = kRoundingArcTolerance, .inch = kRoundingArcTolerance};

// LinuxCNC refuses a compensated arc whose end a corner moves off its circle by more
// than 0.01, in whichever units.
inline constexpr ArcTolerance kMovedArcEndTolerance{.absolute = 0.01};

enum class ArcFault : std::uint8_t {
    None,
    ZeroRadius,   // the centre is (nearly) on one of the ends
    RadiiDiffer,  // the end lies off the circle through the start
    RadiusShort,  // R does not reach from the start to the end
    SameEnds,     // R with the end at the start: no centre to find
    NotFinite,
};

// Whether the arc from `from` about `center` can end at `to` under `tolerance`:
// ArcFault::None when it can.
ArcFault checkArc(Point from, Point to, Point center, const ArcTolerance& tolerance);

// The centre of the arc of radius |r| from `from` to `to`; a negative r takes the arc
// longer than a half circle. A radius short of the chord within the tolerance's reach
// makes a half circle; further short is refused.
ArcFault centerFromRadius(Point from, Point to, double r, bool ccw, const ArcTolerance& tolerance,
                          Point& center);

// The angle swept from `from` to `to` about `center`, in (0, 2π]: a whole turn when the
// ends meet, as LinuxCNC counts it.
double arcSweep(Point from, Point to, Point center, bool ccw);
double arcLength(Point from, Point to, Point center, bool ccw);

// Adds the arc's points (without `from`, with `to`) to `out`, chords no farther than
// `tolerance` from the arc and at most `maxChords` of them.
void flattenArc(Point from, Point to, Point center, bool ccw, double tolerance,
                std::vector<Point>& out, std::size_t maxChords = 4096);

// Adds the arc's end points and the quadrant points it passes to `extent`.
void addArcExtent(Point from, Point to, Point center, bool ccw, Extent& extent);

}  // namespace zivek::gcode
