// Short lathe programs as other controls' programmers write them, each pinning one thing
// the viewer must read right. Expected values are worked out by hand beside each case.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "zivek/gcode/summary_json.h"
#include "zivek/gcode/text_decoding.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

constexpr double kPi = std::numbers::pi;

// A quarter circle of radius 10 from Z0 X0 to Z-10 X10 (true radius), centre Z-10 X0.
TEST(LathePrograms, ArcsByRadiusAndByCentreAreMeasuredAsArcs) {
    struct Case {
        const char* name;
        const char* program;
    };
    const Case cases[] = {
        {"R", "G0 X0 Z0\nG3 X10 Z-10 R10 F100\n"},
        {"I/K", "G0 X0 Z0\nG3 X10 Z-10 I0 K-10 F100\n"},
        {"R, diameter", "T0101\nG98\nG0 X0 Z0\nG3 X20 Z-10 R10 F100\n"},
    };
    for (const Case& c : cases) {
        const Toolpath p = interpret(c.program);
        ASSERT_EQ(p.moves.size(), 2u) << c.name;
        ASSERT_TRUE(p.moves[1].is(kArc)) << c.name;
        const Arc* a = p.arcOf(1);
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_NEAR(a->center.z, -10, 1e-9) << c.name;
        EXPECT_NEAR(a->center.x, 0, 1e-9) << c.name;
        EXPECT_TRUE(a->ccw) << c.name;
        EXPECT_NEAR(p.summary.feedLength, 10 * kPi / 2, 1e-9) << c.name;
        EXPECT_NEAR(p.summary.cuttingMinutes, 10 * kPi / 2 / 100, 1e-9) << c.name;
        EXPECT_EQ(p.summary.arcMoves, 1u) << c.name;
        // The arc's polyline stays on the circle and ends where the move ends.
        const auto points = polyline(p, 1, 0.01);
        EXPECT_GT(points.size(), 10u);
        for (const Point q : points) EXPECT_NEAR(std::hypot(q.z + 10, q.x), 10, 1e-9);
        EXPECT_EQ(points.back(), p.moves[1].to);
        EXPECT_TRUE(p.warnings.empty()) << c.name << " " << p.warnings.front().word;
    }
}

// Fanuc G71: start X40 Z2 (radius 20), contour from X20 (radius 10) along Z to Z-20 and
// up to X40. Depth 2 per pass (radius), retract 1: levels at radius 18, 16, 14, 12, each
// a cut of 22 from Z2 to Z-20 and a 45° retract of √2, then the contour itself (22 + 10).
TEST(LathePrograms, FanucG71IsExpandedIntoItsPasses) {
    const Toolpath p = interpret(
        "O1000\nT0101\nG97 S500\nG0 X40 Z2\nG71 U2 R1\nG71 P10 Q20 U0 W0 F0.2\n"
        "N10 G0 X20\nG1 Z-20\nN20 X40\nG0 X50 Z10\nM30\n");
    EXPECT_EQ(p.dialect, Dialect::Fanuc);
    EXPECT_TRUE(p.diameterMode);
    const double feed = 4 * (22 + std::sqrt(2.0)) + 22 + 10;
    EXPECT_NEAR(p.summary.feedLength, feed, 1e-9);
    EXPECT_EQ(p.summary.feedMoves, 10u);
    // Per revolution at 500 rpm and 0.2 per revolution.
    EXPECT_NEAR(p.summary.cuttingMinutes, feed / (0.2 * 500), 1e-9);
    std::size_t cuts = 0;
    for (const Move& m : p.moves) {
        if (m.kind != MoveKind::Feed || m.to.x != m.from.x || m.length() != 22) continue;
        EXPECT_TRUE(m.is(kFromCycle));
        EXPECT_EQ(m.line, 5u);
        ++cuts;
    }
    EXPECT_EQ(cuts, 5u);  // four passes and the contour's own
    // The contour's blocks ran in the cycle only: the last move is the G0 after them.
    EXPECT_EQ(p.moves.back().line, 9u);
    EXPECT_EQ(p.moves.back().to, (Point{10, 25}));
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
}

