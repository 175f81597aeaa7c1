// Tool-nose radius compensation where LinuxCNC refuses it or the program does not say the
// nose: the picture must say so on the line, and go on drawing. The compensated paths
// themselves are pinned move for move against rs274 in linuxcnc_cycles_test.cpp.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

Toolpath readAs(const std::string& program, Dialect dialect = Dialect::LinuxCnc) {
    return interpret(program, zivek::testing::readingAs(dialect));
}

TEST(NoseCompensation, RefusedMovesAreWarnedAndDrawnAsProgrammed) {
    struct Case {
        const char* name;
        std::string program;
        std::uint32_t line;  // 1-based
        CompensationFault why;
        // the programmed end, where the path ends uncompensated; none for a cycle's own
        std::optional<Point> lastEnd;
    };
    const std::string head = "G18 G21 G8 F100\nG0 X20 Z2\n";
    const Case cases[] = {
        {"entry shorter than the radius", head + "G42.1 D4\nG1 X19 Z1\nG1 Z-5\n", 4,
         CompensationFault::EntryTooShort, Point{-5, 19}},
        // a groove 1 mm wide for a nose 4 mm across (LinuxCNC stops on the groove's far wall)
        {"groove narrower than the nose",
         head + "G42.1 D4\nG1 X10 Z0\nG1 Z-10\nG1 X8\nG1 Z-11\nG1 X10\nG1 Z-20\n", 8,
         CompensationFault::Gouge, Point{-20, 10}},
        {"inside arc no larger than the nose",
         head + "G42.1 D4\nG1 X10 Z0\nG1 Z-5\nG2 X10 Z-8 R1.5\nG1 Z-12\n", 6,
         CompensationFault::NoseTooLarge, Point{-12, 10}},
        {"arc leaving compensation", head + "G42.1 D1\nG1 X10 Z0\nG1 Z-5\nG40\nG2 X14 Z-7 R3\n", 7,
         CompensationFault::ArcAfterCancel, Point{-7, 14}},
        {"drilling cycle", head + "G42.1 D1\nG1 X0 Z5\nG81 X0 Z-10 R2\nG80\n", 5,
         CompensationFault::OtherMotion, Point{2, 0}},  // back to R
        {"roughing cycle",
         "G18 G21 G8 F100\nO1 SUB\nG1 X4 Z0\nG1 Z-5\nG1 X8\nO1 ENDSUB\nG0 X10 Z2\nG42.1 D1\n"
         "G1 X10 Z1\nG71 Q1 X10 Z1 D0.5 I1\n",
         10, CompensationFault::OtherMotion, std::nullopt},
    };
    for (const Case& c : cases) {
        const Toolpath p = readAs(c.program);
        ASSERT_EQ(p.warnings.size(), 1u) << c.name;
        EXPECT_EQ(p.warnings[0].code, Warning::CompensationRefused) << c.name;
        EXPECT_EQ(p.warnings[0].fault, c.why) << c.name;
        EXPECT_EQ(p.warnings[0].line + 1, c.line) << c.name;
        ASSERT_FALSE(p.moves.empty()) << c.name;
        if (c.lastEnd) {
            EXPECT_NEAR(p.moves.back().to.z, c.lastEnd->z, 1e-9) << c.name;
            EXPECT_NEAR(p.moves.back().to.x, c.lastEnd->x, 1e-9) << c.name;
        }
        // one path: each move starts where the one before it ended
        for (std::size_t i = 1; i < p.moves.size(); ++i)
            EXPECT_EQ(p.moves[i].from, p.moves[i - 1].to) << c.name << " move " << i;
    }
}

