// The moves and warnings of one program line, and the spindle of a move, found by halving: both
// lists are in line order, and the viewer asks for every line it shows or steps to.

#include <algorithm>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

template <typename T>
std::size_t firstAtOrAfter(const std::vector<T>& items, std::size_t line) {
    const auto it = std::lower_bound(items.begin(), items.end(), line,
                                     [](const T& item, std::size_t l) { return item.line < l; });
    return std::size_t(it - items.begin());
}

}  // namespace

std::size_t Toolpath::movesBefore(std::size_t line) const {
    return firstAtOrAfter(moves, line);
}

std::size_t Toolpath::warningsBefore(std::size_t line) const {
    return firstAtOrAfter(warnings, line);
}

std::optional<std::size_t> Toolpath::firstMoveOf(std::size_t line) const {
    const std::size_t i = movesBefore(line);
    if (i < moves.size() && moves[i].line == line) return i;
    return std::nullopt;
}

std::span<const Move> Toolpath::movesOf(std::size_t line) const {
    const std::size_t from = movesBefore(line);
    return std::span<const Move>(moves).subspan(from, movesBefore(line + 1) - from);
}

std::span<const LineWarning> Toolpath::warningsOf(std::size_t line) const {
    const std::size_t from = warningsBefore(line);
    return std::span<const LineWarning>(warnings).subspan(from, warningsBefore(line + 1) - from);
}

Spindle Toolpath::spindleOf(std::size_t move) const {
    const auto it =
        std::upper_bound(spindles.begin(), spindles.end(), move,
                         [](std::size_t m, const Spindle& s) { return m < s.firstMove; });
    return it == spindles.begin() ? Spindle{} : *std::prev(it);
}

const ToolChange* Toolpath::toolOf(std::size_t move) const {
    const auto it =
        std::upper_bound(tools.begin(), tools.end(), move,
                         [](std::size_t m, const ToolChange& t) { return m < t.firstMove; });
    return it == tools.begin() ? nullptr : &*std::prev(it);
}

}  // namespace zivek::gcode
