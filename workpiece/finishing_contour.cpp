#include "zivek/workpiece/finishing_contour.h"

#include <algorithm>
#include <cctype>

namespace zivek::workpiece {
namespace {

// How far the part's chords may stray from an arc of the contour.
constexpr double kArcTolerance = 0.005;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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
        if (line.substr(at, 2) == "70" && (at + 2 == line.size() || !isDigit(line[at + 2])))
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
    const bool outer = growth >= 0;
    const double base = outer ? stock.bore / 2 : stock.diameter / 2;
    // Nothing of the part stands in front of Z0: the pass starts there from the air.
    const double huge = 1e6 * std::max(1.0, stock.length + stock.diameter);
    const ConvexRegion behindTheFace =
        convexHull({{-huge, -huge}, {0, -huge}, {0, huge}, {-huge, huge}});
    ContourPart contour;
    const std::size_t first = path.movesBefore(*line);
    for (std::size_t k = 0; k < pass.size(); ++k) {
        const gcode::Move& m = pass[k];
        if (m.kind != gcode::MoveKind::Feed) continue;
        std::vector<gcode::Point> chain{m.from, m.to};
        // The cut sweeps an arc along its chord: the part follows whichever of arc and
        // chord lies nearer its base, so that the finishing pass itself never gouges it.
        if (m.is(gcode::kArc)) {
            std::vector<gcode::Point> arc = gcode::polyline(path, first + k, kArcTolerance);
            const gcode::Point mid = arc[arc.size() / 2];
            const double along = m.to.z == m.from.z ? 0 : (mid.z - m.from.z) / (m.to.z - m.from.z);
            const double chordX = m.from.x + along * (m.to.x - m.from.x);
            if ((mid.x - chordX) * (outer ? 1 : -1) < 0) chain = std::move(arc);
        }
        for (std::size_t i = 1; i < chain.size(); ++i) {
            const gcode::Point a = chain[i - 1];
            const gcode::Point b = chain[i];
            if (a.z == b.z) continue;
            ConvexRegion piece =
                intersect(convexHull({a, b, {b.z, base}, {a.z, base}}), behindTheFace);
            if (piece.corners.size() >= 3) contour.part.push_back(std::move(piece));
        }
    }
    if (contour.part.empty()) return std::nullopt;
    contour.untilMove = path.movesBefore(*line + 1);
    return contour;
}

}  // namespace zivek::workpiece
