// Which control a program is read for, and the words whose meaning depends on it.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "gcode/dialects.h"
#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

// The opening and first passes of a facing program as the wizard writes it.
const std::string kWizardOpening = "M08\nM03\nS6\nG54\nG0X0Y0\n";
const std::string kWizardPasses = "G0W-1\nG1U-60F111\nG0W1U60\nM05\nM30\n%\n";

TEST(DialectDetection, SignsDecideAndSingleWordsDoNotFlip) {
    struct Case {
        const char* name;
        std::string text;
        Dialect expected;
    };
    const std::vector<Case> cases{
        {"the wizard's own program", kWizardOpening + kWizardPasses, Dialect::Generic},
        {"a tool word added by hand on top", "T0101\n" + kWizardOpening + kWizardPasses,
         Dialect::Generic},
        {"a tool word added by hand among the passes", kWizardOpening + "T0101\n" + kWizardPasses,
         Dialect::Generic},
        {"a subprogram call added to the wizard's program",
         kWizardOpening + "M98 P1000\n" + kWizardPasses, Dialect::Generic},
        // G70's P is the pass count in LinuxCNC, and its Q names an o-sub.
        {"LinuxCNC with only a G70",
         "o100 sub\nG1 X10 Z-5\no100 endsub\nG0 X20 Z2\nG70 Q100 P2\nM2\n", Dialect::LinuxCnc},
        // Fanuc writes G33 too; its tool word speaks for it.
        {"Fanuc threads by G33", "T0101\nG97 S500 M3\nG0 X160 Z5\nG33 Z-40 F1.5\nG0 X170\nM30\n",
         Dialect::Fanuc},
        {"G33 alone speaks for neither", "G0 X10 Z5\nG33 Z-20 K1.5\n", Dialect::Generic},
        {"Fanuc G71 in two blocks", "G0 X50 Z2\nG71 U2 R0.5\nG71 P10 Q20 U0.5 W0.1 F0.2\n",
         Dialect::Fanuc},
        {"Fanuc G76 in two blocks", "G0 X30 Z5\nG76 P010060 Q100 R0\nG76 X27 Z-20 P1300 Q500 F2\n",
         Dialect::Fanuc},
        {"LinuxCNC G76 with its Q", "G7\nG0 X30 Z5\nG76 P2 Z-20 I-1 J0.2 K1.3 Q29.5\n",
         Dialect::LinuxCnc},
        {"LinuxCNC diameter mode and M6", "G7\nT1 M6\nG0 X20 Z2\nG1 Z-10 F100\n",
         Dialect::LinuxCnc},
        {"no sign at all", "G0 X10 Z5\nG1 Z-10 F100\n", Dialect::Generic},
    };
    for (const Case& c : cases) EXPECT_EQ(interpret(c.text).dialect, c.expected) << c.name;
}

// Detection knows no dialect by name: each row scores the signs of it that a program
// shows, by their weights, so another control is one more row.
TEST(DialectDetection, EachRowScoresItsSignsByTheirWeights) {
    // One sign for Fanuc (T0101), one for LinuxCNC (M6): a tie, read as the first row's.
    const std::string program = "T0101\nT1 M6\nG187 P2\nG0 X20 Z2\n";
    const std::vector<std::uint32_t> starts = lineStarts(program);
    std::vector<DialectRow> rows(dialects().begin(), dialects().end());
    EXPECT_EQ(detectAmong(rows, program, starts), Dialect::Generic);
    EXPECT_EQ(interpret(program).dialect, Dialect::Generic);

    std::vector<DetectionSign> heavier(rows[2].signs.begin(), rows[2].signs.end());
    for (DetectionSign& s : heavier) s.weight = 2;
    rows[2].signs = heavier;
    EXPECT_EQ(detectAmong(rows, program, starts), Dialect::LinuxCnc);

    // A fourth control whose own code (Haas's G187) outweighs the others' signs.
    const std::array haasSigns{DetectionSign{3, [](const SignLine& l) { return l.hasG(187); }}};
    DialectRow haas = rows[1];
    haas.dialect = Dialect(rows.size());
    haas.signs = haasSigns;
    rows.push_back(haas);
    EXPECT_EQ(detectAmong(rows, program, starts), haas.dialect);
    // The wizard's opening settles it whatever the signs.
    EXPECT_EQ(detectAmong(rows, kWizardOpening + program, lineStarts(kWizardOpening + program)),
              Dialect::Generic);
}

TEST(DialectDetection, TheWizardsFormCanBeChosenWhateverTheSigns) {
    ReadOptions wizard = zivek::testing::readingAs(Dialect::Generic);
    const Toolpath path = interpret("T0101\nM98 P1000\n" + kWizardOpening + kWizardPasses, wizard);
    EXPECT_EQ(path.dialect, Dialect::Generic);
    EXPECT_FALSE(path.diameterMode);
}

// The lead of every thread move of a program.
std::vector<double> leads(const Toolpath& path) {
    std::vector<double> out;
    for (const Move& m : path.moves)
        if (m.is(kThread)) out.push_back(m.feed);
    return out;
}

