// Numbers and words as lathe programs write them, and what the interpreter makes of
// lines that this system never writes.

#include <gtest/gtest.h>

#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "gcode/gcode_words.h"
#include "gcode/gcodes.h"
#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

TEST(ReadNumber, GCodeForms) {
    struct Case {
        const char* text;
        std::size_t used;  // 0: no number here
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12", 2, true, 12},
        {"-60", 3, true, -60},
        {".5", 2, true, 0.5},
        {"-.75", 4, true, -0.75},
        {"55.5F", 4, true, 55.5},
        {"5.", 2, true, 5},
        {"+3", 2, true, 3},
        {"1E-05", 5, true, 1e-05},
        {"1.5E+15W", 7, true, 1.5e15},
        {"2e3", 3, true, 2000},
        {"7E", 1, true, 7},
        {"7EW", 1, true, 7},  // an E word may follow
        {"1E999", 5, false, 0},
        {"-", 0, false, 0},
        {".", 0, false, 0},
        {"", 0, false, 0},
        {"1.2.3", 3, true, 1.2},
        {"inf", 0, false, 0},
    };
    for (const Case& c : cases) {
        double value = 0;
        bool ok = false;
        const std::size_t used = readNumber(c.text, value, ok);
        EXPECT_EQ(used, c.used) << c.text;
        if (c.used == 0) continue;
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
}

// What common lathe programs add is read without warnings and moves as expected.
TEST(Interpreter, ToleratesCommonAdditions) {
    struct Case {
        const char* program;
        Point end;
        MoveKind lastKind;
    };
    const Case cases[] = {
        {"N10 G0 X0 Y0\nN20 G1 W-60 F111\n", {-60, 0}, MoveKind::Feed},
        {"g0x0y0\ng1w-60f111\nu-12\n", {-60, -12}, MoveKind::Feed},
        {"G0 X0 Y0 (work zero)\n\n; roughing\nG1 W-10 F50 ; first cut\n", {-10, 0}, MoveKind::Feed},
        {"%\nO1000\nG0U1\n", {0, 1}, MoveKind::Rapid},
        {"G0 X10 Z5\nW-5\nU-2 W-1\n", {-1, 8}, MoveKind::Rapid},
        {"G0X0Y7\nG1X2Z-3F1\n", {-3, 2}, MoveKind::Feed},  // Y moves nothing
        {"G0X0Z0\nG0U1\nM03 S600\nG01 W-2 F.2\nG00 U-1 W2\nM30\n", {0, 0}, MoveKind::Rapid},
        {"G0X0Z0\nG18 G21 G40 G80 G90 G94 G97 S500 M41\nG1 U1 F50\n", {0, 1}, MoveKind::Feed},
        {"G0X0Z0\nG2 U2 W-2 R2 F50\nG3 U-2 W-2 I0 K-2\n", {-4, 0}, MoveKind::Feed},
        {"/G0U4\n", {0, 4}, MoveKind::Rapid},
    };
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.program);
        EXPECT_TRUE(path.warnings.empty()) << c.program << path.warnings.front().word;
        ASSERT_FALSE(path.moves.empty()) << c.program;
        EXPECT_EQ(path.moves.back().to, c.end) << c.program;
        EXPECT_EQ(path.moves.back().kind, c.lastKind) << c.program;
    }
}

