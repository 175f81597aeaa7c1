// Fanuc's canned cycles worked out by hand from their published definitions, since no
// free Fanuc control exists to ask. X is written and checked as a diameter, as Fanuc
// programs write it; each row gives the passes' levels and where each cut ends.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct Pass {
    double level;  // G71: X of the cut; G72: its Z
    double end;    // G71: Z where it meets the contour; G72: X there
};

// The roughing cuts: feed moves that leave from the start's Z (G71) or X (G72) along
// that axis, in program units.
std::vector<Pass> roughingCuts(const Toolpath& p, bool facing, Point start) {
    std::vector<Pass> cuts;
    for (const Move& m : p.moves) {
        if (m.kind != MoveKind::Feed || m.is(kArc)) continue;
        if (!facing && m.from.z == start.z && m.from.x == m.to.x)
            cuts.push_back({2 * m.to.x, m.to.z});
        if (facing && m.from.x == start.x && m.from.z == m.to.z)
            cuts.push_back({m.to.z, 2 * m.to.x});
    }
    return cuts;
}

TEST(FanucCycles, RoughingPassesAsTheManualDefinesThem) {
    struct Row {
        const char* name;
        const char* program;
        bool facing;
        Point start;  // Z, and X as a radius
        std::vector<Pass> passes;
    };
    const Row rows[] = {
        // Type I: depth 2 (radius), allowance 0.2 on X (U0.4) and 0.1 on Z. The contour
        // moved by them: X20.4 from Z2.1 to Z-19.9, a taper to X30.4 at Z-29.9, up to
        // X40.4. Levels X36, 32, 28, 24; X20 would be inside the allowance. The first two
        // meet the last rise at Z-29.9, the others the taper: Z-19.9 − (r − 10.2)·2.
        {"G71 type I",
         "T0101\nG98\nG0 X40 Z2\nG71 U2 R1\nG71 P10 Q20 U0.4 W0.1 F100\nN10 G0 X20\n"
         "G1 Z-20\nX30 Z-30\nN20 X40\n",
         false,
         {2, 20},
         {{36, -29.9}, {32, -29.9}, {28, -27.5}, {24, -23.5}}},
        // Facing, depth 2 along Z, allowance 0.2 on X (U0.4) and 0.2 on Z (W0.2). The
        // contour moved: Z-7.8 at X44.4, a taper to X24.4 at Z-3.8, the face to X4.4.
        // Levels Z0 and -2 clear the face and run to its end, X4.4; Z-4 and -6 meet the
        // taper at X = 44.4 − (Z + 7.8)·5.
        {"G72",
         "T0101\nG98\nG0 X44 Z2\nG72 W2 R1\nG72 P10 Q20 U0.4 W0.2 F100\nN10 G0 Z-8\n"
         "G1 X24 Z-4\nN20 X4\n",
         true,
         {2, 22},
         {{0, 4.4}, {-2, 4.4}, {-4, 25.4}, {-6, 35.4}}},
        // A CAM contour that closes back to the start's Z (N20 G0 Z0.1): it still leads
        // to -Z. Depth 1.5, allowance 0.2 and 0.1: X30.4 to Z-24.9, a 45° taper to X50.4
        // at Z-34.9. Levels X49 .. X31 every 3 meet the taper at Z = −24.9 − (r − 15.2).
        {"G71 contour back at the start",
         "T0101\nG98\nG0 X52 Z0.1\nG71 U1.5 R0.5\nG71 P10 Q20 U0.4 W0.1 F100\n"
         "N10 G0 G42 X30\nG1 Z-25\nX50 Z-35\nN20 G0 G40 Z0.1\n",
         false,
         {0.1, 26},
         {{49, -34.2},
          {46, -32.7},
          {43, -31.2},
          {40, -29.7},
          {37, -28.2},
          {34, -26.7},
          {31, -25.2}}},
        // FANUC Series 0i-TC Operator's Manual (B-64114EN), "Stock removal in turning
        // (G71)", its example: from X160 Z180, G71 U7.0 R1.0; G71 P014 Q020 U4.0 W2.0.
        // The contour moved by the allowance (2 on the radius, 2 on Z), as (Z, r):
        // (182, 22), (142, 22), (112, 32), (92, 32), (82, 52), (62, 52), (42, 72).
        // Levels r73 .. r24 every 7: r73 clears it and runs to its end, Z42; r66 and r59
        // meet the last taper at Z = 62 − (r − 52); r52 lies on the flat at r52 and stops
        // where the contour rises to it, Z82; r45, r38 the rise at Z = 92 − (r − 32)/2;
        // r31, r24 the first taper at Z = 142 − (r − 22)·3.
        {"G71, the manual's example",
         "O0071\nN010 G50 X200.0 Z220.0\nN011 G00 X160.0 Z180.0\nN012 G71 U7.0 R1.0\n"
         "N013 G71 P014 Q020 U4.0 W2.0 F0.3 S550\nN014 G00 X40.0 F0.15 S700\n"
         "N015 G01 W-40.0\nN016 X60.0 W-30.0\nN017 W-20.0\nN018 X100.0 W-10.0\n"
         "N019 W-20.0\nN020 X140.0 W-20.0\n",
         false,
         {180, 80},
         {{146, 42}, {132, 48}, {118, 55}, {104, 82}, {90, 85.5}, {76, 89}, {62, 115}, {48, 136}}},
        // The same manual, "Stock removal in facing (G72)", its example: from X176 Z132,
        // G72 W7.0 R1.0; G72 P014 Q019 U4.0 W2.0. The contour moved, as (Z, r): (60, 90),
        // (72, 62), (82, 62), (92, 42), (112, 42), (134, 20). Levels Z125 .. Z62 every 7,
        // from r88 towards the axis: Z125, 118 meet the last taper at r = 42 − (Z − 112);
        // Z111, 104, 97 the flat at r42; Z90, 83 the taper at r = 62 − 2·(Z − 82); Z76
        // the flat at r62; Z69, 62 the first taper at r = 90 − 28·(Z − 60)/12.
        {"G72, the manual's example",
         "O0072\nN010 G50 X220.0 Z190.0\nN011 G00 X176.0 Z132.0\nN012 G72 W7.0 R1.0\n"
         "N013 G72 P014 Q019 U4.0 W2.0 F0.3 S550\nN014 G00 Z58.0 S700\n"
         "N015 G01 X120.0 W12.0 F0.15\nN016 W10.0\nN017 X80.0 W10.0\nN018 W20.0\n"
         "N019 X36.0 W22.0\n",
         true,
         {132, 88},
         {{125, 58},
          {118, 72},
          {111, 84},
          {104, 84},
          {97, 84},
          {90, 92},
          {83, 120},
          {76, 124},
          {69, 138},
          {62, 170.666666667}}},
        // An R7 round (G3, centre at Z-17 X20) from X20 Z-10 up to X34 Z-17: a level r
        // (a radius) meets the circle itself at Z = −17 + √(49 − (r − 10)²), not its
        // chords; r18 runs over it to the face at Z-17. No allowance, depth 2, so the last
        // pass along the contour begins as a cut too: X20 to Z-10.
        {"G71 over an R7 arc",
         "T0101\nG98\nG0 X40 Z2\nG71 U2 R0.5\nG71 P10 Q20 U0 W0 F100\nN10 G0 X20\n"
         "G1 Z-10\nG3 X34 Z-17 R7\nN20 G1 X40\n",
         false,
         {2, 20},
         {{36, -17}, {32, -13.394448725}, {28, -11.255437353}, {24, -10.291796068}, {20, -10}}},
    };
    for (const Row& r : rows) {
        const Toolpath p = interpret(r.program);
        ASSERT_EQ(p.dialect, Dialect::Fanuc) << r.name;
        // The CAM contour's G42 is said to be drawn uncompensated; nothing else is odd.
        for (const LineWarning& w : p.warnings)
            EXPECT_EQ(w.code, Warning::CompensationNotDrawn) << r.name << ": " << w.word;
        EXPECT_EQ(p.summary.incompleteCycles, 0u) << r.name;
        const std::vector<Pass> cuts = roughingCuts(p, r.facing, r.start);
        ASSERT_EQ(cuts.size(), r.passes.size()) << r.name;
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            EXPECT_NEAR(cuts[i].level, r.passes[i].level, 1e-9) << r.name << " pass " << i;
            EXPECT_NEAR(cuts[i].end, r.passes[i].end, 1e-8) << r.name << " pass " << i;
        }
        // After the last pass along the contour the tool returns to the start.
        EXPECT_EQ(p.moves.back().to, r.start) << r.name;
        EXPECT_EQ(p.moves.back().kind, MoveKind::Rapid) << r.name;
    }
}

