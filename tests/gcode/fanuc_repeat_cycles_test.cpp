// Fanuc's pattern repeat (G73) and grooving cycles (G74, G75), move for move. The moves
// are worked by hand from the cycles' definitions in FANUC Series 0i-TC Operator's Manual
// (B-64114EN), II-4.1 "Multiple repetitive cycle": pattern repeating (G73), end face peck
// drilling (G74), outer diameter / internal diameter drilling (G75). X is written and
// checked as a diameter, as Fanuc programs write it.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct Step {
    char kind;    // R rapid, F feed, A arc
    double z, x;  // x as a diameter
};

// The path's last moves, one for each step.
void expectLastMoves(const Toolpath& p, const std::vector<Step>& steps, const std::string& name) {
    ASSERT_GE(p.moves.size(), steps.size()) << name;
    const std::size_t from = p.moves.size() - steps.size();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Move& m = p.moves[from + i];
        const char kind = m.is(kArc) ? 'A' : m.kind == MoveKind::Rapid ? 'R' : 'F';
        EXPECT_EQ(kind, steps[i].kind) << name << " step " << i;
        EXPECT_NEAR(m.to.z, steps[i].z, 1e-9) << name << " step " << i;
        EXPECT_NEAR(2 * m.to.x, steps[i].x, 1e-9) << name << " step " << i;
    }
}

struct Case {
    const char* name;
    const char* program;
    std::vector<Step> steps;
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Toolpath p = interpret(std::string("T0101\nG99\n") + c.program);
        ASSERT_EQ(p.dialect, Dialect::Fanuc) << c.name;
        EXPECT_TRUE(p.warnings.empty()) << c.name << ": " << p.warnings.front().word;
        // The approach to the cycle's start, then the cycle.
        ASSERT_EQ(p.moves.size(), c.steps.size() + 1) << c.name;
        expectLastMoves(p, c.steps, c.name);
    }
}

// G75 R(e); G75 X(U) Z(W) P(Δi) Q(Δk) R(Δd) F: from the start, pecks of Δi (a radius)
// towards X, each backing off e; at X the tool moves Δd off the bottom, back towards the
// start's Z, rapids out to the start's X and over Δk to the next groove, the last at Z;
// then back to the start. P, Q and R without a point are in 0.001 mm. The tool starts at
// X42 Z-20 (radius 21) for a groove to X30 (radius 15): pecks of 3 reach X36, then X30.
TEST(FanucRepeatCycles, DiameterGroovingPeckByPeck) {
    expectCases({
        // One groove (no Z): in to X36, back e = 1 (radius) to X38, in to X30, out.
        {"one groove, backing off",
         "G0 X42 Z-20\nG75 R1\nG75 X30 P3000 F0.1\n",
         {{'F', -20, 36}, {'R', -20, 38}, {'F', -20, 30}, {'R', -20, 42}}},
        // Without the first block e is 0: the pecks follow on without backing off.
        {"one groove, no R(e)",
         "G0 X42 Z-20\nG75 X30 P3000 F0.1\n",
         {{'F', -20, 36}, {'F', -20, 30}, {'R', -20, 42}}},
        // Grooves at Z-20, -22.5, -25 and the last at Z-26 (Δk 2.5); e 0.5 backs off to
        // X37; at the bottom Δd 0.5 towards the start's Z, then out to X42.
        {"grooves along Z, relieved",
         "G0 X42 Z-20\nG75 R0.5\nG75 X30 Z-26 P3000 Q2500 R500 F0.1\n",
         {{'F', -20, 36},   {'R', -20, 37},   {'F', -20, 30},   {'R', -19.5, 30}, {'R', -19.5, 42},
          {'R', -22.5, 42}, {'F', -22.5, 36}, {'R', -22.5, 37}, {'F', -22.5, 30}, {'R', -22, 30},
          {'R', -22, 42},   {'R', -25, 42},   {'F', -25, 36},   {'R', -25, 37},   {'F', -25, 30},
          {'R', -24.5, 30}, {'R', -24.5, 42}, {'R', -26, 42},   {'F', -26, 36},   {'R', -26, 37},
          {'F', -26, 30},   {'R', -25.5, 30}, {'R', -25.5, 42}, {'R', -20, 42}}},
        // The same written with U/W and points (P3. is 3 mm), to Z-25, no Δd.
        {"U/W and points",
         "G0 X42 Z-20\nG75 R0.5\nG75 U-12. W-5. P3. Q2.5 F0.1\n",
         {{'F', -20, 36},
          {'R', -20, 37},
          {'F', -20, 30},
          {'R', -20, 42},
          {'R', -22.5, 42},
          {'F', -22.5, 36},
          {'R', -22.5, 37},
          {'F', -22.5, 30},
          {'R', -22.5, 42},
          {'R', -25, 42},
          {'F', -25, 36},
          {'R', -25, 37},
          {'F', -25, 30},
          {'R', -25, 42},
          {'R', -20, 42}}},
        // An internal groove: X grows from X20 to X26, pecks of 2 (radius) reach X24, X26.
        {"internal groove",
         "G0 X20 Z-10\nG75 R0.2\nG75 X26 P2000 F0.1\n",
         {{'F', -10, 24}, {'R', -10, 23.6}, {'F', -10, 26}, {'R', -10, 20}}},
    });
}

