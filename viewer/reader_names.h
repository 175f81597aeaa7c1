#pragma once

// The viewer shows what the program reader and the workpiece make, so their names are
// its own vocabulary: Toolpath, Move, Warning, WorkpieceCut ...
namespace zivek::gcode {}
namespace zivek::workpiece {}

namespace zivek::backplot {
using namespace zivek::gcode;
using namespace zivek::workpiece;
}  // namespace zivek::backplot