// Fanuc G72, facing: start X44 Z2 (radius 22), contour from Z-10 down to X20 (radius
// 10) and along to Z2. Depth 2 along Z, retract 1: levels at Z0, -2, -4, -6, -8, each a
// cut of 12 across and a retract of √2, then the contour's 12 and 12.
TEST(LathePrograms, FanucG72FacesInPasses) {
    const Toolpath p = interpret(
        "T0101\nG98\nG0 X44 Z2\nG72 W2 R1\nG72 P10 Q20 U0 W0 F100\nN10 G0 Z-10\nG1 X20\n"
        "N20 Z2\n");
    const double feed = 5 * (12 + std::sqrt(2.0)) + 24;
    EXPECT_NEAR(p.summary.feedLength, feed, 1e-9);
    EXPECT_NEAR(p.summary.cuttingMinutes, feed / 100, 1e-9);
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
}

// Fanuc G76: root X27.4 (radius 13.7), height 1.3, first depth 0.5, least 0.1, one
// finishing pass, tool angle 60°. Depths 0.5·√n: 0.5, 0.707, 0.866, 1, 1.118, 1.225,
// then 1.3 and the finishing pass at 1.3: eight passes, each the last one moved back
// along the flank, so 25 − 1.3·tan 30° long, at 2 per revolution and 500 rpm.
TEST(LathePrograms, FanucG76IsExpandedIntoThreadPasses) {
    const Toolpath p = interpret(
        "T0101\nG97 S500\nG0 X30 Z5\nG76 P010060 Q100 R0\nG76 X27.4 Z-20 P1300 Q500 F2\n");
    const double pass = 25 - 1.3 * std::tan(kPi / 6);
    EXPECT_EQ(p.summary.threadMoves, 8u);
    EXPECT_NEAR(p.summary.feedLength, 8 * pass, 1e-9);
    EXPECT_NEAR(p.summary.cuttingMinutes, 8 * pass / (2.0 * 500), 1e-9);
    double deepest = 15;
    for (const Move& m : p.moves)
        if (m.is(kThread)) deepest = std::min(deepest, m.to.x);
    EXPECT_NEAR(deepest, 13.7, 1e-9);
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
}

// LinuxCNC G76: drive line X10 (radius, G8), peak at I-0.5, first cut J0.2, full K1,
// degression 1: depths 0.2 .. 0.8 and the full depth, plus one spring pass: 6 passes.
// It leaves the tool on the drive line at Z-10, so G33 then cuts 2.
TEST(LathePrograms, LinuxCncG76AndG33) {
    const Toolpath p = interpret(
        "G18 G8 G21\nM3 S400\nG0 X10 Z2\nG76 P1.5 Z-10 I-0.5 J0.2 K1 H1\nG33 Z-12 K1.5\n");
    EXPECT_EQ(p.dialect, Dialect::LinuxCnc);
    EXPECT_FALSE(p.diameterMode);
    EXPECT_EQ(p.summary.threadMoves, 7u);
    EXPECT_NEAR(p.summary.feedLength, 6 * 12 + 2, 1e-9);
    double deepest = 10;
    for (const Move& m : p.moves)
        if (m.is(kThread) && m.line == 3) deepest = std::min(deepest, m.to.x);
    EXPECT_NEAR(deepest, 10 - 0.5 - 1, 1e-9);
    // Threads are timed by their lead: 6·12 at 1.5 and 2 at 1.5, 400 rpm.
    EXPECT_NEAR(p.summary.cuttingMinutes, (72 + 2) / (1.5 * 400), 1e-9);
}

