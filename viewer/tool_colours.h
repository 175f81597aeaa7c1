#pragma once

// One colour for each tool a program uses, the same on the screen, in the legend, in the
// tool list and on the setup sheet. A program that names no tool keeps the feed colour.

#include <QColor>
#include <cstdint>
#include <vector>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

// 0 the plain feed colour; 1 on the tools' palette, in the order the tools are first used.
using ToolShade = std::uint8_t;

// For each of path.tools, its shade: a tool used twice keeps its colour.
std::vector<ToolShade> toolShades(const Toolpath& path);
QColor shadeColour(ToolShade shade);

}  // namespace zivek::backplot
