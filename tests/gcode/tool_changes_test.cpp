// Which tool cuts which moves, as each control changes tools, with the names the
// program's comments give them and each tool's share of the totals.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zivek/gcode/summary_json.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct ExpectedTool {
    std::uint32_t tool;
    std::uint32_t offset;
    std::uint32_t line;  // 1-based, as an editor shows it
    const char* description;
    std::size_t feedMoves;
    double feedLength;
    double minutes;
};

struct Case {
    const char* name;
    Dialect dialect;
    const char* program;
    std::vector<ExpectedTool> tools;
};

// Feeds per minute, so that each tool's time is its feed length over F.
const Case kCases[] = {
    {"fanuc: T selects at once, T0200 only cancels the offset, comments name the tools",
     Dialect::Fanuc,
     "O1000\n"
     "G21 G98\n"
     "(T1 - KABA DIS 0.8R)\n"  // 3
     "T0101\n"                 // 4
     "G0 X50 Z2\n"
     "G1 Z-18 F100\n"  // 20 at F100
     "G0 X52 Z2\n"
     "(T0305 - KANAL)\n"         // names another tool: not T2's, but T3's
     "T0202 (DIS FINIS 0.4R)\n"  // 9
     "G0 X40 Z2\n"
     "G1 Z-8 F50\n"  // 10 at F50
     "X44\n"         // 2 (a radius) at F50
     "T0200\n"
     "G0 X100 Z100\n"
     "T0305\n"  // 15
     "G0 X30 Z-5\n"
     "G1 X20 F20\n"  // 5 at F20
     "T0000\n"
     "M30\n",
     {{1, 1, 4, "KABA DIS 0.8R", 1, 20, 0.2},
      {2, 2, 9, "DIS FINIS 0.4R", 2, 12, 12.0 / 50},
      {3, 5, 15, "KANAL", 1, 5, 0.25}}},
    {"linuxcnc: T prepares, M6 changes; a CAM post's tool list names them",
     Dialect::LinuxCnc,
     "(TOOL 1 - FACING 80 DEG)\n"
     "(TOOL 2 - FINISH OD 0.4R)\n"
     "G18 G21 G94 G8\n"
     "T1 M6\n"  // 4
     "G0 X20 Z1\n"
     "G1 X0 F200\n"  // 20 at F200
     "T2\n"          // prepared: T1 still cuts
     "G0 X21 Z1\n"
     "G1 Z-10 F200\n"  // 11 at F200
     "G0 X30\n"
     "M6\n"  // 11
     "G0 X15 Z1\n"
     "G1 Z-20 F100\n"  // 21 at F100
     "M2\n",
     {{1, 1, 4, "FACING 80 DEG", 2, 31, 31.0 / 200}, {2, 2, 11, "FINISH OD 0.4R", 1, 21, 0.21}}},
    {"fanuc: a subprogram that changes the tool",
     Dialect::Fanuc,
     "O1\n"
     "G21 G98\n"
     "T0101\n"  // 3
     "G0 X50 Z2\n"
     "G1 Z-8 F100\n"  // 10 at F100
     "M98 P2000\n"
     "G0 X60 Z2\n"
     "M30\n"
     "O2000\n"
     "T0404 (MATKAP 10)\n"  // 10
     "G0 X0 Z3\n"
     "G1 Z-27 F60\n"  // 30 at F60
     "G0 Z3\n"
     "M99\n",
     {{1, 1, 3, "", 1, 10, 0.1}, {4, 4, 10, "MATKAP 10", 1, 30, 0.5}}},
    {"linuxcnc: an o-word subroutine that changes the tool",
     Dialect::LinuxCnc,
     "o100 sub\n"
     "T2 M6 (FINISH)\n"  // 2
     "G0 X15 Z1\n"
     "G1 Z-19 F100\n"  // 20 at F100
     "o100 endsub\n"
     "G18 G21 G94 G8\n"
     "T1 M6\n"  // 7
     "G0 X20 Z1\n"
     "G1 Z-9 F100\n"  // 10 at F100
     "o100 call\n"
     "M2\n",
     {{1, 1, 7, "", 1, 10, 0.1}, {2, 2, 2, "FINISH", 1, 20, 0.2}}},
};