TEST(ThreadLead, ComesFromTheWordEachControlReads) {
    struct Case {
        const char* name;
        std::string text;
        Dialect dialect;
        std::vector<double> leads;
    };
    const std::vector<Case> cases{
        {"Fanuc G33 with F", "G0 X40 Z5\nG33 Z-40 F1.5\nG0 X50\n", Dialect::Fanuc, {1.5}},
        {"Fanuc G32 with F, modal", "G0 X40 Z5\nG32 Z-20 F2\nZ-40\n", Dialect::Fanuc, {2, 2}},
        {"the wizard's form G33 with F", "G0 X20 Z5\nG33 Z-20 F1.5\n", Dialect::Generic, {1.5}},
        {"LinuxCNC G33 with K, F the feed",
         "G0 X20 Z5\nG33 Z-20 K1.25 F300\n",
         Dialect::LinuxCnc,
         {1.25}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leads(interpret(c.text, zivek::testing::readingAs(c.dialect))), c.leads)
            << c.name;
    }
}

TEST(WorkedExamples, RigidTappingGoesInAndOutAtTheLead) {
    // S500, K1.5: 750 mm/min; 15 mm in and 15 mm out take 0.02 min each.
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    const Toolpath path = interpret("G0 X0 Z5\nS500 M3\nG33.1 Z-10 K1.5\n", options);
    ASSERT_EQ(path.moves.size(), 3u);
    EXPECT_EQ(path.moves[1].from, (Point{5, 0}));
    EXPECT_EQ(path.moves[1].to, (Point{-10, 0}));
    EXPECT_EQ(path.moves[2].to, (Point{5, 0}));
    for (std::size_t i : {1u, 2u}) {
        EXPECT_TRUE(path.moves[i].is(kThread));
        EXPECT_EQ(path.moves[i].feed, 1.5);
        EXPECT_EQ(path.moves[i].line, 2u);
    }
    EXPECT_NEAR(path.summary.cuttingMinutes, 0.04, 1e-12);
    EXPECT_TRUE(path.warnings.empty());
}

TEST(WorkedExamples, FanucSubprogramRepeatsFromTheCall) {
    // Fanuc's M98 P: past four digits, the leading ones count the repeats and the last
    // four name the program, so P21000 runs O1000 twice; L or K count them otherwise.
    struct Case {
        const char* call;
        std::size_t steps;
    };
    for (const Case c : {Case{"M98 P1000", 1}, Case{"M98 P21000", 2}, Case{"M98 P00031000", 3},
                         Case{"M98 P1000 L4", 4}, Case{"M98 P1000 K2", 2}}) {
        const Toolpath path =
            interpret(std::string("T0101\nG0 X10 Z1\n") + c.call + "\nM30\nO1000\nG0 W-1\nM99\n");
        EXPECT_EQ(path.dialect, Dialect::Fanuc) << c.call;
        ASSERT_EQ(path.moves.size(), c.steps + 1) << c.call;
        EXPECT_EQ(path.moves.back().to.z, 1.0 - double(c.steps)) << c.call;
        EXPECT_TRUE(path.warnings.empty()) << c.call;
    }
}

TEST(WorkedExamples, InchSurfaceSpeedIsInFeetPerMinute) {
    // At radius 1 in, 100 ft/min is 1200/(2π) rpm; 1 in at 0.01 in/rev takes π/6 min.
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    const Toolpath path =
        interpret("G20 G18\nG96 S100 D5000 M3\nG95\nG0 X1 Z0.1\nG1 Z-0.9 F0.01\n", options);
    EXPECT_NEAR(path.summary.cuttingMinutes, std::numbers::pi / 6, 1e-9);
}

// G96 S is a speed in the units in force when S is given (m/min or ft/min), whatever
// units the program switches to later; the path holds it in its own units per minute.
TEST(WorkedExamples, SurfaceSpeedKeepsTheUnitsItWasGivenIn) {
    struct Case {
        const char* program;
        double speed;  // path units per minute
    };
    const Case cases[] = {
        {"G20\nG96 S100 M3\nG21\nG0 X10 Z1\nG1 Z-5 F0.2\n", 100 * 12 * 25.4},  // path in mm
        {"G21\nG96 S100 M3\nG20\nG0 X1 Z0.1\nG1 Z-0.5 F0.01\n", 100 * 1000 / 25.4},
        {"G20\nG96 S100 M3\nG21 S100\nG0 X10 Z1\nG1 Z-5 F0.2\n", 100 * 1000},
        {"G21\nG96 S100 M3\nG20 S100\nG0 X1 Z0.1\nG1 Z-0.5 F0.01\n", 100 * 12},
    };
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.program, zivek::testing::readingAs(Dialect::LinuxCnc));
        ASSERT_FALSE(path.spindles.empty()) << c.program;
        EXPECT_NEAR(path.spindles.back().speed, c.speed, 1e-6) << c.program;
        EXPECT_TRUE(path.summary.cuttingMinutes > 0) << c.program;
    }
}

TEST(WordsAndRange, ToolLengthOffsetIsKnownAndFarPointsAreWarned) {
    EXPECT_TRUE(interpret("G0 X10 Z5\nG43 H2\nG1 Z-10 F100\n").warnings.empty());
    const Toolpath far = interpret("G0 X10 Z5\nG0 X1E308\nG0 X20\n");
    ASSERT_EQ(far.warnings.size(), 1u);
    EXPECT_EQ(far.warnings[0].code, Warning::BeyondReach);
    EXPECT_EQ(far.warnings[0].line, 1u);
}

}  // namespace
}  // namespace zivek::gcode
