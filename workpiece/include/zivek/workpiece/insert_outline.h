#pragma once

// A tool of the shop's table as the cut sweeps it: the insert's outline in the Z-X plane
// (X a radius), placed so that the point the program drives sits at (0, 0), and the
// directions in which the insert may not cut because its back, not its edge, would lead
// or trail into the material.
//
// Orientation follows LinuxCNC's lathe tool pictures (its preview's table of tip
// positions): for tips 1-8 the nose centre lies one nose radius from the driven point,
// toward +X for tips 1, 2, 6 and toward -X for 3, 4, 8; toward +Z for 2, 3, 7 and toward -Z
// for 1, 4, 5. The body lies on the nose centre's side. For the corner tips a turning
// insert sits as in the usual holders: its leading edge 93 degrees from the feed along Z
// (95 for C and W, 75 for S), so that the limits a catalogue gives for copying in and
// out come out of the outline. Tips 5-8 hold it symmetric about the axis, as neutral
// holders do. Tips 0 and 9 drive the nose centre and carry the body as tip 2 does.

#include <optional>
#include <vector>

#include "zivek/gcode/tool_table.h"
#include "zivek/workpiece/convex_region.h"

namespace zivek::workpiece {

// Directions of travel, as angles in radians counter-clockwise from +Z, from `from` to
// `to` (wrapping past 2π when from > to).
struct AngleRange {
    double from = 0;
    double to = 0;
    bool holds(double angle) const;
};

struct CuttingTool {
    ConvexRegion insert;
    ConvexRegion holder;                // none when the table gives no outline
    std::vector<AngleRange> backLeads;  // feeds in these directions rub the back
};

// Nothing when the entry names no shape to draw (an unknown insert, a width of 0).
std::optional<CuttingTool> cuttingToolOf(const gcode::ToolEntry& entry);

// The clearance an edge keeps from the surface it leaves: a feed closer than this to an
// edge's direction rubs with that edge.
inline constexpr double kEdgeClearanceDegrees = 2;

}  // namespace zivek::workpiece
