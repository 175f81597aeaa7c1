// The cut with the inserts of the shop's table: what each shape leaves, against values
// worked out by hand, and the warnings a bar and a real insert give on small programs
// written to trigger them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "zivek/gcode/tool_table.h"
#include "zivek/workpiece/insert_outline.h"
#include "zivek/workpiece/stock.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::workpiece {
namespace {

using gcode::readToolTable;
using gcode::ToolEntry;

ToolEntry toolOf(const std::string& line) {
    const auto reading = readToolTable(line);
    EXPECT_TRUE(reading.faults.empty()) << line;
    return reading.table.tools.at(0);
}

CuttingTool cuttingTool(const std::string& line) {
    const auto tool = cuttingToolOf(toolOf(line));
    EXPECT_TRUE(tool.has_value()) << line;
    return tool.value_or(CuttingTool{});
}

Move feed(Point from, Point to, std::uint32_t line) {
    return {MoveKind::Feed, 0, line, from, to, 0.2};
}
Move rapid(Point from, Point to, std::uint32_t line) {
    return {MoveKind::Rapid, 0, line, from, to, 0};
}

// Moves through the points in turn: each a feed, unless its line is in `rapids`.
std::vector<Move> through(const std::vector<Point>& points, std::vector<std::size_t> rapids = {}) {
    std::vector<Move> moves;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const bool isRapid = std::find(rapids.begin(), rapids.end(), i) != rapids.end();
        moves.push_back(isRapid ? rapid(points[i - 1], points[i], std::uint32_t(i))
                                : feed(points[i - 1], points[i], std::uint32_t(i)));
    }
    return moves;
}

WorkpieceCut cutOf(const Stock& stock, const CuttingTool& tool, std::vector<Move> moves) {
    StockRegions regions = regionsOf(stock);
    CutStart start{std::move(regions.material), {}, std::move(regions.jaws), {{0, tool}}, false};
    return WorkpieceCut(std::move(start),
                        std::make_shared<const std::vector<Move>>(std::move(moves)));
}

double area(const std::vector<ConvexRegion>& pieces) {
    double sum = 0;
    for (const ConvexRegion& piece : pieces) {
        const auto& c = piece.corners;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Point a = c[i];
            const Point b = c[(i + 1) % c.size()];
            sum += a.z * b.x - b.z * a.x;
        }
    }
    return sum / 2;
}

// The height of the material over a line across the axis at `z`.
double surfaceAt(const std::vector<ConvexRegion>& pieces, double z) {
    double top = -INFINITY;
    for (const ConvexRegion& piece : pieces) {
        const auto& c = piece.corners;
        for (std::size_t i = 0; i < c.size(); ++i) {
            const Point a = c[i];
            const Point b = c[(i + 1) % c.size()];
            if ((a.z - z) * (b.z - z) > 0 || a.z == b.z) continue;
            top = std::max(top, a.x + (b.x - a.x) * (z - a.z) / (b.z - a.z));
        }
    }
    return top;
}

bool hasCorner(const ConvexRegion& region, Point p, double within) {
    return std::any_of(region.corners.begin(), region.corners.end(),
                       [&](Point c) { return std::hypot(c.z - p.z, c.x - p.x) < within; });
}

std::vector<CutCheck> checksOf(const WorkpieceCut& cut) {
    std::vector<CutCheck> checks;
    for (const CutWarning& w : cut.warnings()) checks.push_back(w.check);
    return checks;
}

const Stock kBar{20, 40, 0, 0, 0};  // X from 0 to 10, Z from -40 to 0