// A contour with a pocket between Z-10 and Z-30 (top X25 at Z-14, bottom X16): type I
// (only X in its first block) cuts each level until it first meets the contour and
// leaves the pocket to the last pass (type II: fanuc_pocket_roughing_test.cpp). Levels
// X36 .. X16 every 4 (depth 2 as a radius); the crossings are worked out on each
// straight of the contour, e.g. X24 (r12) on the rise from r6 at Z-10 to r12.5 at Z-14:
// Z = −10 − 4·6/6.5.
TEST(FanucCycles, TypeOneLeavesThePocket) {
    struct Cut {
        double x, from, to;
    };
    struct Row {
        const char* name;
        const char* firstBlock;
        std::vector<Cut> cuts;
    };
    const Row rows[] = {
        {"type I",
         "N10 G0 X12",
         {{36, 2, -30},
          {32, 2, -30},
          {28, 2, -29.428571},
          {24, 2, -13.692308},
          {20, 2, -12.461538},
          {16, 2, -11.230769}}},
    };
    for (const Row& r : rows) {
        const std::string program = std::string("T0101\nG98\nG0 X40 Z2\nG71 U2 R0.5\n") +
                                    "G71 P10 Q20 U0 W0 F100\n" + r.firstBlock +
                                    "\nG1 Z-10\nX25 Z-14\nX16 Z-20\nZ-26\nX30 Z-30\nN20 X40\n";
        const Toolpath p = interpret(program);
        // The CAM contour's G42 is said to be drawn uncompensated; nothing else is odd.
        for (const LineWarning& w : p.warnings)
            EXPECT_EQ(w.code, Warning::CompensationNotDrawn) << r.name << ": " << w.word;
        // The cuts come before the last pass, which begins with a rapid to the contour.
        std::size_t last = p.moves.size();
        while (last > 0 &&
               !(p.moves[last - 1].kind == MoveKind::Rapid && p.moves[last - 1].to == Point{2, 6}))
            --last;
        std::vector<Cut> got;
        for (std::size_t i = 0; i + 1 < last; ++i) {
            const Move& m = p.moves[i];
            if (m.kind == MoveKind::Feed && m.from.x == m.to.x && m.from.z != m.to.z)
                got.push_back({2 * m.to.x, m.from.z, m.to.z});
        }
        ASSERT_EQ(got.size(), r.cuts.size()) << r.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x, r.cuts[i].x, 1e-9) << r.name << " cut " << i;
            EXPECT_NEAR(got[i].from, r.cuts[i].from, 1e-6) << r.name << " cut " << i;
            EXPECT_NEAR(got[i].to, r.cuts[i].to, 1e-6) << r.name << " cut " << i;
        }
        // A rapid along Z returns to the start's Z over the level just cut.
        for (std::size_t i = 0; i < last; ++i) {
            const Move& m = p.moves[i];
            if (m.kind != MoveKind::Rapid || m.from.z == m.to.z) continue;
            EXPECT_EQ(m.to.z, 2) << r.name << " rapid at X" << 2 * m.to.x;
        }
    }
}