// LinuxCNC G71 on subroutine o100, radius mode: start X12 Z2, contour from X5 along Z to
// Z-10 and up to X10; 2 a pass, retract 0.5 by rapid: levels 12, 10, 8, 6, each a cut
// of 12, then the contour's 12 and 5 and the climb back to X12 at Z-10, where it stays.
TEST(LathePrograms, LinuxCncG71OnASubroutine) {
    const Toolpath p = interpret(
        "G18 G8 G21\no100 sub\nG0 X5 Z2\nG1 Z-10\nX10\no100 endsub\nG0 X12 Z2\n"
        "G71 Q100 X12 Z2 D0 I2 R0.5 F100\nM2\n");
    EXPECT_EQ(p.dialect, Dialect::LinuxCnc);
    const double feed = 4 * 12 + 12 + 5 + 2;
    EXPECT_NEAR(p.summary.feedLength, feed, 1e-9);
    EXPECT_NEAR(p.summary.cuttingMinutes, feed / 100, 1e-9);
    // The subroutine's own lines draw nothing where it is defined.
    for (const Move& m : p.moves) EXPECT_TRUE(m.line == 6 || m.line == 7) << m.line;
    EXPECT_EQ(p.moves.back().to, (Point{-10, 12}));
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
}

// Fanuc's single cycles: G90 turning (X50 to X40, then X30, Z2 to Z-20) and G92
// threading (X28 then X27.5, Z5 to Z-20, lead 2), and a subprogram run twice by M98.
TEST(LathePrograms, FanucSingleCyclesAndSubprograms) {
    const Toolpath turn = interpret("T0101\nG98\nG0 X50 Z2\nG90 X40 Z-20 F100\nX30\n");
    EXPECT_NEAR(turn.summary.feedLength, 22 + 5 + 22 + 10, 1e-9);
    EXPECT_NEAR(turn.summary.cuttingMinutes, 59 / 100.0, 1e-9);
    EXPECT_EQ(turn.moves.back().to, (Point{2, 25}));
    const Toolpath thread = interpret("T0101\nG97 S500\nG0 X30 Z5\nG92 X28 Z-20 F2\nX27.5\n");
    EXPECT_EQ(thread.summary.threadMoves, 2u);
    EXPECT_NEAR(thread.summary.feedLength, 50, 1e-9);
    EXPECT_NEAR(thread.summary.cuttingMinutes, 50 / (2.0 * 500), 1e-9);
    const Toolpath sub =
        interpret("T0101\nG98\nG0 X20 Z0\nM98 P1000 L2\nM30\nO1000\nG1 W-5 F100\nG0 W5\nM99\n");
    EXPECT_NEAR(sub.summary.feedLength, 10, 1e-9);
    EXPECT_NEAR(sub.summary.rapidLength, 10, 1e-9);
    EXPECT_TRUE(sub.warnings.empty()) << sub.warnings.front().word;
}

TEST(LathePrograms, WhatCannotBeExpandedIsMarkedIncomplete) {
    // G71 without its first block has no depth of cut: the contour is drawn, marked.
    const Toolpath p =
        interpret("T0101\nG98\nG0 X40 Z2\nG71 P10 Q20 U0 W0 F100\nN10 G0 X20\nG1 Z-20\nN20 X40\n");
    EXPECT_EQ(p.summary.incompleteCycles, 1u);
    std::size_t marked = 0;
    for (const Move& m : p.moves) marked += m.is(kIncomplete);
    EXPECT_EQ(marked, 3u);
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].code, Warning::CycleIncomplete);
    EXPECT_EQ(p.warnings[0].line, 3u);
    // A cycle naming a contour the file does not hold draws nothing and says so.
    const Toolpath missing = interpret("T0101\nG0 X40 Z2\nG71 U1 R1\nG71 P10 Q20 F0.2\n");
    ASSERT_EQ(missing.warnings.size(), 1u);
    EXPECT_EQ(missing.warnings[0].code, Warning::CycleMissingContour);
    EXPECT_EQ(missing.moves.size(), 1u);
}