TEST(Interpreter, OddLinesBecomeWarningsOnTheirLine) {
    struct Case {
        const char* line;
        std::vector<Warning> warnings;
        std::string firstWord;
        std::size_t moves;
    };
    const Case cases[] = {
        {"G0 Q5 U1", {Warning::UnknownWord}, "Q5", 1},
        {"HELLO", {Warning::UnknownWord}, "HELLO", 0},
        {"G1 X F100", {Warning::BadNumber}, "X", 0},
        {"G0 U1E999", {Warning::BadNumber}, "U1E999", 0},
        {"G2 U1 W-1 F10", {Warning::BadArc}, "G2", 1},
        {"G2 U10 W-1 R1 F10", {Warning::BadArc}, "R1", 1},
        {"G84 U1 Q5", {Warning::UnsupportedG}, "G84", 0},
        {"G33.15 U1 K1", {Warning::UnsupportedG}, "G33.15", 0},  // a code is its own number
        {"G1 U1 U2 F10", {Warning::RepeatedWord}, "U2", 1},
        {"M98 P100", {Warning::UnsupportedM}, "M98", 0},
        {"U5", {Warning::NoMotionMode}, "", 1},
        {"G0 U1 (no end", {Warning::OpenComment}, "(no end", 1},
        {"G0 X3 U1", {Warning::AbsoluteAndIncremental}, "X/U", 1},
        {"G0 #1=[1/0]", {Warning::MathError}, "#1=[1/0]", 0},
        {"G0 U[2*#<unset>]", {Warning::BadExpression}, "U[2*#<unset>]", 0},
        {"o1 goto", {Warning::NotEvaluated}, "o1 goto", 0},
        {"G0 U1.5E308\nG0 U1.5E308", {Warning::BeyondReach, Warning::OutOfRange}, "", 1},
        {"G42.1 G1 U1 F10", {Warning::CompensationNotDrawn}, "G42.1", 1},
        {"G41 G1 U1 F10", {Warning::CompensationNotDrawn}, "G41", 1},
    };
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.line);
        std::vector<Warning> codes;
        for (const LineWarning& w : path.warnings) codes.push_back(w.code);
        EXPECT_EQ(codes, c.warnings) << c.line;
        if (!path.warnings.empty()) {
            EXPECT_EQ(path.warnings.front().word, c.firstWord) << c.line;
            EXPECT_EQ(path.warnings.back().line, path.lineCount - 1) << c.line;
        }
        EXPECT_EQ(path.moves.size(), c.moves) << c.line;
    }
}

TEST(Interpreter, WarningsOfOneLineAreCapped) {
    const std::string garbage(1 << 20, '#');
    std::string words;
    for (int i = 0; i < 20000; ++i) words.append("Q").append(std::to_string(i)).append(" ");
    for (const std::string& line : {garbage, words}) {
        const Toolpath path = interpret("G0U1\n" + line + "\nG0U-1\n");
        EXPECT_LE(path.warnings.size(), 9u);
        EXPECT_EQ(path.warnings.back().code,
                  line == garbage ? Warning::BadExpression : Warning::TooManyWarnings);
        EXPECT_LE(path.warnings.front().word.size(), 24u);
        EXPECT_EQ(path.moves.size(), 2u);  // the lines around it still count
    }
}

