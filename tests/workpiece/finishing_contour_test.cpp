// The finished part a G70 pass draws, and the moves that cut into it before it is done.

#include "zivek/workpiece/finishing_contour.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "zivek/workpiece/shop_cut.h"

namespace zivek::workpiece {
namespace {

// A shaft turned from a bar of 44 with G71 and finished with G70; line 3 is a hand-written
// move that feeds to X16 at Z-10, where the contour stands at X20.
constexpr std::string_view kShaft =
    "G21 G99\n"
    "T0101\n"
    "G0 X44. Z2.\n"
    "G1 X16. Z-10. F0.2\n"
    "G0 X44. Z2.\n"
    "G71 U2. R0.5\n"
    "G71 P100 Q200 U0.4 W0.1 F0.25\n"
    "N100 G0 X16.\n"
    "G1 Z0. F0.1\n"
    "X20. Z-2.\n"
    "Z-25.\n"
    "X36. Z-60.\n"
    "N200 X44.\n"
    "G70 P100 Q200 (BITIRME)\n"
    "G0 X100. Z100.\n";

std::vector<CutWarning> warningsOf(std::string_view program) {
    const auto path = std::make_shared<const gcode::Toolpath>(gcode::interpret(program));
    const Stock bar{44, 70, 0, 0, 0};
    const auto table = gcode::readToolTable("T1 CNMG120408 R0.4 Q2\n").table;
    ShopCut cut = shopCut(bar, &table, false, {{0, 1}}, contourPart(*path, program, bar));
    EXPECT_TRUE(cut.missing.empty());
    return WorkpieceCut(std::move(cut.start),
                        std::shared_ptr<const std::vector<Move>>(path, &path->moves))
        .warnings();
}

TEST(FinishingContour, FindsTheG70Line) {
    EXPECT_EQ(finishingLine(kShaft), 13u);
    EXPECT_EQ(finishingLine("G0 X1\n(G70 IN A COMMENT)\nG700\nN5 G070 P1 Q2\n"), 3u);
    EXPECT_EQ(finishingLine("G71 P1 Q2\n; G70\n"), std::nullopt);
}

TEST(FinishingContour, MakesThePartUnderTheOuterContour) {
    const gcode::Toolpath path = gcode::interpret(kShaft);
    const auto contour = contourPart(path, kShaft, Stock{44, 70, 0, 0, 0});
    ASSERT_TRUE(contour.has_value());
    // Z2 ... -60 along the contour's feeds, down to the axis, up to the taper's end at
    // X36 (18 as a radius).
    double low = 0;
    double top = 0;
    for (const ConvexRegion& piece : contour->part) {
        low = std::min(low, piece.low.z);
        top = std::max(top, piece.high.x);
        EXPECT_EQ(piece.low.x, 0);
    }
    EXPECT_DOUBLE_EQ(low, -60);
    EXPECT_DOUBLE_EQ(top, 18);  // the retract to X44 along X encloses nothing
}

TEST(FinishingContour, AMoveIntoItIsAGougeAndTheCyclesAreNot) {
    const auto warnings = warningsOf(kShaft);
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings.front().line, 3u);
    EXPECT_EQ(warnings.front().check, CutCheck::FeedIntoPart);
    for (const CutWarning& w : warnings)
        EXPECT_TRUE(w.line == 3 || w.check != CutCheck::FeedIntoPart) << w.line;
}

TEST(ShopCut, NamesTheToolsTheTableLacks) {
    const auto table = gcode::readToolTable("T1 CNMG120408 Q2\nT4 DRILL D10\n").table;
    const ShopCut cut = shopCut(Stock{44, 70, 0, 0, 0}, &table, false,
                                {{0, 1}, {5, 3}, {9, 4}, {12, 3}}, std::nullopt);
    EXPECT_EQ(cut.missing, (std::vector<int>{3}));
    ASSERT_EQ(cut.start.tools.size(), 5u);  // the stand-in before the first change
    EXPECT_EQ(cut.start.tools[2].tool.insert.corners, standInTool(false).insert.corners);
    EXPECT_EQ(shopCut(Stock{44, 70, 0, 0, 0}, nullptr, false, {{0, 1}}, std::nullopt).missing,
              (std::vector<int>{1}));
}

}  // namespace
}  // namespace zivek::workpiece