TEST(LathePrograms, LinuxCncG92SetsCoordinatesWithoutMoving) {
    const Toolpath p = interpret("G7 G18\nG0 X10 Z5\nG92 X0 Z0\nG1 Z-5 F100\n");
    ASSERT_EQ(p.moves.size(), 2u);
    EXPECT_EQ(p.moves[1].from, Point{});
    EXPECT_EQ(p.moves[1].to, (Point{-5, 0}));
    EXPECT_NEAR(p.summary.rapidLength, 0, 1e-12);
}

TEST(LathePrograms, FeedPerRevolutionWithConstantSurfaceSpeed) {
    // Facing from Ø100 to the centre at 100 m/min, capped at 1000 rpm, 0.1 per revolution.
    // 1/rpm = πD/100000 above Ø31.83 (the cap's diameter), 1/1000 below it.
    const double capRadius = 100000 / (kPi * 1000) / 2;
    const double revolutions = kPi * (50 * 50 - capRadius * capRadius) / 100000 + capRadius / 1000;
    const Toolpath css = interpret("T0101\nG50 S1000\nG96 S100 G99\nG0 X100 Z0\nG1 X0 F0.1\n");
    EXPECT_NEAR(css.summary.cuttingMinutes, revolutions / 0.1, 1e-9);
    // The same at a fixed 500 rpm: 50 / (0.1 · 500).
    const Toolpath fixed = interpret("T0101\nG97 S500 G99\nG0 X100 Z0\nG1 X0 F0.1\n");
    EXPECT_NEAR(fixed.summary.cuttingMinutes, 1.0, 1e-12);
    // No speed at all: the time cannot be known, and says why.
    const Toolpath none = interpret("T0101\nG99\nG0 X100 Z0\nG1 X0 F0.1\n");
    EXPECT_EQ(none.summary.feedMovesWithoutRate, 1u);
    EXPECT_EQ(none.summary.timeGap, TimeGap::NoSpindle);
    EXPECT_NE(summaryJson(none, {}, 10000).find("\"cuttingMinutes\": null"), std::string::npos);
}

TEST(LathePrograms, MachinePositionsAndToolChangesAreNotDrawn) {
    const Toolpath p = interpret(
        "T0101\nG0 X40 Z2\nG1 Z-10 F0.2\nG28 U0 W0\nT0202\nG0 X30 Z5\nG53 X0 Z0\nG0 X20 Z1\n");
    EXPECT_NEAR(p.summary.rapidLength, 0, 1e-12);
    EXPECT_NEAR(p.summary.feedLength, 12, 1e-12);
    for (const Move& m : p.moves) EXPECT_FALSE(m.to == Point{}) << "line " << m.line + 1;
    // The path starts at the first programmed position, not at an invented X0 Z0.
    EXPECT_EQ(p.moves.front().from, (Point{2, 20}));
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
    // Z first, then X, is no fault; a step from nowhere is.
    const Toolpath zFirst = interpret("T0101\nG0 Z2\nX40\nG1 Z-10 F0.2\n");
    EXPECT_TRUE(zFirst.warnings.empty());
    EXPECT_EQ(zFirst.moves.front().to, (Point{2, 20}));
    const Toolpath step = interpret("T0101\nG0 U2\nG0 X40 Z2\n");
    ASSERT_EQ(step.warnings.size(), 1u);
    EXPECT_EQ(step.warnings[0].code, Warning::UnknownStart);
    EXPECT_EQ(step.warnings[0].line, 1u);
}