TEST(ToolChanges, EachToolItsMovesNameAndTotals) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ReadOptions options;
        options.autoDialect = false;
        options.dialect = c.dialect;
        const Toolpath p = interpret(c.program, options);
        ASSERT_EQ(p.tools.size(), c.tools.size());
        MoveTotals sum;
        for (std::size_t i = 0; i < c.tools.size(); ++i) {
            const ToolChange& got = p.tools[i];
            const ExpectedTool& want = c.tools[i];
            SCOPED_TRACE("tool " + std::to_string(want.tool));
            EXPECT_EQ(got.tool, want.tool);
            EXPECT_EQ(got.offset, want.offset);
            EXPECT_EQ(got.line + 1, want.line);
            EXPECT_EQ(got.description, want.description);
            EXPECT_EQ(got.totals.feedMoves, want.feedMoves);
            EXPECT_NEAR(got.totals.feedLength, want.feedLength, 1e-9);
            EXPECT_NEAR(got.totals.cuttingMinutes, want.minutes, 1e-9);
            // Its first move is the first made after the change, and it is the tool of
            // every move up to the next change.
            ASSERT_LT(got.firstMove, p.moves.size());
            EXPECT_GE(p.moves[got.firstMove].line, got.line);
            const std::size_t end =
                i + 1 < p.tools.size() ? p.tools[i + 1].firstMove : p.moves.size();
            for (std::size_t m = got.firstMove; m < end; ++m) EXPECT_EQ(p.toolOf(m), &got);
            sum.feedMoves += got.totals.feedMoves;
            sum.rapidMoves += got.totals.rapidMoves;
            sum.feedLength += got.totals.feedLength;
            sum.cuttingMinutes += got.totals.cuttingMinutes;
        }
        // Every move is some tool's: the tools' totals make the program's.
        EXPECT_EQ(p.toolOf(0), &p.tools.front());
        EXPECT_EQ(sum.feedMoves, p.summary.feedMoves);
        EXPECT_EQ(sum.rapidMoves, p.summary.rapidMoves);
        EXPECT_NEAR(sum.feedLength, p.summary.feedLength, 1e-9);
        EXPECT_NEAR(sum.cuttingMinutes, p.summary.cuttingMinutes, 1e-9);
        // --summary lists them in order, lines counted from 1.
        const std::string json = summaryJson(p, {}, 10000);
        const ExpectedTool& last = c.tools.back();
        const std::string row = "{\"tool\": " + std::to_string(last.tool) +
                                ", \"offset\": " + std::to_string(last.offset) +
                                ", \"line\": " + std::to_string(last.line) +
                                ", \"description\": \"" + last.description + "\"";
        EXPECT_NE(json.find(row), std::string::npos) << json;
    }
}

TEST(ToolChanges, ProgramWithoutToolWordsHasNone) {
    const Toolpath p = interpret("M08\nM03\nS600\nG54\nG0X0Y0\nG0U-2\nG1W-10F111\nM30\n");
    EXPECT_TRUE(p.tools.empty());
    ASSERT_FALSE(p.moves.empty());
    EXPECT_EQ(p.toolOf(0), nullptr);
}

// Moves made before any T word belong to no tool, and still count in the program's totals.
TEST(ToolChanges, MovesBeforeTheFirstToolHaveNone) {
    ReadOptions options;
    options.autoDialect = false;
    options.dialect = Dialect::Fanuc;
    const Toolpath p = interpret("G98\nG0 X50 Z2\nG1 Z-8 F100\nT0202\nG0 X40 Z2\nM30\n", options);
    ASSERT_EQ(p.tools.size(), 1u);
    EXPECT_EQ(p.toolOf(1), nullptr);
    EXPECT_EQ(p.toolOf(2), &p.tools[0]);
    EXPECT_EQ(p.tools[0].totals.feedMoves, 0u);
    EXPECT_NEAR(p.summary.feedLength, 10, 1e-9);
}

}  // namespace
}  // namespace zivek::gcode
