#pragma once

// The drawings of the operations as polygons, at the sizes the program writes: the
// depth and the length rounded to 3 places, as every finishing move reaches them.

#include "output/cycle.h"
#include "output/workpiece.h"

namespace zivek {

// What the finished part holds beyond the end of the travel.
enum class PastTheTravel {
    Shoulder,    // the outside at its full size, from the surface inward
    BoreBottom,  // the bottom of a blind bore, across the whole bore
    Axis,        // nothing: the travel ends at the centre line
};

// A cut laid out in its own terms: `in` across the layer, from the surface into the
// material, and `along` the travel, from the origin toward the chuck or the axis.
struct CutFrame {
    bool infeedAlongZ;  // facing: the infeed runs along the axis
    double infeedSign;  // the direction of the infeed on its axis

    PlanePoint at(double in, double along) const {
        return infeedAlongZ ? PlanePoint{infeedSign * in, -along}
                            : PlanePoint{-along, infeedSign * in};
    }
};

// The insert: a square with its cutting corner at the programmed point, on the side
// the tool comes from and behind the travel, as the drawings hold it. Its edges reach a
// plunge and the rounding of two written depths, so each pass clears its layer.
Outline insertOutline(const CutFrame& frame, double plungeAmount);

Workpiece straightWorkpiece(const CutFrame& frame, PastTheTravel past, const Parameters& values);
Workpiece taperWorkpiece(const CutFrame& frame, const Parameters& values);

}  // namespace zivek