// The viewer asks these for every line it shows or steps to: a line with no move, one
// whose cycle makes several, and warnings on a line without a move must all be found.
TEST(Toolpath, AnswersForEachLine) {
    const Toolpath path = interpret(
        "G0 X20 Z5\n"          // 0: one move
        "(a comment)\n"        // 1: nothing
        "G92 X18 Z-10 F1.5\n"  // 2: a thread cycle, four moves
        "G4 Q9\n"              // 3: a warning, no move
        "G0 Z8\n");            // 4: one move
    struct Case {
        std::size_t line;
        std::optional<std::size_t> first;
        std::size_t before, moves, warnings;
    };
    const Case cases[] = {
        {0, 0, 0, 1, 0},  {1, {}, 1, 0, 0}, {2, 1, 1, 4, 0},
        {3, {}, 5, 0, 1}, {4, 5, 5, 1, 0},  {9, {}, 6, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(path.firstMoveOf(c.line), c.first);
        EXPECT_EQ(path.movesBefore(c.line), c.before);
        EXPECT_EQ(path.movesOf(c.line).size(), c.moves);
        for (const Move& m : path.movesOf(c.line)) EXPECT_EQ(m.line, c.line);
        EXPECT_EQ(path.warningsOf(c.line).size(), c.warnings);
        for (const LineWarning& w : path.warningsOf(c.line)) EXPECT_EQ(w.line, c.line);
    }
}

// Units switched and coordinates set anew leave one path in one unit, with the tool
// where LinuxCNC has it: the last move of each program, from and to, and its feed.
TEST(Interpreter, UnitsAndCoordinateSettingsKeepThePath) {
    struct Case {
        const char* program;
        Point from, to;
        double feed;
    };
    const Case cases[] = {
        // The path takes the units of its first placed block; later words are rescaled.
        {"G20 G8\nG0 X1 Z0\nG21\nG1 Z-25.4 F127", {0, 1}, {-1, 1}, 5},
        {"G21 G8\nG0 X10 Z0\nG20\nG1 X1 Z-1 F2", {0, 10}, {-25.4, 25.4}, 50.8},
        {"G21\nG20 G8\nG0 X1 Z1\nG1 Z0 F3", {1, 1}, {0, 1}, 3},
        // G92.1 and G92.2 take the shift away, G92.3 brings the kept one back.
        {"G21 G8\nG0 X10 Z0\nG92 Z5\nG92.1\nG1 Z-8 F1", {0, 10}, {-8, 10}, 1},
        {"G21 G8\nG0 X10 Z0\nG92 Z5\nG92.2\nG1 Z-8 F1", {0, 10}, {-8, 10}, 1},
        {"G21 G8\nG0 X10 Z0\nG92 Z5\nG92.2\nG92.3\nG1 Z-8 F1", {5, 10}, {-8, 10}, 1},
        // A shift set where the tool was not known is not known either: the path
        // begins anew at the next place named in full.
        {"G21 G8\nG92 Z5 X3\nG92.1\nG1 Z-8 X3 F1", {-8, 3}, {-8, 3}, 1},
    };
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const Toolpath path = interpret(c.program, options);
        ASSERT_FALSE(path.moves.empty());
        const Move& m = path.moves.back();
        EXPECT_NEAR(m.from.z, c.from.z, 1e-9);
        EXPECT_NEAR(m.from.x, c.from.x, 1e-9);
        EXPECT_NEAR(m.to.z, c.to.z, 1e-9);
        EXPECT_NEAR(m.to.x, c.to.x, 1e-9);
        EXPECT_NEAR(m.feed, c.feed, 1e-9);
        EXPECT_TRUE(path.warnings.empty());
    }
}

// The moves and warnings of one program line, to compare two readings of it.
struct LineResult {
    std::vector<Move> moves;
    std::vector<Warning> warnings;
};

LineResult resultOf(const Toolpath& path, std::size_t line) {
    LineResult r;
    for (const Move& m : path.movesOf(line)) r.moves.push_back(m);
    for (const LineWarning& w : path.warningsOf(line)) r.warnings.push_back(w.code);
    return r;
}

