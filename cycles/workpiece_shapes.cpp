#include "cycles/workpiece_shapes.h"

#include <algorithm>

#include "output/number_text.h"

namespace zivek {
namespace {

// How far the drawn part reaches past the cut where the drawing gives no size.
double partMargin(double depth, double length) {
    return std::max(depth, length) / 2;
}

Outline box(const CutFrame& frame, double in0, double in1, double along0, double along1) {
    return {frame.at(in0, along0), frame.at(in1, along0), frame.at(in1, along1),
            frame.at(in0, along1)};
}

}  // namespace

Outline insertOutline(const CutFrame& frame, double plungeAmount) {
    const double edge = plungeAmount + 0.001;
    return box(frame, 0, -edge, 0, -edge);
}

Workpiece straightWorkpiece(const CutFrame& frame, PastTheTravel past, const Parameters& values) {
    const double depth = round3(values.turningDepth);
    const double length = round3(values.turningLength);
    const double margin = partMargin(depth, length);
    Workpiece workpiece;
    workpiece.material.push_back(box(frame, 0, depth, 0, length));
    workpiece.part.push_back(box(frame, depth, depth + margin, 0, length));
    if (past != PastTheTravel::Axis) {
        const double from = past == PastTheTravel::Shoulder ? 0 : -margin;
        workpiece.part.push_back(box(frame, from, depth + margin, length, length + margin));
    }
    workpiece.insert = insertOutline(frame, values.plungeAmount);
    return workpiece;
}

Workpiece taperWorkpiece(const CutFrame& frame, const Parameters& values) {
    const double depth = round3((values.largeDiameter - values.smallDiameter) / 2);
    const double length = round3(values.turningLength);
    const double margin = partMargin(depth, length);
    Workpiece workpiece;
    workpiece.material.push_back({frame.at(0, 0), frame.at(depth, 0), frame.at(0, length)});
    workpiece.part.push_back({frame.at(depth, 0), frame.at(0, length), frame.at(0, length + margin),
                              frame.at(depth + margin, length + margin),
                              frame.at(depth + margin, 0)});
    workpiece.insert = insertOutline(frame, values.plungeAmount);
    return workpiece;
}

}  // namespace zivek
