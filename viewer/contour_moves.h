#pragma once

// A chosen line of a cycle's contour shows what the contour became: the cycle's moves
// along it, marked over the path as with a highlighter.

#include <QPainter>
#include <cstddef>
#include <vector>

#include "viewer/reader_names.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

// Indices into `path.contours` of the cycles whose contour holds `line`, as they ran.
std::vector<std::size_t> contoursHolding(const Toolpath& path, std::size_t line);

void paintContourMoves(QPainter& p, const Viewport& view, const Toolpath& path,
                       const std::vector<std::size_t>& contours);

}  // namespace zivek::backplot