// A line with two codes of one modal group: LinuxCNC refuses it, so nothing of it runs;
// Fanuc takes the one written last. Either way the line is warned, naming both.
TEST(BlockCodes, TwoOfOneGroupAreWarnedAndTheDialectDecides) {
    struct Case {
        const char* line;
        Dialect dialect;
        std::size_t moves;  // of the line
        MoveKind kind;
        std::string word;
    };
    const Case cases[] = {
        {"G1 G0 X10 F100", Dialect::LinuxCnc, 0, {}, "G1 G0"},
        {"G1 G0 X10 F100", Dialect::Fanuc, 1, MoveKind::Rapid, "G1 G0"},
        {"G0 G1 X10 F100", Dialect::Fanuc, 1, MoveKind::Feed, "G0 G1"},
        {"G20 G21 X10", Dialect::LinuxCnc, 0, {}, "G20 G21"},
        {"G0 X10 M7 M8", Dialect::LinuxCnc, 0, {}, "M7 M8"},
        {"G0 X10 M3 M5", Dialect::Generic, 1, MoveKind::Rapid, "M3 M5"},
        // Fanuc's G92 with a lead is a motion code, so it meets G0 in its group.
        {"G0 G92 X8 Z-10 F1", Dialect::Fanuc, 4, MoveKind::Rapid, "G0 G92"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Toolpath path =
            interpret(std::string("G0 X20 Z2\n") + c.line, zivek::testing::readingAs(c.dialect));
        const LineResult r = resultOf(path, 1);
        ASSERT_EQ(r.moves.size(), c.moves);
        if (c.moves > 0) {
            EXPECT_EQ(r.moves.front().kind, c.kind);
        }
        ASSERT_EQ(r.warnings, std::vector<Warning>{Warning::SameGroupTwice});
        EXPECT_EQ(path.warningsOf(1).front().word, c.word);
    }
    // G80 may share its line with another motion code, which counts.
    for (const char* line : {"G80 G1 X10 F100", "G1 G80 X10 F100"}) {
        const Toolpath path = interpret(std::string("G0 X20 Z2\n") + line,
                                        zivek::testing::readingAs(Dialect::LinuxCnc));
        EXPECT_TRUE(path.warnings.empty()) << line;
        ASSERT_EQ(path.moves.size(), 2u) << line;
        EXPECT_EQ(path.moves.back().kind, MoveKind::Feed) << line;
    }
}

// A block's codes run in their groups' order, not in the order written: the units
// before the nose's diameter, the saving of the modes before the modes the block sets,
// and the program's end after the block's move.
TEST(BlockCodes, RunInTheirGroupsOrderWhateverTheOrderWritten) {
    struct Case {
        const char* name;
        std::string one, other;  // the same block written in two orders
    };
    const std::string start = "G20 G18 G90\nG0 X1 Z1\n";
    const std::string compensated = "G1 Z-0.5 F4\nX2\nG40\nG0 X3\nM2\n";
    const std::string sub = "o1 sub\n";
    const std::string afterSub = "o1 endsub\nG21 G0 X10 Z5\no1 call\nX12 Z2\nX14\n";
    const Case cases[] = {
        {"units before the nose", start + "G21 G41.1 D4 L3\n" + compensated,
         start + "G41.1 D4 L3 G21\n" + compensated},
        {"modes saved as the block found them", sub + "M73 G91\nG0 X1\n" + afterSub,
         sub + "G91 M73\nG0 X1\n" + afterSub},
        {"the end after the move", "G0 X1 Z1\nM30 G0 X5\nG0 X9\n", "G0 X1 Z1\nG0 X5 M30\nX9\n"},
    };
    const ReadOptions linuxCnc = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Toolpath one = interpret(c.one, linuxCnc);
        const Toolpath other = interpret(c.other, linuxCnc);
        EXPECT_TRUE(one.warnings.empty());
        EXPECT_TRUE(other.warnings.empty());
        ASSERT_EQ(one.moves.size(), other.moves.size());
        for (std::size_t i = 0; i < one.moves.size(); ++i) {
            EXPECT_NEAR(one.moves[i].to.z, other.moves[i].to.z, 1e-9) << i;
            EXPECT_NEAR(one.moves[i].to.x, other.moves[i].to.x, 1e-9) << i;
        }
    }
}