// G74 R(e); G74 X(U) Z(W) P(Δi) Q(Δk) R(Δd) F: G75 with the axes swapped, pecks of Δk
// along Z, columns Δi (a radius) apart along X. Without X it drills a hole by pecks.
TEST(FanucRepeatCycles, FaceGroovingAndPeckDrilling) {
    expectCases({
        // From Z2 to Z-10 by pecks of 4, backing off 1: Z-2, -1, -6, -5, -10, out.
        {"peck drilling",
         "G0 X0 Z2\nG74 R1\nG74 Z-10 Q4000 F0.1\n",
         {{'F', -2, 0}, {'R', -1, 0}, {'F', -6, 0}, {'R', -5, 0}, {'F', -10, 0}, {'R', 2, 0}}},
        // Peck drilling without the first block: one feed a peck, no backing off.
        {"peck drilling, no R(e)",
         "G0 X0 Z2\nG74 Z-10 Q4000 F0.1\n",
         {{'F', -2, 0}, {'F', -6, 0}, {'F', -10, 0}, {'R', 2, 0}}},
        // A face groove from X60 to X40 at Δi 5 (radius): columns X60, X50, X40, each
        // pecked from Z1 by 3 (Z-2, back 0.5 to -1.5, Z-5).
        {"face groove",
         "G0 X60 Z1\nG74 R0.5\nG74 X40 Z-5 P5000 Q3000 F0.1\n",
         {{'F', -2, 60},
          {'R', -1.5, 60},
          {'F', -5, 60},
          {'R', 1, 60},
          {'R', 1, 50},
          {'F', -2, 50},
          {'R', -1.5, 50},
          {'F', -5, 50},
          {'R', 1, 50},
          {'R', 1, 40},
          {'F', -2, 40},
          {'R', -1.5, 40},
          {'F', -5, 40},
          {'R', 1, 40},
          {'R', 1, 60}}},
        // Δd 1 (radius) off the bottom, back towards the start's X: X62, X52, X42.
        {"face groove, relieved",
         "G0 X60 Z1\nG74 R0.5\nG74 X40 Z-5 P5000 Q3000 R1000 F0.1\n",
         {{'F', -2, 60},
          {'R', -1.5, 60},
          {'F', -5, 60},
          {'R', -5, 62},
          {'R', 1, 62},
          {'R', 1, 50},
          {'F', -2, 50},
          {'R', -1.5, 50},
          {'F', -5, 50},
          {'R', -5, 52},
          {'R', 1, 52},
          {'R', 1, 40},
          {'F', -2, 40},
          {'R', -1.5, 40},
          {'F', -5, 40},
          {'R', -5, 42},
          {'R', 1, 42},
          {'R', 1, 60}}},
    });
}

