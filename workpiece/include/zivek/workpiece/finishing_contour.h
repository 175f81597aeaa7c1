#pragma once

// The finished part a program shows by its finishing pass (G70): the contour the roughing
// cycle (G71/G72) and its finishing follow. Between the contour and the axis (an outer
// contour) or the bar's outside (a bore) lies the part, behind Z0, one convex piece under
// each line of the pass and each chord of its arcs.
//
// The contour is the part for the moves up to the end of its finishing pass: grooves,
// threads and holes made afterwards are features the contour does not draw.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/convex_region.h"
#include "zivek/workpiece/stock.h"

namespace zivek::workpiece {

struct ContourPart {
    std::vector<ConvexRegion> part;
    std::size_t untilMove = 0;  // moves before this one are checked against it
};

// The first line holding a G70 word (outside comments), counted from 0.
std::optional<std::size_t> finishingLine(std::string_view program);

// Nothing when the program has no finishing pass with a feed.
std::optional<ContourPart> contourPart(const gcode::Toolpath& path, std::string_view program,
                                       const Stock& stock);

}  // namespace zivek::workpiece