// What the M-codes' rows do, each where LinuxCNC has it happen.
TEST(BlockCodes, MCodesActInTheirTurn) {
    struct Case {
        const char* name;
        const char* program;
        std::size_t moves;
        Point end;  // of the last move
    };
    const Case cases[] = {
        {"M30 ends the program after its block's move", "G0 X1 Z1\nG0 X5 M30\nG0 X9\n", 2, {1, 5}},
        {"M2 likewise", "G0 X1 Z1\nM2 G0 Z-3\nG0 X9\n", 2, {-3, 1}},
        {"M0 and M1 only pause", "G0 X1 Z1\nM0\nM1 G0 X4\n", 2, {1, 4}},
        // A pallet change leaves the tool elsewhere: the block's own move is still drawn.
        {"M60 after the move", "G0 X1 Z1\nG0 X5 M60\nG0 X7 Z2\n", 3, {2, 7}},
        {"M73 restores the modes at the return",
         "o1 sub\nM73\nG91\no1 endsub\nG0 X1 Z1\no1 call\nG0 X3\n",
         2,
         {1, 3}},
        {"M73 saves the modes as its block found them",
         "o1 sub\nG91 M73\no1 endsub\nG0 X1 Z1\no1 call\nG0 X3\n",
         2,
         {1, 3}},
        {"M3, M6, M8 draw nothing", "G0 X1 Z1\nT1 M6\nM3 S500 M8\nG0 X2 Z1\n", 2, {1, 2}},
    };
    const ReadOptions linuxCnc = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Toolpath path = interpret(c.program, linuxCnc);
        EXPECT_TRUE(path.warnings.empty());
        ASSERT_EQ(path.moves.size(), c.moves);
        EXPECT_EQ(path.moves.back().to, c.end);
    }
}

// The words a code takes are its own: they are not left over as unknown words.
TEST(BlockCodes, TheWordsACodeTakesAreNotWarned) {
    for (const char* line : {"G4 P2", "G4 X1.5", "G41 D2 L3", "G41.1 D2 L3", "M98 P100 L2"}) {
        const Toolpath path = interpret(std::string("G0 X1 Z1\n") + line + "\nM30\nO100\nM99\n",
                                        zivek::testing::readingAs(Dialect::Fanuc));
        for (const LineWarning& w : path.warnings) EXPECT_NE(w.code, Warning::UnknownWord) << line;
        EXPECT_EQ(path.moves.size(), 1u) << line;  // dwell's X is its time
    }
}

// Each move keeps the feed mode and spindle it was made under, so that its time can be
// told after reading: a mode switched between moves must reach only the moves after it.
TEST(Toolpath, MovesRecordTheirFeedAndSpindle) {
    ReadOptions generic;
    generic.autoDialect = false;
    const Toolpath path = interpret(
        "G0 X20 Z5\n"
        "G95 G97 S500\n"
        "G1 Z0 F0.2\n"  // per revolution at 500 rpm: 5/0.2/500 = 0.05 min
        "G50 S2000\n"
        "G96 S100\n"
        "G1 Z-5\n"  // constant surface speed, capped
        "G94 G97 S800\n"
        "G1 Z-10 F100\n",  // per minute: 5/100 = 0.05 min
        generic);
    struct Case {
        bool perRevolution, constantSurface;
        double speed;
    };
    const Case cases[] = {
        {false, false, 0},
        {true, false, 500},
        {true, true, 100 * 1000.0},
        {false, false, 800},
    };
    ASSERT_EQ(path.moves.size(), std::size(cases));
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        SCOPED_TRACE(i);
        const Move& m = path.moves[i];
        EXPECT_EQ(m.is(kPerRevolution), cases[i].perRevolution);
        EXPECT_EQ(m.is(kConstantSurface), cases[i].constantSurface);
        EXPECT_DOUBLE_EQ(path.spindleOf(i).speed, cases[i].speed);
    }
    EXPECT_DOUBLE_EQ(path.spindleOf(2).rpmLimit, 2000);
    // At X20 (radius 20 mm) 100 m/min is under 800 rpm, so the limit does not bite:
    // 5 mm at 0.2 mm/rev and 100000/(2π·20) rpm.
    const double cssMinutes = 5 / 0.2 / (100000 / (2 * std::numbers::pi * 20));
    EXPECT_NEAR(path.summary.cuttingMinutes, 0.05 + cssMinutes + 0.05, 1e-9);
    EXPECT_EQ(path.summary.feedMovesWithoutRate, 0u);
}

TEST(SplitLines, LineEnds) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitLines("a\r\nb\r\n\r\n"), (V{"a", "b", ""}));
    EXPECT_EQ(splitLines("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(splitLines("\n"), (V{""}));
    EXPECT_EQ(splitLines(""), V{});
}

}  // namespace
}  // namespace zivek::gcode
