// Numbers and words as lathe programs write them, and what the interpreter makes of
// lines that this system never writes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gcode/gcode_words.h"
#include "gcode/toolpath.h"

namespace zivek::backplot {
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
        {"G74 U1 Q5", {Warning::UnsupportedG}, "G74", 0},
        {"G1 U1 U2 F10", {Warning::RepeatedWord}, "U2", 1},
        {"M98 P100", {Warning::UnsupportedM}, "M98", 0},
        {"U5", {Warning::NoMotionMode}, "", 1},
        {"G0 U1 (no end", {Warning::OpenComment}, "(no end", 1},
        {"G0 X3 U1", {Warning::AbsoluteAndIncremental}, "X/U", 1},
        {"G0 #1=[1/0]", {Warning::MathError}, "#1=[1/0]", 0},
        {"G0 U[2*#<unset>]", {Warning::BadExpression}, "U[2*#<unset>]", 0},
        {"o1 goto", {Warning::NotEvaluated}, "o1 goto", 0},
        {"G0 U1.5E308\nG0 U1.5E308", {Warning::OutOfRange}, "", 1},
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
    for (int i = 0; i < 20000; ++i) words += "Q" + std::to_string(i) + " ";
    for (const std::string& line : {garbage, words}) {
        const Toolpath path = interpret("G0U1\n" + line + "\nG0U-1\n");
        EXPECT_LE(path.warnings.size(), 9u);
        EXPECT_EQ(path.warnings.back().code,
                  line == garbage ? Warning::BadExpression : Warning::TooManyWarnings);
        EXPECT_LE(path.warnings.front().word.size(), 24u);
        EXPECT_EQ(path.moves.size(), 2u);  // the lines around it still count
    }
}

TEST(SplitLines, LineEnds) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitLines("a\r\nb\r\n\r\n"), (V{"a", "b", ""}));
    EXPECT_EQ(splitLines("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(splitLines("\n"), (V{""}));
    EXPECT_EQ(splitLines(""), V{});
}

}  // namespace
}  // namespace zivek::backplot
