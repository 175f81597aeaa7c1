// LinuxCNC's tool length offsets: G43 takes the Z and X offsets of the tool in the
// spindle (H another's) from the tool table, G43.1 from its own words, G49 none. As a
// change of origin does, an offset moves the tool's coordinates, not the tool.

#include <cmath>

#include "gcode/interpreter.h"
#include "zivek/gcode/tool_table.h"

namespace zivek::gcode {

const ToolEntry* Interpreter::toolEntry(int number, std::size_t* place) const {
    if (tools_.table == nullptr) return nullptr;
    const auto& all = tools_.table->tools;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].number != number) continue;
        if (place != nullptr) *place = i;
        return &all[i];
    }
    return nullptr;
}

Point Interpreter::toolOffsets(const ToolEntry& entry) const {
    const ToolEntry inPath = toolInUnits(entry, tools_.table->inch, pathUnits_.inch);
    return {inPath.zOffset, inPath.xOffset};
}

void Interpreter::applyLengthOffset(Point next) {
    const Point now = tools_.lengthOffset;
    tool_.at = {tool_.at.z + now.z - next.z, tool_.at.x + now.x - next.x};
    tools_.lengthOffset = next;
}

// G43 [H]: the offsets of the tool in the spindle (H0 too), or of tool H. Without a
// table the offsets are the machine's own, not known here: the path stays as programmed.
void Interpreter::useToolLength(const GCodeRow&) {
    const int h = b_.has('H') ? int(std::lround(b_.use('H'))) : 0;
    const int number = h != 0 ? h : tools_.loaded;
    if (tools_.table == nullptr) return;
    if (number == 0) {
        applyLengthOffset({});
        return;
    }
    const ToolEntry* entry = toolEntry(number);
    if (entry == nullptr) {
        // LinuxCNC refuses a tool its table does not hold.
        warn(Warning::BadNumber, b_.has('H') ? b_.text[std::size_t('H' - 'A')] : "G43");
        return;
    }
    applyLengthOffset(toolOffsets(*entry));
}

// G43.1 Z X: the offsets as written, an axis not named none; X is a diameter under G7.
void Interpreter::useGivenLength(const GCodeRow&) {
    applyLengthOffset(
        {b_.has('Z') ? b_.length('Z') : 0.0, b_.has('X') ? b_.length('X') / m_.xScale() : 0.0});
}

void Interpreter::cancelToolLength(const GCodeRow&) {
    applyLengthOffset({});
}

}  // namespace zivek::gcode
