// Runs every program of a seeded sweep of valid values through a small lathe
// interpreter and checks that it cuts what the operation's drawing shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cycles/cycles.h"
#include "geometry/program_shapes.h"
#include "geometry/sweep_values.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::cycleOf;
using testing::describe;
using testing::Operation;
using testing::read;
using testing::sweepBoxes;
using testing::Values;

// ---------------------------------------------------------------------------------
// The interpreter: G0 and G1 modal, U and W incremental, X and Z absolute. The tool
// starts where the operator zeroed it; the opening G0X0Y0 sets X0 and, the lathe
// having no Y axis, leaves Z at that zero.

struct Position {
    double x = 0, z = 0;
    bool operator==(const Position&) const = default;
};

struct Move {
    Position from, to;
    bool feed = false;
    std::size_t line = 0;
};

struct Run {
    std::vector<Move> moves;
    std::vector<Position> after;  // the position after each line
    std::string fault;
};

Run interpret(const std::vector<std::string>& lines) {
    Run run;
    Position at;
    int motion = -1;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        Position to = at;
        bool moves = false;
        for (std::size_t i = 0; i < line.size();) {
            const char letter = line[i++];
            std::size_t end = i;
            while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) ||
                                         line[end] == '.' || line[end] == '-' || line[end] == 'E' ||
                                         (line[end] == '+' && line[end - 1] == 'E')))
                ++end;
            double value = 0;
            if (end > i &&
                std::from_chars(line.data() + i, line.data() + end, value).ec != std::errc{}) {
                run.fault = "unreadable number in \"" + line + "\"";
                return run;
            }
            i = end;
            switch (letter) {
                case 'G':
                    if (value == 0 || value == 1) motion = static_cast<int>(value);
                    break;
                case 'X':
                    to.x = value, moves = true;
                    break;
                case 'Z':
                    to.z = value, moves = true;
                    break;
                case 'U':
                    to.x += value, moves = true;
                    break;
                case 'W':
                    to.z += value, moves = true;
                    break;
                default:
                    break;  // M, S, F, Y, %: no motion
            }
        }
        if (moves) {
            if (motion < 0) {
                run.fault = "a move before any G0 or G1: \"" + line + "\"";
                return run;
            }
            run.moves.push_back({at, to, motion == 1, index});
            at = to;
        }
        run.after.push_back(at);
    }
    return run;
}

// ---------------------------------------------------------------------------------
// The drawings as plain data. Coordinates are in units of the cut: u = X / acrossUnit
// and v = Z / alongUnit, with the origin at the drawing's zero point, +u away from the
// axis for the outside cuts and into the bore wall for the inside ones, -v toward the
// chuck. Regions are convex polygons; `far` stands for "unbounded".

struct Point {
    double u = 0, v = 0;
};
using Polygon = std::vector<Point>;
constexpr double far = 1e3;

enum class Measure { Depth, Length };  // Depth is taperDepth for the tapers
enum class Surface { Across, Along };  // where a cut's material meets air: U = 0 or W = 0

struct Drawing {
    Operation operation;
    const char* name;
    Measure acrossUnit, alongUnit;
    Polygon stock;              // the workpiece before cutting
    std::vector<Polygon> part;  // the finished part, as convex pieces
    Polygon removal;            // the material to remove, bounded by air and the part
    std::vector<std::array<Point, 2>> finished;  // the finished faces, cut by feeds
    Surface surface;  // a feed removes what lies between it and this surface
    Point deeper;     // the direction in which a pass goes deeper
};

const Drawing drawings[] = {
    // Tool at the outer top corner; the outside turned down by the depth over the length.
    {Operation::ExternalDiameter,
     "ExternalDiameter",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{-1, 0}, {-far, 0}, {-far, -far}, {-1, -far}},
      {{0, -1}, {-far, -1}, {-far, -far}, {0, -far}}},
     {{0, 0}, {-1, 0}, {-1, -1}, {0, -1}},
     {{{{-1, 0}, {-1, -1}}}, {{{-1, -1}, {0, -1}}}},
     Surface::Across,
     {-1, 0}},
    // Mirrored in U: the tool at the inner corner, the bore widened into its wall.
    {Operation::InternalDiameter,
     "InternalDiameter",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {far, 0}, {far, -far}, {0, -far}},
     {{{1, 0}, {far, 0}, {far, -far}, {1, -far}}, {{0, -1}, {far, -1}, {far, -far}, {0, -far}}},
     {{0, 0}, {1, 0}, {1, -1}, {0, -1}},
     {{{{1, 0}, {1, -1}}}, {{{1, -1}, {0, -1}}}},
     Surface::Across,
     {1, 0}},
    // Tool at the outer corner of the end face; the length runs across to the centre,
    // the depth into the face. The feed back out at the centre runs along the axis.
    {Operation::Facing,
     "Facing",
     Measure::Length,
     Measure::Depth,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{0, -1}, {-far, -1}, {-far, -far}, {0, -far}}},
     {{0, 0}, {-1, 0}, {-1, -1}, {0, -1}},
     {{{{0, -1}, {-1, -1}}}},
     Surface::Along,
     {0, -1}},
    // Tool on the large diameter at the end face; the cone runs from taperDepth inside
    // it at the face out to the large diameter at the length.
    {Operation::ExternalTaper,
     "ExternalTaper",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {-far, 0}, {-far, -far}, {0, -far}},
     {{{-1, 0}, {-far, 0}, {-far, -far}, {0, -far}, {0, -1}}},
     {{0, 0}, {-1, 0}, {0, -1}},
     {{{{-1, 0}, {0, -1}}}},
     Surface::Across,
     {-1, 0}},
    // Tool on the bore at the end face; the cone opens taperDepth into the wall at the
    // face and meets the bore at the length.
    {Operation::InternalTaper,
     "InternalTaper",
     Measure::Depth,
     Measure::Length,
     {{0, 0}, {far, 0}, {far, -far}, {0, -far}},
     {{{1, 0}, {far, 0}, {far, -far}, {0, -far}, {0, -1}}},
     {{0, 0}, {1, 0}, {0, -1}},
     {{{{1, 0}, {0, -1}}}},
     Surface::Across,
     {1, 0}},
};