struct Step {
    char kind;    // R rapid, F feed, T thread
    double z, x;  // x as a diameter
};

void expectSteps(const Toolpath& p, std::size_t from, const std::vector<Step>& steps,
                 const char* name) {
    ASSERT_GE(p.moves.size(), from + steps.size()) << name;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Move& m = p.moves[from + i];
        const Step& s = steps[i];
        const char kind = m.is(kThread) ? 'T' : m.kind == MoveKind::Rapid ? 'R' : 'F';
        EXPECT_EQ(kind, s.kind) << name << " move " << from + i;
        EXPECT_NEAR(m.to.z, s.z, 1e-6) << name << " move " << from + i;
        EXPECT_NEAR(2 * m.to.x, s.x, 1e-6) << name << " move " << from + i;
    }
}

// G70 in either dialect: Fanuc enters the contour with its first block's own motion and
// returns to the start by rapid; LinuxCNC goes to the cycle's X and Z, rapids to the
// contour's start and stays at its end.
TEST(FanucCycles, FinishingExactMoves) {
    const Toolpath fanuc = interpret(
        "T0101\nG98\nG0 X40 Z2\nG70 P10 Q20 F50\nN10 G1 X20\nZ-20 F80\nX30 Z-30\nN20 X40\n");
    ASSERT_EQ(fanuc.moves.size(), 6u);
    expectSteps(fanuc, 1,
                {{'F', 2, 20}, {'F', -20, 20}, {'F', -30, 30}, {'F', -30, 40}, {'R', 2, 40}},
                "Fanuc G70");
    EXPECT_EQ(fanuc.moves[1].feed, 50);
    EXPECT_EQ(fanuc.moves[2].feed, 80);
    EXPECT_TRUE(fanuc.warnings.empty()) << fanuc.warnings.front().word;

    ReadOptions linuxcnc = zivek::testing::readingAs(Dialect::LinuxCnc);
    const Toolpath l = interpret(
        "G18 G7 G21\nF120\no500 sub\nG0 X8 Z1\nG1 Z-6\nG3 X16 Z-10 I0 K-4\nG1 X20\nZ-16\n"
        "o500 endsub\nG0 X28 Z4\nG70 Q500 X24 Z2\nM2\n",
        linuxcnc);
    ASSERT_EQ(l.moves.size(), 8u);
    expectSteps(l, 1,
                {{'R', 2, 24},
                 {'R', 2, 24},
                 {'R', 1, 8},
                 {'F', -6, 8},
                 {'F', -10, 16},
                 {'F', -10, 20},
                 {'F', -16, 20}},
                "LinuxCNC G70");
    ASSERT_NE(l.arcOf(5), nullptr);
    EXPECT_EQ(l.arcOf(5)->center, (Point{-10, 4}));
    EXPECT_TRUE(l.arcOf(5)->ccw);
    EXPECT_TRUE(l.warnings.empty()) << l.warnings.front().word;
}

