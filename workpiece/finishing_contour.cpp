#include "zivek/workpiece/finishing_contour.h"

#include <algorithm>
#include <cctype>

namespace zivek::workpiece {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the line's code (comments left out) holds the word G70, written G70 or G070.
bool holdsG70(std::string_view line) {
    bool inComment = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ';') return false;
        if (c == '(') inComment = true;
        if (c == ')') inComment = false;
        if (inComment || (c != 'G' && c != 'g')) continue;
        if (i > 0 && std::isalpha(static_cast<unsigned char>(line[i - 1]))) continue;
        std::size_t at = i + 1;
        while (at < line.size() && line[at] == ' ') ++at;
        while (at < line.size() && line[at] == '0') ++at;
        if (line.substr(at, 2) == "70" &&
            (at + 2 == line.size() || !isDigit(line[at + 2])))
            return true;
    }
    return false;
}

}  // namespace

std::optional<std::size_t> finishingLine(std::string_view program) {
    const std::vector<std::string_view> lines = gcode::splitLines(program);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (holdsG70(lines[i])) return i;
    return std::nullopt;
}

std::optional<ContourPart> contourPart(const gcode::Toolpath& path, std::string_view program,
                                       const Stock& stock) {
    const auto line = finishingLine(program);
    if (!line) return std::nullopt;
    const std::span<const gcode::Move> pass = path.movesOf(*line);
    // An outer contour grows toward the chuck, a bore's narrows.
    double growth = 0;
    bool anyFeed = false;
    for (const gcode::Move& m : pass) {
        if (m.kind != gcode::MoveKind::Feed) continue;
        anyFeed = true;
        growth += (m.to.x - m.from.x) * (m.from.z - m.to.z);
    }
    if (!anyFeed) return std::nullopt;
    const double base = growth >= 0 ? stock.bore / 2 : stock.diameter / 2;
    ContourPart contour;
    for (const gcode::Move& m : pass) {
        if (m.kind != gcode::MoveKind::Feed || m.from.z == m.to.z) continue;
        ConvexRegion piece = convexHull({m.from, m.to, {m.to.z, base}, {m.from.z, base}});
        if (piece.corners.size() >= 3) contour.part.push_back(std::move(piece));
    }
    if (contour.part.empty()) return std::nullopt;
    contour.untilMove = path.movesBefore(*line + 1);
    return contour;
}

}  // namespace zivek::workpiece