// ---------------------------------------------------------------------------------
// Plane geometry on those regions.

// Positions are sums of a few written decimals; the regions' bounds are the same
// decimals. This only absorbs the last bit of a division by the unit, far below the
// 0.0005 of the rounding to 3 places that the checks must see.
constexpr double tolerance = 1e-9;

double cross(Point o, Point a, Point b) {
    return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u);
}

// Counter-clockwise hull without collinear points; fewer than 3 points when flat.
Polygon hull(Polygon points) {
    if (points.size() < 3) return {};
    std::sort(points.begin(), points.end(),
              [](Point a, Point b) { return a.u < b.u || (a.u == b.u && a.v < b.v); });
    Polygon out(2 * points.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(out[k - 2], out[k - 1], points[i]) <= 0) --k;
        out[k++] = points[i];
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(out[k - 2], out[k - 1], points[i]) <= 0) --k;
        out[k++] = points[i];
    }
    out.resize(k > 1 ? k - 1 : k);
    return out;
}

// a·u + b·v + c <= 0 on the inside; (a, b) a unit vector, so values are distances.
struct Side {
    double a, b, c;
    double at(Point p) const { return a * p.u + b * p.v + c; }
};

std::vector<Side> sides(const Polygon& polygon) {
    const Polygon corners = hull(polygon);
    std::vector<Side> out;
    if (corners.size() < 3) return out;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point p = corners[i], q = corners[(i + 1) % corners.size()];
        const double length = std::hypot(q.u - p.u, q.v - p.v);
        const double a = (q.v - p.v) / length, b = -(q.u - p.u) / length;
        out.push_back({a, b, -(a * p.u + b * p.v)});
    }
    return out;
}

struct Span {
    double from = 0, to = 1;
    bool empty() const { return from > to; }
};

// The part of the segment p→q (parameters 0 to 1) that lies in the region grown by
// `grow` (shrunk when negative).
Span clip(const std::vector<Side>& region, Point p, Point q, double grow) {
    Span span;
    if (region.empty()) return {1, 0};
    for (const Side& side : region) {
        const double start = side.at(p) - grow, change = side.at(q) - side.at(p);
        if (change == 0) {
            if (start > 0) return {1, 0};
        } else if (change > 0) {
            span.to = std::min(span.to, -start / change);
        } else {
            span.from = std::max(span.from, -start / change);
        }
    }
    return span;
}

bool inside(const std::vector<Side>& region, Point p) {
    return std::all_of(region.begin(), region.end(),
                       [&](const Side& s) { return s.at(p) <= tolerance; });
}

// ---------------------------------------------------------------------------------
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
// whole, is reached by adding steps rather than set by the cap), and how a tie is read
// is the implementer's choice. Elsewhere the sizes are compared exactly.
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
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.z) + ")";
}

std::string checkGeometry(const Drawing&, const std::vector<std::string>&,
                          const testing::ParsedProgram&, const Run&, const Sizes&);

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

void PrintTo(const Drawing& drawing, std::ostream* out) {
    *out << drawing.name;
}

class GeometrySweep : public ::testing::TestWithParam<Drawing> {};

TEST_P(GeometrySweep, EveryProgramCutsWhatTheDrawingShows) {
    const Drawing& drawing = GetParam();
    testing::TempFolder folder;
    NoViewer viewer;
    Values values(20261210u + static_cast<std::uint32_t>(drawing.operation));
    int faults = 0;
    for (int index = 0; index < 400; ++index) {
        const BoxTexts boxes = sweepBoxes(drawing.operation, values, index);
        const PressResult result =
            press(cycleOf(drawing.operation), boxes, OutputPlace{folder.path()}, viewer);
        std::string fault = result.written() ? checkProgram(drawing, boxes, result)
                                             : "refused: " + result.message();
        if (fault.empty()) continue;
        if (++faults <= 5) ADD_FAILURE() << fault << "\n  boxes:" << describe(boxes);
    }
    EXPECT_EQ(faults, 0) << "programs with a fault, the first ones shown above";
}