// G76, both forms, thread X32 Z5 to root X27.4 at Z-20, height 1.3, first depth 0.5,
// lead 2, tool angle 60°: the tool goes in along a flank, 30° from the radial, so a
// pass at depth d starts 5 − d·tan 30° and ends d·tan 30° short of where the last pass
// ends. Depths 0.5·√n until the height less the finishing allowance.
TEST(FanucCycles, ThreadingPassesAlongTheFlank) {
    struct Thread {
        double x;     // diameter
        double zIn;   // Z where the pass goes in
        double zOut;  // Z where the thread's straight part ends
    };
    struct Row {
        const char* name;
        const char* program;
        double pullOut;  // the 45° chamfer after the straight part
        std::vector<Thread> passes;
        Point start{5, 16};  // where every pass returns, X as a radius
    };
    // Two blocks: P01 10 60 (one finishing pass, chamfer 1.0 lead = 2, 60°), least depth
    // 0.1, allowance 0.05: roughing to 1.25, then 1.3.
    const Row rows[] = {
        {"two blocks",
         "T0101\nG97 S500\nG0 X32 Z5\nG76 P011060 Q100 R0.05\nG76 X27.4 Z-20 P1300 Q500 F2\n",
         2,
         {{29.0, 4.711325, -17.538120},
          {28.5858, 4.591752, -17.657693},
          {28.2679, 4.5, -17.749445},
          {28.0, 4.422650, -17.826795},
          {27.7639, 4.354503, -17.894942},
          {27.5505, 4.292893, -17.956551},
          {27.5, 4.278312, -17.971132},
          {27.4, 4.249445, -18.0}}},
        // One block (older controls, Haas): K height, D first depth, A tool angle; no
        // allowance, so the last depth is the height, and one finishing pass there.
        {"one block",
         "T0101\nG97 S500\nG0 X32 Z5\nG76 X27.4 Z-20 K1.3 D0.5 A60 F2\n",
         0,
         {{29.0, 4.711325, -19.538120},
          {28.5858, 4.591752, -19.657693},
          {28.2679, 4.5, -19.749445},
          {28.0, 4.422650, -19.826795},
          {27.7639, 4.354503, -19.894942},
          {27.5505, 4.292893, -19.956551},
          {27.4, 4.249445, -20.0},
          {27.4, 4.249445, -20.0}}},
        // FANUC Series 0i-TC Operator's Manual (B-64114EN), "Multiple thread cutting
        // cycle (G76)", its example: G76 P011060 Q100 R200; G76 X60640 Z25000 P3680
        // Q1800 F6.0 from X80 Z130 (X and Z written here with points, as this reader
        // takes them). Crest X68, height 3.68, first depth 1.8, allowance 0.2, chamfer
        // 1.0 lead = 6 at 45°. Depths 1.8·√n: 1.8, 2.5456, 3.1177, then 3.68 − 0.2 =
        // 3.48, then one finishing pass at 3.68; each in at 130 − d·tan 30° and straight
        // until 25 + (3.68 − d)·tan 30° + 6.
        {"the manual's example",
         "T0101\nG97 S300\nG0 X80 Z130\nG76 P011060 Q100 R200\n"
         "G76 X60.64 Z25.0 P3680 Q1800 F6.0\n",
         6,
         {{64.4, 128.960770, 32.085419},
          {62.908831, 128.530306, 31.654955},
          {61.764617, 128.2, 31.324649},
          {61.04, 127.990821, 31.115470},
          {60.64, 127.875351, 31.0}},
         {130, 40}},
    };
    for (const Row& r : rows) {
        const Toolpath p = interpret(r.program);
        // The CAM contour's G42 is said to be drawn uncompensated; nothing else is odd.
        for (const LineWarning& w : p.warnings)
            EXPECT_EQ(w.code, Warning::CompensationNotDrawn) << r.name << ": " << w.word;
        std::vector<Thread> got;
        for (std::size_t i = 1; i < p.moves.size(); ++i) {
            const Move& m = p.moves[i];
            if (!m.is(kThread) || m.from.x != m.to.x) continue;
            got.push_back({2 * m.to.x, m.from.z, m.to.z});
            // In by rapid from the start, out along the chamfer when there is one.
            EXPECT_EQ(p.moves[i - 1].kind, MoveKind::Rapid) << r.name;
            const Move& next = p.moves[i + 1];
            if (r.pullOut > 0) {
                EXPECT_TRUE(next.is(kThread)) << r.name;
                EXPECT_NEAR(next.to.z - m.to.z, -r.pullOut, 1e-9) << r.name;
                EXPECT_NEAR(next.to.x - m.to.x, r.pullOut, 1e-9) << r.name;
            } else {
                EXPECT_EQ(next.kind, MoveKind::Rapid) << r.name;
            }
        }
        ASSERT_EQ(got.size(), r.passes.size()) << r.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x, r.passes[i].x, 1e-4) << r.name << " pass " << i;
            EXPECT_NEAR(got[i].zIn, r.passes[i].zIn, 1e-6) << r.name << " pass " << i;
            EXPECT_NEAR(got[i].zOut, r.passes[i].zOut, 1e-6) << r.name << " pass " << i;
        }
        EXPECT_EQ(p.moves.back().to, r.start) << r.name;
    }
}

