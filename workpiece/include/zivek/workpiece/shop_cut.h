#pragma once

// What the cut of a shop's program starts from: its bar, the inserts of the shop's tool
// table from each tool change on, and the finished part its finishing pass draws.
//
// The tool changes come as (first move, tool number) pairs, in move order, as the caller
// finds them; a tool the table does not hold, or no table at all, cuts with a small
// round nose, named in `missing`.

#include <cstddef>
#include <optional>
#include <vector>

#include "zivek/gcode/tool_table.h"
#include "zivek/workpiece/finishing_contour.h"
#include "zivek/workpiece/stock.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::workpiece {

struct ToolFrom {
    std::size_t firstMove = 0;
    int tool = 0;
};

struct ShopCut {
    CutStart start;
    std::vector<int> missing;  // tool numbers cut with the stand-in nose, ascending
};

ShopCut shopCut(const Stock& stock, const gcode::ToolTable* table, bool programInch,
                const std::vector<ToolFrom>& changes, const std::optional<ContourPart>& contour);

// The chords of every arc feed of the path, for CutStart::arcs: an arc cut along its one
// chord would leave a concave fillet's material standing.
std::vector<std::pair<std::size_t, std::vector<Point>>> arcChords(const gcode::Toolpath& path);

// The stand-in for a tool the table does not describe: a round nose of 0.4 mm.
CuttingTool standInTool(bool programInch);

}  // namespace zivek::workpiece