TEST(LathePrograms, DiameterRadiusAndIncrementalModes) {
    // G8 radius, then G7 diameter: X10 is a radius of 5 after G7.
    const Toolpath modes = interpret("G18 G8\nG0 X10 Z0\nG7\nG1 X10 Z-5 F100\n");
    EXPECT_NEAR(modes.summary.feedLength, std::sqrt(50.0), 1e-12);
    EXPECT_FALSE(modes.diameterMode);
    EXPECT_TRUE(interpret("G18 G7\nG0 X10 Z0\n").diameterMode);
    // G91 makes X and Z incremental until G90.
    const Toolpath inc = interpret("G0 X0 Z0\nG91 G1 X2 Z-3 F10\nX1\nG90 G0 X0 Z0\n");
    EXPECT_NEAR(inc.summary.feedLength, std::sqrt(13.0) + 1, 1e-12);
    EXPECT_EQ(inc.moves.back().to, Point{});
    // Fanuc's U is a diameter too: U-4 moves 2 towards the axis.
    const Toolpath fanuc = interpret("T0101\nG98\nG0 X20 Z0\nG1 U-4 F10\n");
    EXPECT_NEAR(fanuc.summary.feedLength, 2, 1e-12);
    EXPECT_EQ(fanuc.moves.back().to, (Point{0, 8}));
}

TEST(LathePrograms, ExpansionWithoutEndIsRefused) {
    // A subroutine that calls itself, and a Fanuc subprogram called a million times.
    const Toolpath self = interpret("G7\no100 sub\nG0 X1 Z1\no100 call\no100 endsub\no100 call\n");
    bool refused = false;
    for (const LineWarning& w : self.warnings) refused |= w.code == Warning::ExpansionLimit;
    EXPECT_TRUE(refused);
    const Toolpath many =
        interpret("T0101\nG0 X1 Z1\nM98 P1000 L999999\nM30\nO1000\nG0 U1\nG0 U-1\nM99\n");
    EXPECT_LT(many.moves.size(), 100000u);
}

TEST(TextDecoding, EncodingsAndLineEnds) {
    struct Case {
        std::string bytes;
        std::string text;
        Encoding encoding;
        LineEnds ends;
    };
    const Case cases[] = {
        {"G0X0Z0\r\nG1Z-5F10\r\n", "G0X0Z0\r\nG1Z-5F10\r\n", Encoding::Ascii, LineEnds::CrLf},
        {"\xEF\xBB\xBFG0X0Z0\n", "G0X0Z0\n", Encoding::Utf8Bom, LineEnds::Lf},
        {"(\xC3\x87"
         "AP)\n",
         "(\xC3\x87"
         "AP)\n",
         Encoding::Utf8, LineEnds::Lf},
        // Windows-1254: Ç Ş İ ğ ı ş
        {"(\xC7\xDE\xDD\xF0\xFD\xFE)\r", "(\xC3\x87\xC5\x9E\xC4\xB0\xC4\x9F\xC4\xB1\xC5\x9F)\r",
         Encoding::Windows1254, LineEnds::Cr},
    };
    for (const Case& c : cases) {
        std::string text = c.bytes;
        const DecodedText d = decodeToUtf8(text);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(d.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(d.lineEnds, c.ends) << c.bytes;
    }
}

TEST(TextDecoding, EveryLineEndGivesTheSamePath) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string program = std::string("G0X0Z0") + end + "G1Z-5F10" + end + "U2" + end;
        const Toolpath p = interpret(program);
        EXPECT_EQ(p.lineCount, 3u);
        ASSERT_EQ(p.moves.size(), 3u);
        EXPECT_EQ(p.moves[2].line, 2u);
        EXPECT_NEAR(p.summary.feedLength, 7, 1e-12);
    }
    // A UTF-8 byte order mark no longer reads as an unknown word.
    std::string bom = "\xEF\xBB\xBFG0X0Z0\n";
    decodeToUtf8(bom);
    EXPECT_TRUE(interpret(bom).warnings.empty());
}

TEST(TextDecoding, LongLinesAreWarned) {
    const Toolpath p = interpret("G0X0Z0\nG1 F10 W-1 (" + std::string(3000, 'a') + ")\n");
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].code, Warning::LongLine);
    EXPECT_EQ(p.moves.size(), 2u);
}

}  // namespace
}  // namespace zivek::gcode