TEST(InsertOutline, PutsTheDrivenPointWhereLinuxCncDoes) {
    // Tips 1-4: the insert lies wholly in the nose centre's quadrant of the driven
    // point, touching the two lines through it.
    struct Case {
        int tip;
        double bodyZ;
        double bodyX;
    };
    const Case cases[] = {{1, -1, 1}, {2, 1, 1}, {3, 1, -1}, {4, -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        const ConvexRegion r = cuttingTool("T1 CNMG120408 Q" + std::to_string(c.tip)).insert;
        EXPECT_NEAR(c.bodyZ > 0 ? r.low.z : r.high.z, 0, 1e-12);
        EXPECT_NEAR(c.bodyX > 0 ? r.low.x : r.high.x, 0, 1e-12);
    }
    // Tip 9 drives the nose centre: the nose reaches one radius each way from it.
    const ConvexRegion centred = cuttingTool("T1 CNMG120408 Q9").insert;
    EXPECT_NEAR(centred.low.z, -0.8, 1e-12);
    EXPECT_NEAR(centred.low.x, -0.8, 1e-12);
}

TEST(InsertOutline, CnmgInA95DegreeHolderHasItsEdgesWhereTheCatalogueDraws) {
    // Tip 2, nose 0.8 at (0.8, 0.8). The leading edge leaves the nose 95 degrees from the
    // feed along -Z (at 85 degrees), the trailing edge 80 degrees below it (at 5), each
    // from its tangent point for 12.7 (the inscribed circle):
    //   trailing: (0.8 + 0.8 sin 5, 0.8 - 0.8 cos 5) + 12.7 (cos 5, sin 5) = (13.5214, 1.1099)
    //   leading:  (0.8 - 0.8 cos 5, 0.8 + 0.8 sin 5) + 12.7 (cos 85, sin 85) = (1.1099, 13.5214)
    const ConvexRegion insert = cuttingTool("T1 CNMG120408 Q2").insert;
    EXPECT_TRUE(hasCorner(insert, {13.5214, 1.1099}, 1e-4));
    EXPECT_TRUE(hasCorner(insert, {1.1099, 13.5214}, 1e-4));
    EXPECT_TRUE(hasCorner(insert, {0, 0.8}, 1e-12));
    EXPECT_TRUE(hasCorner(insert, {0.8, 0}, 1e-12));
}

TEST(InsertCut, CnmgNoseLeavesTheScallopBetweenTwoPlunges) {
    // A neutral CNMG (tip 6, edges 40 degrees either side of +X) plunged twice 1.2 apart
    // to X 6: between the two nose circles of radius 0.8 the cusp stands
    //   h = r - sqrt(r^2 - (s/2)^2) = 0.8 - sqrt(0.64 - 0.36) = 0.27085
    // above the bottom, where the circles meet at 48.6 degrees from the bottom, within the
    // nose's arc of 50. Its chords leave at most r (1 - cos 7.5) = 0.007 more.
    const CuttingTool tool = cuttingTool("T1 CNMG120408 Q6");
    const auto cut = cutOf(
        kBar, tool, through({{-10, 12}, {-10, 6}, {-10, 12}, {-11.2, 12}, {-11.2, 6}}, {2, 3}));
    const auto left = cut.materialAfter(4);
    EXPECT_NEAR(surfaceAt(left, -10.6), 6.27085, 0.008);
    EXPECT_GE(surfaceAt(left, -10.6), 6.27085 - 1e-9);
    // Under each nose centre the bottom is flat at X 6.
    EXPECT_NEAR(surfaceAt(left, -10), 6, 1e-9);
    EXPECT_NEAR(surfaceAt(left, -11.2), 6, 1e-9);
}

TEST(InsertCut, GroovingBladeCutsItsWidthInOnePlunge) {
    // A 3 wide blade with a square corner, tip 2: plunged at Z -10 from above the bar to
    // X 7 it takes the rectangle Z -10 ... -7, X 7 ... 10: 9 square units, no more.
    const CuttingTool blade = cuttingTool("T5 GROOVE W3 Q2");
    const auto cut = cutOf(kBar, blade, through({{-10, 12}, {-10, 7}}));
    const double bar = area(cut.material());
    EXPECT_NEAR(bar - area(cut.materialAfter(1)), 9, 1e-9);
    EXPECT_NEAR(surfaceAt(cut.materialAfter(1), -8.5), 7, 1e-9);
    EXPECT_NEAR(surfaceAt(cut.materialAfter(1), -10.5), 10, 1e-9);
    EXPECT_NEAR(surfaceAt(cut.materialAfter(1), -6.5), 10, 1e-9);
    EXPECT_TRUE(cut.warnings().empty());
}

TEST(InsertCut, NoseRadiusRoundsTheGroovesCorners) {
    // The same plunge with a nose of 0.4: each bottom corner keeps a quarter of 0.4 x 0.4
    // less its quarter circle, 0.16 (1 - pi / 4), give or take the chords.
    const CuttingTool blade = cuttingTool("T5 GROOVE W3 R0.4 Q2");
    const auto cut = cutOf(kBar, blade, through({{-10, 12}, {-10, 7}}));
    const double removed = area(cut.material()) - area(cut.materialAfter(1));
    EXPECT_NEAR(removed, 9 - 2 * 0.16 * (1 - std::numbers::pi / 4), 0.003);
}

struct WarningCase {
    const char* name;
    const char* tool;
    Stock stock;
    std::vector<Point> path;
    std::vector<std::size_t> rapids;
    std::vector<CutCheck> expected;  // in line order
};

class SmallPrograms : public ::testing::TestWithParam<WarningCase> {};

TEST_P(SmallPrograms, GetTheirWarning) {
    const WarningCase& c = GetParam();
    const auto cut = cutOf(c.stock, cuttingTool(c.tool), through(c.path, c.rapids));
    EXPECT_EQ(checksOf(cut), c.expected);
}

const Stock kHeldBar{20, 60, 0, 0, 30};

INSTANTIATE_TEST_SUITE_P(
    Warnings, SmallPrograms,
    ::testing::Values(
        // VNMG in a 93 degree holder: its trailing edge at 52 degrees allows copying down
        // toward the chuck up to 50 degrees; a profile at 60 degrees drags it through.
        WarningCase{"VnmgOnASteepProfile",
                    "T1 VNMG160404 Q2",
                    kBar,
                    {{2, 12}, {2, 8}, {-5, 8}, {-5 - 2 / std::tan(60 * std::numbers::pi / 180), 6}},
                    {1},
                    {CutCheck::BackEdgeRubs}},
        WarningCase{"VnmgOnAGentleProfile",
                    "T1 VNMG160404 Q2",
                    kBar,
                    {{2, 12}, {2, 8}, {-5, 8}, {-5 - 2 / std::tan(40 * std::numbers::pi / 180), 6}},
                    {1},
                    {}},
        // The same 60 degrees with a DNMG: 93 - 55 leaves 30 degrees, so it rubs too.
        WarningCase{"DnmgOnASteepProfile",
                    "T1 DNMG150604 Q2",
                    kBar,
                    {{2, 12}, {2, 8}, {-5, 8}, {-5 - 2 / std::tan(60 * std::numbers::pi / 180), 6}},
                    {1},
                    {CutCheck::BackEdgeRubs}},
        // A 3 wide blade taking a groove 5 wide in one plunge and a sideways feed.
        WarningCase{"GrooveWiderThanTheBlade",
                    "T5 GROOVE W3 Q2",
                    kBar,
                    {{-10, 12}, {-10, 7}, {-8, 7}},
                    {},
                    {CutCheck::BackEdgeRubs}},
        WarningCase{"RapidIntoTheBar",
                    "T1 CNMG120408 Q2",
                    kBar,
                    {{2, 12}, {-5, 8}},
                    {1},
                    {CutCheck::RapidIntoMaterial}},
        // A holder reaching 3 beyond the tip toward the chuck and down to 1 above it:
        // going down 2 in front of the face it already reaches over it, and on the pass
        // it leads into the bar.
        WarningCase{"HolderAheadOfTheInsert",
                    "T1 CNMG120408 Q2 HOLDER(-3,1 -3,30 5,30 5,1)",
                    kBar,
                    {{2, 12}, {2, 8}, {-20, 8}},
                    {1},
                    {CutCheck::HolderIntoMaterial, CutCheck::HolderIntoMaterial}},
        WarningCase{"HolderBehindTheInsert",
                    "T1 CNMG120408 Q2 HOLDER(1,1 1,30 9,30 9,1)",
                    kBar,
                    {{2, 12}, {2, 8}, {-20, 8}},
                    {1},
                    {}},
        WarningCase{"TurningPastTheJaws",
                    "T1 CNMG120408 Q2",
                    kHeldBar,
                    {{2, 12}, {2, 9}, {-35, 9}},
                    {1},
                    {CutCheck::IntoJaws}},
        WarningCase{"TurningShortOfTheJaws",
                    "T1 CNMG120408 Q2",
                    kHeldBar,
                    {{2, 12}, {2, 9}, {-25, 9}},
                    {1},
                    {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(InsertCut, EachToolCutsFromItsFirstMove) {
    // A blade after a turning insert: the plunge takes the blade's 3, not the CNMG's body.
    const CuttingTool turning = cuttingTool("T1 CNMG120408 Q2");
    const CuttingTool blade = cuttingTool("T5 GROOVE W3 Q2");
    auto moves = through({{2, 12}, {-10, 12}, {-10, 7}}, {1});
    StockRegions regions = regionsOf(kBar);
    CutStart start{std::move(regions.material), {}, {}, {{0, turning}, {1, blade}}, false};
    const WorkpieceCut cut(std::move(start),
                           std::make_shared<const std::vector<Move>>(std::move(moves)));
    EXPECT_NEAR(area(cut.material()) - area(cut.materialAfter(2)), 9, 1e-9);
    EXPECT_EQ(cut.insertAt(0).corners, turning.insert.corners);
    EXPECT_EQ(cut.insertAt(1).corners, blade.insert.corners);
}

}  // namespace
}  // namespace zivek::workpiece