// The single cycles, each block one square: in (by rapid), the cut, out, back.
TEST(FanucCycles, SingleCyclesSquareByBlock) {
    struct Row {
        const char* name;
        const char* program;
        std::vector<Step> steps;  // from the second move on
    };
    const Row rows[] = {
        // G90 with R-2 (radius): the cut starts 2 below its end X, a taper; then X30.
        {"G90 taper",
         "T0101\nG98\nG0 X50 Z2\nG90 X40 Z-20 R-2 F100\nX30\n",
         {{'R', 2, 36},
          {'F', -20, 40},
          {'F', -20, 50},
          {'R', 2, 50},
          {'R', 2, 26},
          {'F', -20, 30},
          {'F', -20, 50},
          {'R', 2, 50}}},
        // G90 without R: a straight cut.
        {"G90 straight",
         "T0101\nG98\nG0 X50 Z2\nG90 X44 Z-30 F100\n",
         {{'R', 2, 44}, {'F', -30, 44}, {'F', -30, 50}, {'R', 2, 50}}},
        // G92 with R-1.5 (a radius, held for the next block): each thread starts 3 below
        // its end on the diameter, a taper thread.
        {"G92 taper",
         "T0101\nG97 S500\nG0 X40 Z5\nG92 X30 Z-20 R-1.5 F2\nX29\n",
         {{'R', 5, 27},
          {'T', -20, 30},
          {'R', -20, 40},
          {'R', 5, 40},
          {'R', 5, 26},
          {'T', -20, 29},
          {'R', -20, 40},
          {'R', 5, 40}}},
        // G94 with R-3, along Z: the face starts at Z-8 at X50 and ends at Z-5 at X20.
        {"G94 taper",
         "T0101\nG98\nG0 X50 Z2\nG94 X20 Z-5 R-3 F100\n",
         {{'R', -8, 50}, {'F', -5, 20}, {'F', 2, 20}, {'R', 2, 50}}},
        // G92 threads: X28, X27.5, X27.2 to Z-20, out by rapid.
        {"G92",
         "T0101\nG97 S500\nG0 X30 Z5\nG92 X28 Z-20 F2\nX27.5\nX27.2\n",
         {{'R', 5, 28},
          {'T', -20, 28},
          {'R', -20, 30},
          {'R', 5, 30},
          {'R', 5, 27.5},
          {'T', -20, 27.5},
          {'R', -20, 30},
          {'R', 5, 30},
          {'R', 5, 27.2},
          {'T', -20, 27.2},
          {'R', -20, 30},
          {'R', 5, 30}}},
        // G94 facing to X20 at Z-2, then Z-4 and Z-5.
        {"G94",
         "T0101\nG98\nG0 X50 Z2\nG94 X20 Z-2 F100\nZ-4\nZ-5\n",
         {{'R', -2, 50},
          {'F', -2, 20},
          {'F', 2, 20},
          {'R', 2, 50},
          {'R', -4, 50},
          {'F', -4, 20},
          {'F', 2, 20},
          {'R', 2, 50},
          {'R', -5, 50},
          {'F', -5, 20},
          {'F', 2, 20},
          {'R', 2, 50}}},
    };
    for (const Row& r : rows) {
        const Toolpath p = interpret(r.program);
        // The CAM contour's G42 is said to be drawn uncompensated; nothing else is odd.
        for (const LineWarning& w : p.warnings)
            EXPECT_EQ(w.code, Warning::CompensationNotDrawn) << r.name << ": " << w.word;
        ASSERT_EQ(p.moves.size(), r.steps.size() + 1) << r.name;
        expectSteps(p, 1, r.steps, r.name);
    }
}

}  // namespace
}  // namespace zivek::gcode