INSTANTIATE_TEST_SUITE_P(Operations, GeometrySweep, ::testing::ValuesIn(drawings),
                         [](const auto& drawing) { return std::string(drawing.param.name); });

// Values the cycles make hard: running sums that fall just short, lengths with a 4th
// place, a plunge equal to the depth or taperDepth, and sizes on a rounding tie.
TEST(GeometryOfHardValues, CutWhatTheDrawingShows) {
    using testing::straightDefaults;
    using testing::taperDefaults;
    using testing::withBoxes;
    const BoxTexts straight[] = {
        straightDefaults,
        withBoxes(straightDefaults, {{control::Text3, "0.1"}, {control::Text4, "0.01"}}),
        withBoxes(straightDefaults, {{control::Text2, "60.0004"}}),
        withBoxes(straightDefaults, {{control::Text2, "60.0006"}}),
        withBoxes(straightDefaults,
                  {{control::Text3, "2"}, {control::Text2, "25.1234"}, {control::Text4, "0.75"}}),
        withBoxes(
            straightDefaults,
            {{control::Text3, "12.0005"}, {control::Text2, "0.0015"}, {control::Text4, "0.0005"}}),
    };
    const BoxTexts tapers[] = {
        taperDefaults,
        withBoxes(taperDefaults, {{control::Text4, "25"}}),
        withBoxes(taperDefaults, {{control::Text4, "10"}}),
        withBoxes(taperDefaults, {{control::Text4, "0.3"}, {control::Text2, "30.0004"}}),
        withBoxes(taperDefaults,
                  {{control::Text3, "100"}, {control::Text6, "30"}, {control::Text4, "20"}}),
        // Whole passCount with a length, or a taperDepth, on a tie: the last pass of the
        // outside (and the one before the repeat inside) ends at W-89.285 and
        // U-108.829, where round3 of the sizes reads 89.284 and 108.83.
        withBoxes(taperDefaults, {{control::Text3, "217.2489"},
                                  {control::Text6, "104.3027"},
                                  {control::Text2, "89.2845"},
                                  {control::Text4, "1.5263"}}),
        withBoxes(taperDefaults, {{control::Text3, "256.0618"},
                                  {control::Text6, "38.4028"},
                                  {control::Text2, "150.9936"},
                                  {control::Text4, "2.7905"}}),
    };
    testing::TempFolder folder;
    NoViewer viewer;
    for (const Drawing& drawing : drawings)
        for (const BoxTexts& boxes : testing::isStraight(drawing.operation)
                                         ? std::span<const BoxTexts>(straight)
                                         : std::span<const BoxTexts>(tapers)) {
            const PressResult result =
                press(cycleOf(drawing.operation), boxes, OutputPlace{folder.path()}, viewer);
            ASSERT_TRUE(result.written())
                << drawing.name << describe(boxes) << ": " << result.message();
            EXPECT_EQ(checkProgram(drawing, boxes, result), "") << drawing.name << describe(boxes);
        }
}

// The checks themselves catch what they are for: hand-made programs with one fault each.
TEST(GeometryChecks, CatchHandMadeFaults) {
    const BoxTexts boxes = {{control::Text3, "2"}, {control::Text2, "10"}, {control::Text4, "1"}};
    auto programOf = [](std::vector<std::string> passLines) {
        std::vector<std::string> lines = {"M08", "M03", "S6", "G54", "G0X0Y0"};
        lines.insert(lines.end(), passLines.begin(), passLines.end());
        lines.insert(lines.end(), {"M05", "M30", "%"});
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        PressResult result;
        result.outcome = PressResult::Outcome::Written;
        result.programText = text;
        return result;
    };
    const Drawing& external = drawings[0];
    const struct {
        const char* fault;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"ends at", {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10.0004"}},
        {"enters the finished part",
         {"G0U-1", "G1W-10.001F1", "G0U1W10.001", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"uncut stock",
         {"G0U-1", "G1W-10F1", "G0U1W9.9996", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"finished corner",
         {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-1.999", "G1W-10F1", "U1.999F.5", "G0W10"}},
        {"deeper than the one before",
         {"G0U-.5", "G1W-10F1", "G0U.5W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"outside the material",
         {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2.5F.5", "G0W10"}},
    };
    for (const auto& c : cases) {
        const std::string found = checkProgram(external, boxes, programOf(c.lines));
        if (*c.fault == '\0')
            EXPECT_EQ(found, "") << "a sound program";
        else
            EXPECT_NE(found.find(c.fault), std::string::npos)
                << c.fault << " -> \"" << found << "\"";
    }
}

}  // namespace
}  // namespace zivek