// The manual's example for G73 (B-64114EN, "Pattern repeating (G73)", example program):
// G73 U14.0 W14.0 R3; G73 P014 Q019 U4.0 W2.0 F0.3, the contour from X80 Z0 (N014
// G00 X80.0 W-40.0 from X220 Z40) by W-20, X120 W-10, W-20, an R20 arc to X160 W-20 and
// X180 W-10. Three passes stand off the contour by Δi·(3−k)/2 + Δu/2 on X (a radius:
// 16, 9, 2) and Δk·(3−k)/2 + Δw on Z (16, 9, 2); each goes in as N014 does (rapid),
// follows the contour, and returns to X220 Z40 by rapid. Then G70 finishes it.
TEST(FanucRepeatCycles, PatternRepeatAsTheManualsExample) {
    const Toolpath p = interpret(
        "O0073\nN010 G50 X260.0 Z80.0\nN011 G00 X220.0 Z40.0\nN012 G73 U14.0 W14.0 R3\n"
        "N013 G73 P014 Q019 U4.0 W2.0 F0.3 S0180\nN014 G00 X80.0 W-40.0\n"
        "G01 W-20.0 F0.15 S0600\nX120.0 W-10.0\nW-20.0 S0400\nG02 X160.0 W-20.0 R20.0\n"
        "N019 G01 X180.0 W-10.0 S0280\nN020 G70 P014 Q019\nM30\n");
    ASSERT_EQ(p.dialect, Dialect::Fanuc);
    EXPECT_TRUE(p.warnings.empty()) << p.warnings.front().word;
    std::vector<Step> steps;
    for (const double s : {16.0, 9.0, 2.0}) {
        const double d = 2 * s;  // on the diameter
        const std::vector<Step> pass{{'R', 0 + s, 80 + d},    {'F', -20 + s, 80 + d},
                                     {'F', -30 + s, 120 + d}, {'F', -50 + s, 120 + d},
                                     {'A', -70 + s, 160 + d}, {'F', -80 + s, 180 + d},
                                     {'R', 40, 220}};
        steps.insert(steps.end(), pass.begin(), pass.end());
    }
    // G70: the contour as written, entered as N014 is, then back to the start.
    const std::vector<Step> finish{{'R', 0, 80},    {'F', -20, 80},  {'F', -30, 120},
                                   {'F', -50, 120}, {'A', -70, 160}, {'F', -80, 180},
                                   {'R', 40, 220}};
    steps.insert(steps.end(), finish.begin(), finish.end());
    expectLastMoves(p, steps, "G73");
    EXPECT_EQ(p.moves.size() - steps.size(), 1u);  // N011's rapid
    // Each arc keeps the contour's centre moved with it: R20 clockwise, the centre 20
    // below the arc's start on the radius (X120 → X160 turning through 90°).
    for (std::size_t i = 0; i < p.moves.size(); ++i) {
        const auto* arc = p.arcOf(i);
        if (arc == nullptr) continue;
        const Point end = p.moves[i].to;
        EXPECT_NEAR(std::hypot(arc->center.z - end.z, arc->center.x - end.x), 20, 1e-9);
    }
}

// In LinuxCNC G73 drills along Z and G74, G75 are no lathe cycle: warned, not drawn.
TEST(FanucRepeatCycles, LinuxCncKeepsItsOwnMeanings) {
    const ReadOptions linuxcnc = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const char* code : {"G74", "G75"}) {
        const Toolpath p = interpret(
            std::string("G18 G7 G21\nG0 X42 Z-20\n") + code + " X30 P3000 F0.1\nM2\n", linuxcnc);
        ASSERT_EQ(p.warnings.size(), 1u) << code;
        EXPECT_EQ(p.warnings[0].code, Warning::UnsupportedG) << code;
        EXPECT_EQ(p.warnings[0].word, code);
        EXPECT_EQ(p.moves.size(), 1u) << code;
    }
    const Toolpath drill =
        interpret("G18 G7 G21\nG0 X0 Z2\nG99 G73 X0 Z-1.5 R1 Q1 F50\nG80\nM2\n", linuxcnc);
    EXPECT_TRUE(drill.warnings.empty());
    EXPECT_GT(drill.moves.size(), 2u);
}

}  // namespace
}  // namespace zivek::gcode