// LinuxCNC takes an entry only when it is longer than the radius (1 here), by a line's
// length or an arc's chord: as long as the radius is refused too.
TEST(NoseCompensation, EntryMustBeLongerThanTheRadius) {
    struct Case {
        const char* entry;
        bool refused;
    };
    const Case cases[] = {
        {"G1 X19.001 Z2", true},         {"G1 X19 Z2", true},      {"G1 X18.999 Z2", false},
        {"G3 X19.001 Z2 R0.4995", true}, {"G3 X19 Z2 R0.5", true}, {"G3 X18.999 Z2 R0.5005", false},
    };
    for (const Case& c : cases) {
        const Toolpath p =
            readAs("G18 G21 G8 F100\nG0 X20 Z2\nG42.1 D2\n" + std::string(c.entry) + "\nG1 Z-5\n");
        ASSERT_EQ(p.warnings.size(), c.refused ? 1u : 0u) << c.entry;
        if (c.refused) {
            EXPECT_EQ(p.warnings[0].fault, CompensationFault::EntryTooShort) << c.entry;
        }
        // refused, the path goes on as programmed; taken, the nose runs 1 above the line
        EXPECT_NEAR(p.moves.back().to.x, c.refused ? 19 : 20, 2e-3) << c.entry;
    }
}

// LinuxCNC 2.9 reads G70's contour and leaves its current point at the contour's end, so
// a pass into a bore from there backs over the entry: it stops on the G70 line.
TEST(NoseCompensation, BoringG70ThatLinuxCncRefuses) {
    const Toolpath p = readAs(
        "G18 G21 G8 F150\nO200 SUB\nG1 X9 Z0\nG1 X8 Z-1\nG1 Z-8\nG3 X6 Z-10 R2\nG1 X5\n"
        "G1 Z-20\nO200 ENDSUB\nG0 X3 Z4\nG41.1 D0.4 L2\nG70 Q200 X3 Z2 D0.3 P2\nG40\n");
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].code, Warning::CompensationRefused);
    EXPECT_EQ(p.warnings[0].fault, CompensationFault::Gouge);
    EXPECT_EQ(p.warnings[0].line + 1, 12u);
    EXPECT_NEAR(p.moves.back().to.z, -20, 1e-9);  // the last pass, uncompensated
    EXPECT_NEAR(p.moves.back().to.x, 5, 1e-9);
}

TEST(NoseCompensation, WithoutTheNoseOnTheBlockThePathIsProgrammedAndSaysSo) {
    struct Case {
        const char* program;
        Dialect dialect;
        const char* word;
    };
    const Case cases[] = {
        {"G0 X20 Z2\nG41 D1\nG1 X10 F100\nG40\n", Dialect::LinuxCnc, "G41"},   // tool table
        {"G0 X20 Z2\nG42.1\nG1 X10 F100\nG40\n", Dialect::LinuxCnc, "G42.1"},  // no D
        {"G1 X10 F100\nG42.1 D1\nG1 Z-5\nG40\n", Dialect::LinuxCnc, "G42.1"},  // from unknown
        {"G0 X20 Z2\nG42 D1\nG1 X10 F100\nG40\n", Dialect::Fanuc, "G42"},
    };
    for (const Case& c : cases) {
        const Toolpath p = readAs(c.program, c.dialect);
        ASSERT_EQ(p.warnings.size(), 1u) << c.program;
        EXPECT_EQ(p.warnings[0].code, Warning::CompensationNotDrawn) << c.program;
        EXPECT_EQ(p.warnings[0].word, c.word) << c.program;
        ASSERT_FALSE(p.moves.empty()) << c.program;
        EXPECT_NEAR(p.moves.back().to.x, c.dialect == Dialect::Fanuc ? 5 : 10, 1e-9);
    }
}

// G76 with compensation on cuts no thread in LinuxCNC: one compensated feed to its end.
TEST(NoseCompensation, ThreadCycleBecomesOneFeed) {
    const Toolpath p = readAs(
        "G18 G21 G8 F100 S500 M3\nG0 X20 Z2\nG42.1 D1\nG1 X10 Z0\nG76 P1 Z-10 I-1 J0.2 K1\nG40\n");
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].fault, CompensationFault::ThreadCycle);
    ASSERT_EQ(p.moves.size(), 3u);
    EXPECT_NEAR(p.moves[2].to.z, -10, 1e-4);  // rs274: STRAIGHT_FEED(10.5, 0, -10)
    EXPECT_NEAR(p.moves[2].to.x, 10.5, 1e-4);
    EXPECT_FALSE(p.moves[2].is(kThread));
}

}  // namespace
}  // namespace zivek::gcode
