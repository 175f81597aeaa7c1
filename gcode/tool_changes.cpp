// Which tool cuts which moves. A change is recorded where it makes its first move, so
// that a change followed by another before any move leaves no empty stretch behind.

#include <cmath>

#include "gcode/interpreter.h"

namespace zivek::gcode {

void Interpreter::selectTool(double number) {
    if (!(number >= 0 && number < 1e8) || number != std::floor(number)) return;
    preparedTool_ = number;
    if (rules_->toolWord != ToolWord::ChangesWithOffset) return;
    const auto t = std::uint32_t(number);
    if (t < 100) {
        recordToolChange(t, t);
    } else {
        recordToolChange(t / 100, t % 100);
    }
}

void Interpreter::recordToolChange(std::uint32_t tool, std::uint32_t offset) {
    // Tool 0 holds no insert (T0000 cancels the offsets, T0 M6 empties the spindle), and
    // the same tool again (T0100 after T0101) only changes its offset: no new stretch.
    if (tool == 0) return;
    auto& all = out_.tools;
    const auto first = std::uint32_t(out_.moves.size());
    if (!all.empty() && all.back().firstMove == first) all.pop_back();
    if (!all.empty() && all.back().tool == tool) return;
    all.push_back({first, tool, offset, readingFile() ? fileCallLine_ : line_, {}, {}});
}

void Interpreter::dropIdleToolChange() {
    auto& all = out_.tools;
    if (!all.empty() && all.back().firstMove == out_.moves.size()) all.pop_back();
}

}  // namespace zivek::gcode
