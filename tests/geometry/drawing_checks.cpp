#include "geometry/drawing_checks.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "geometry/lathe_interpreter.h"
#include "geometry/polygon_geometry.h"
#include "geometry/program_shapes.h"
#include "output/control_names.h"
#include "support/program_lines.h"

namespace zivek::geometry {
namespace {

using testing::read;

// The values of one press, typed as text and read as the numbers they spell.

double round3(double x) {
    return std::nearbyint(x * 1000) / 1000;
}

struct Sizes {
    double depth, length, plunge;  // depth and length as written: after round3
};

// round3 of a typed size, and where the size sits on a rounding tie (a 5 in the 4th
// place), its other neighbour as well. A running sum that should reach such a size can
// land on either side of the tie (the external taper's last pass, when passCount is
// whole, is reached by adding steps rather than set by the cap), and round3 goes by the
// product as computed, not by the typed digits. Elsewhere the sizes are compared exactly.
std::vector<double> rounded(double size) {
    const double thousandths = size * 1000;
    if (std::abs(thousandths - std::floor(thousandths) - 0.5) > 1e-6) return {round3(size)};
    return {std::floor(thousandths) / 1000, std::ceil(thousandths) / 1000};
}

std::vector<Sizes> sizesOf(Operation operation, const BoxTexts& boxes) {
    const double depth = testing::isStraight(operation)
                             ? read(boxes, control::Text3)
                             : (read(boxes, control::Text3) - read(boxes, control::Text6)) / 2;
    std::vector<Sizes> sizes = {
        {round3(depth), round3(read(boxes, control::Text2)), read(boxes, control::Text4)}};
    for (double d : rounded(depth))
        for (double l : rounded(read(boxes, control::Text2)))
            if (d != sizes[0].depth || l != sizes[0].length)
                sizes.push_back({d, l, sizes[0].plunge});
    return sizes;
}

std::string show(const Position& p) {
    std::string text = "(";
    text.append(std::to_string(p.x)).append(", ").append(std::to_string(p.z)).append(")");
    return text;
}

// The program against the drawing at the given sizes.
std::string checkGeometry(const Drawing& drawing, const std::vector<std::string>& lines,
                          const testing::ParsedProgram& program, const Run& run,
                          const Sizes& sizes) {
    auto lineText = [&](std::size_t line) {
        return "line " + std::to_string(line + 1) + " \"" + lines[line] + "\"";
    };
    const double across = drawing.acrossUnit == Measure::Depth ? sizes.depth : sizes.length;
    const double along = drawing.alongUnit == Measure::Depth ? sizes.depth : sizes.length;
    auto unitPoint = [&](Position p) { return Point{p.x / across, p.z / along}; };

    std::vector<std::vector<Side>> part;
    for (const Polygon& piece : drawing.part) part.push_back(sides(piece));
    const std::vector<Side> stock = sides(drawing.stock), removal = sides(drawing.removal);
    std::vector<std::vector<Side>> cut;  // what each feed so far has removed

    for (const Move& move : run.moves) {
        const Point p = unitPoint(move.from), q = unitPoint(move.to);
        for (const auto& piece : part)
            if (!clip(piece, p, q, -tolerance).empty())
                return "enters the finished part: " + lineText(move.line);
        if (move.feed) {
            if (!inside(removal, p) || !inside(removal, q))
                return "a feed outside the material to remove: " + lineText(move.line);
            const Point onSurface[] = {
                drawing.surface == Surface::Across ? Point{0, p.v} : Point{p.u, 0},
                drawing.surface == Surface::Across ? Point{0, q.v} : Point{q.u, 0}};
            cut.push_back(sides({p, q, onSurface[0], onSurface[1]}));
            continue;
        }
        // A rapid runs through air or through material already cut, never into stock.
        const Span inStock = clip(stock, p, q, -tolerance);
        if (inStock.empty()) continue;
        std::vector<Span> covered;
        for (auto region = cut.rbegin(); region != cut.rend(); ++region) {
            const Span span = clip(*region, p, q, tolerance);
            if (!span.empty()) covered.push_back(span);
            if (span.from <= inStock.from && span.to >= inStock.to) break;
        }
        std::sort(covered.begin(), covered.end(), [](Span a, Span b) { return a.from < b.from; });
        double reached = inStock.from;
        for (const Span& span : covered)
            if (span.from <= reached) reached = std::max(reached, span.to);
        if (reached < inStock.to) return "a rapid into uncut stock: " + lineText(move.line);
    }

    // Every pass starts and ends at the origin, exactly: each comes back by the very
    // numbers it went out with, or by G0X0Z0.
    const Position origin;
    if (run.after[testing::openingShapes.size() - 1] != origin)
        return "the opening lines end off the origin";
    for (const testing::ParsedPass& pass : program.passes) {
        const std::size_t last = pass.firstLine + pass.lineCount() - 1;
        if (run.after[pass.firstLine - 1] != origin)
            return "a pass starts off the origin: " + lineText(pass.firstLine);
        if (run.after[last] != origin)
            return "a pass ends at " + show(run.after[last]) + ": " + lineText(last);
    }

    // The finished faces are cut over their whole extent, and their corners are reached
    // exactly: the finished size is the typed one after rounding to 3 places.
    for (const auto& [a, b] : drawing.finished) {
        const Position corners[] = {{a.u * across, a.v * along}, {b.u * across, b.v * along}};
        for (const Position& corner : corners)
            if (std::none_of(run.moves.begin(), run.moves.end(), [&](const Move& m) {
                    return m.feed && (m.from == corner || m.to == corner);
                }))
                return "no feed reaches the finished corner " + show(corner);
        const double length = std::hypot(b.u - a.u, b.v - a.v);
        std::vector<Span> spans;
        for (const Move& move : run.moves) {
            if (!move.feed) continue;
            const Point ends[] = {unitPoint(move.from), unitPoint(move.to)};
            if (std::abs(cross(a, b, ends[0])) / length > tolerance ||
                std::abs(cross(a, b, ends[1])) / length > tolerance)
                continue;
            double t[2];
            for (int i = 0; i < 2; ++i)
                t[i] = ((ends[i].u - a.u) * (b.u - a.u) + (ends[i].v - a.v) * (b.v - a.v)) /
                       (length * length);
            spans.push_back({std::min(t[0], t[1]), std::max(t[0], t[1])});
        }
        std::sort(spans.begin(), spans.end(), [](Span x, Span y) { return x.from < y.from; });
        double reached = 0;
        for (const Span& span : spans)
            if (span.from <= reached + tolerance) reached = std::max(reached, span.to);
        if (reached < 1 - tolerance) return "a finished face is not cut over its whole extent";
    }

    // No pass cuts deeper into uncut material than one plunge; each written depth is
    // within 0.0005 of its exact value, so two of them differ by up to 0.001 more.
    double deepest = 0;
    auto move = run.moves.begin();
    for (const testing::ParsedPass& pass : program.passes) {
        double depth = 0;
        for (; move != run.moves.end() && move->line < pass.firstLine + pass.lineCount(); ++move)
            depth = std::max(depth, move->to.x * drawing.deeper.u + move->to.z * drawing.deeper.v);
        if (depth - deepest > sizes.plunge + 0.001 + tolerance)
            return "a pass cuts " + std::to_string(depth - deepest) +
                   " deeper than the one before: " + lineText(pass.firstLine);
        deepest = std::max(deepest, depth);
    }
    return {};
}

}  // namespace

// The first fault of one program, or empty.
std::string checkProgram(const Drawing& drawing, const BoxTexts& boxes, const PressResult& result) {
    const std::vector<std::string> lines = testing::splitLines(result.programText);
    const testing::ParsedProgram program = testing::parseProgram(drawing.operation, lines);
    if (!program.ok) return "grammar: " + program.fault;
    const Run run = interpret(lines);
    if (!run.fault.empty()) return run.fault;
    const std::vector<Sizes> sizes = sizesOf(drawing.operation, boxes);
    const std::string fault = checkGeometry(drawing, lines, program, run, sizes[0]);
    for (std::size_t i = 1; i < sizes.size() && !fault.empty(); ++i)
        if (checkGeometry(drawing, lines, program, run, sizes[i]).empty()) return {};
    return fault;
}

}  // namespace zivek::geometry
