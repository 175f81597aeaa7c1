#include "zivek/workpiece/shop_cut.h"

#include <algorithm>

namespace zivek::workpiece {

CuttingTool standInTool(bool programInch) {
    gcode::ToolEntry round;
    round.insert.kind = gcode::InsertKind::Turning;
    round.insert.shape = 'R';
    round.insert.inscribedCircle = programInch ? 0.8 / 25.4 : 0.8;
    // Driven by its tip point with the nose above and behind it (an outside turning tool):
    // with its centre driven, a program written for the tip would gouge by the radius on
    // every face and diameter.
    round.tip = 2;
    return cuttingToolOf(round).value_or(CuttingTool{});
}

std::vector<std::pair<std::size_t, std::vector<Point>>> arcChords(const gcode::Toolpath& path) {
    // Within a hundredth of a millimetre (or of an inch's 1/2540) of the arc.
    const double tolerance = path.inch ? 0.0004 : 0.01;
    std::vector<std::pair<std::size_t, std::vector<Point>>> chords;
    for (const gcode::Arc& arc : path.arcs)
        if (path.moves[arc.move].kind == gcode::MoveKind::Feed)
            chords.emplace_back(arc.move, gcode::polyline(path, arc.move, tolerance));
    return chords;
}

ShopCut shopCut(const Stock& stock, const gcode::ToolTable* table, bool programInch,
                const std::vector<ToolFrom>& changes, const std::optional<ContourPart>& contour) {
    ShopCut cut;
    StockRegions regions = regionsOf(stock);
    cut.start.material = std::move(regions.material);
    cut.start.jaws = std::move(regions.jaws);
    if (contour) {
        cut.start.part = contour->part;
        cut.start.partUntil = contour->untilMove;
    }
    const CuttingTool standIn = standInTool(programInch);
    // Before the first change the tool is unknown: the stand-in.
    cut.start.tools.push_back({0, standIn});
    for (const ToolFrom& change : changes) {
        const gcode::ToolEntry* entry = table ? table->find(change.tool) : nullptr;
        std::optional<CuttingTool> tool;
        if (entry) tool = cuttingToolOf(gcode::toolInUnits(*entry, table->inch, programInch));
        if (!tool) cut.missing.push_back(change.tool);
        cut.start.tools.push_back({change.firstMove, tool ? *tool : standIn});
    }
    std::sort(cut.missing.begin(), cut.missing.end());
    cut.missing.erase(std::unique(cut.missing.begin(), cut.missing.end()), cut.missing.end());
    return cut;
}

}  // namespace zivek::workpiece
