// Fanuc's G71 and G72 type II, worked by hand: the contour's first block names both axes,
// so the contour may dip into pockets, while it still runs one way along the passes (as
// Haas's Fanuc-mode manual, "G71 ... Type 2", and CNCCookbook's "G71 Type 2: Rough Turning
// With Pockets" describe it). Each level is cut where it runs above the part, then the
// tool follows the part up its far side to the level above (or to where that side stops
// rising) and leaves it at 45 degrees by R. A pocket is cut down to its bottom before the
// next; the tool goes down into a pocket along its near side, and from one pocket to the
// next along the part, never by rapid over it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "zivek/gcode/program_file.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct Step {
    char kind;    // R rapid, F feed
    double z, x;  // x as a diameter
};

// The cycle's moves from its first one, up to the start of its last pass.
void expectRoughing(const Toolpath& p, const std::vector<Step>& steps, const char* name) {
    std::size_t first = 0;
    while (first < p.moves.size() && !p.moves[first].is(kFromCycle)) ++first;
    ASSERT_GE(p.moves.size(), first + steps.size()) << name;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Move& m = p.moves[first + i];
        const char kind = m.kind == MoveKind::Rapid ? 'R' : 'F';
        EXPECT_EQ(kind, steps[i].kind) << name << " step " << i + 1;
        EXPECT_NEAR(m.to.z, steps[i].z, 1e-9) << name << " step " << i + 1;
        EXPECT_NEAR(2 * m.to.x, steps[i].x, 1e-9) << name << " step " << i + 1;
    }
}

// G71 from X30 Z2, depth of cut 2 (a radius), R0.5. The contour (radii): r10 from Z2
// to Z-4, down at 45 degrees to r6 at Z-8 (pocket 1, to Z-12), up to r10 at Z-14, on to
// Z-18, down to r8 at Z-20 (pocket 2, to Z-24), up to r12 at Z-26 and r15.
// Levels r13, r11, r9, r7 (r5 is below the deepest point, r6). The crossings:
//   r13 meets the part only on the last rise, at Z-26: one cut from the start.
//   r11: the last rise from r8 at Z-24 to r12 at Z-26 passes r11 at Z-25.5.
//   r9: down into pocket 1 at Z-4 - 4·1/4 = Z-5, out at Z-12 - 2·3/4 = Z-13.5;
//       into pocket 2 at Z-18 - 2·1/2 = Z-19, out at Z-24 - 2·1/4 = Z-24.5.
//   r7: pocket 1 alone, Z-7 to Z-12.5 (pocket 2's bottom is r8).
// Order: r13, r11, then pocket 1 (r9, r7), then pocket 2 (r9).
TEST(FanucPocketRoughing, TurningTypeTwoWorkedExample) {
    const char* program =
        "T0101\nG98\nG0 X30 Z2\nG71 U2 R0.5\nG71 P10 Q20 U0 W0 F100\n"
        "N10 G0 X20 Z2\nG1 Z-4\nX12 Z-8\nZ-12\nX20 Z-14\nZ-18\nX16 Z-20\nZ-24\nX24 Z-26\n"
        "N20 X30\n";
    const std::vector<Step> steps = {
        {'R', 2, 26},
        {'F', -26, 26},  // r13, climbs the last rise to the start's r15
        {'F', -26, 30},
        {'F', -25.5, 31},
        {'R', 2, 31},  // off at 45°, back
        {'R', 2, 22},
        {'F', -25.5, 22},  // r11
        {'F', -26, 24},
        {'F', -26, 26},  // up the rise to r13
        {'F', -25.5, 27},
        {'R', 2, 27},  // off, back over r11
        // Pocket 1: its near side begins at the contour's start (r10, above r11 nowhere),
        // so the tool goes down onto the contour there and follows it in.
        {'R', 2, 20},
        {'F', -4, 20},
        {'F', -5, 18},
        {'F', -13.5, 18},  // r9
        {'F', -14, 20},    // up its far side to its top
        {'F', -13.5, 21},
        {'R', -5, 21},
        {'R', -5, 18},  // off, back, down to r9
        {'F', -7, 14},
        {'F', -12.5, 14},
        {'F', -13.5, 18},  // r7, up to r9
        // Pocket 2, reached along the part: over the top r10, down its near side.
        {'F', -14, 20},
        {'F', -18, 20},
        {'F', -19, 18},
        {'F', -24.5, 18},  // r9
        {'F', -25.5, 22},  // up the rise to r11
        {'F', -25, 23},
        {'R', -25, 30},
        {'R', 2, 30},  // off, up, back to the start
        {'R', 2, 20},  // the last pass begins
    };
    const Toolpath p = interpret(program);
    EXPECT_EQ(p.summary.incompleteCycles, 0u);
    expectRoughing(p, steps, "G71");
}

// G72 from X60 Z1, depth of cut 2 along Z, R0.5: the same figure turned onto the face,
// Z = r - 14 and X = 2·(Z + 28) of the G71 example, so the same crossings: levels Z-1,
// Z-3, Z-5, Z-7; face pocket 1 from X40 to X32 (bottom Z-8), pocket 2 from X16 to X8
// (bottom Z-6).
TEST(FanucPocketRoughing, FacingTypeTwoWorkedExample) {
    const char* program =
        "T0101\nG98\nG0 X60 Z1\nG72 W2 R0.5\nG72 P10 Q20 U0 W0 F100\n"
        "N10 G0 X60 Z-4\nG1 X48\nX40 Z-8\nX32\nX28 Z-4\nX20\nX16 Z-6\nX8\nX4 Z-2\nN20 Z1\n";
    const std::vector<Step> steps = {
        {'R', -1, 60},   {'F', -1, 4},    {'F', 1, 4},     {'F', 1.5, 5}, {'R', 1.5, 60},
        {'R', -3, 60},   {'F', -3, 5},    {'F', -2, 4},    {'F', -1, 4},  {'F', -0.5, 5},
        {'R', -0.5, 60}, {'R', -4, 60},   {'F', -4, 48},   {'F', -5, 46}, {'F', -5, 29},
        {'F', -4, 28},   {'F', -3.5, 29}, {'R', -3.5, 46}, {'R', -5, 46}, {'F', -7, 42},
        {'F', -7, 31},   {'F', -5, 29},   {'F', -4, 28},   {'F', -4, 20}, {'F', -5, 18},
        {'F', -5, 7},    {'F', -3, 5},    {'F', -2.5, 6},  {'R', 1, 6},   {'R', 1, 60},
        {'R', -4, 60},
    };
    const Toolpath p = interpret(program);
    EXPECT_EQ(p.summary.incompleteCycles, 0u);
    expectRoughing(p, steps, "G72");
}

// A pulley with two V grooves roughed by G71 type II with U0.4, then finished by G70: no
// roughing move, rapid or feed, enters the part (the finished contour, G70's path), and
// both grooves are roughed to within the allowance of their bottoms (X26 and X28).
TEST(FanucPocketRoughing, PulleyGroovesRoughedWithoutTouchingThePart) {
    const LoadedProgram file =
        loadProgramFile(std::string(ZIVEK_TEST_PROGRAMS) + "/fanuc/pulley_pockets_mm.nc");
    ASSERT_EQ(file.status, LoadStatus::Ok);
    const Toolpath p = interpret(file.text);
    std::vector<Point> part;  // G70's feed moves, Z falling
    std::vector<Move> rough;
    for (const Move& m : p.moves) {
        if (!m.is(kFromCycle)) continue;
        if (m.line == 28 && m.kind == MoveKind::Feed) {
            if (part.empty()) part.push_back(m.from);
            part.push_back(m.to);
        }
        if (m.line == 8) rough.push_back(m);
    }
    ASSERT_GT(part.size(), 10u);
    ASSERT_GT(rough.size(), 50u);
    auto partRadius = [&part](double z) {
        for (std::size_t i = 1; i < part.size(); ++i) {
            const Point a = part[i - 1], b = part[i];
            if (z > std::max(a.z, b.z) || z < std::min(a.z, b.z)) continue;
            if (a.z == b.z) return std::max(a.x, b.x);
            return a.x + (b.x - a.x) * (z - a.z) / (b.z - a.z);
        }
        return 0.0;  // beyond the contour's ends: no part there
    };
    // The levels' cuts come before the last pass, which begins by rapid at the contour's
    // first point, X32.4 Z2.
    std::size_t lastPass = rough.size();
    while (lastPass > 0 && !(rough[lastPass - 1].kind == MoveKind::Rapid &&
                             rough[lastPass - 1].to == Point{2, 16.2}))
        --lastPass;
    double groove1 = 1e9, groove2 = 1e9;
    for (std::size_t i = 0; i < rough.size(); ++i) {
        const Move& m = rough[i];
        for (int k = 0; k <= 20; ++k) {
            const double t = k / 20.0;
            const Point at{m.from.z + t * (m.to.z - m.from.z), m.from.x + t * (m.to.x - m.from.x)};
            EXPECT_GE(at.x, partRadius(at.z) + 0.2 - 1e-9)
                << "line " << m.line + 1 << " at Z" << at.z << " X" << 2 * at.x;
        }
        if (i + 1 >= lastPass || m.kind != MoveKind::Feed || m.from.x != m.to.x) continue;
        const double zs[] = {m.from.z, m.to.z};
        if (std::min(zs[0], zs[1]) >= -24 && std::max(zs[0], zs[1]) <= -10)
            groove1 = std::min(groove1, 2 * m.to.x);
        if (std::min(zs[0], zs[1]) >= -44 && std::max(zs[0], zs[1]) <= -32)
            groove2 = std::min(groove2, 2 * m.to.x);
    }
    // Levels every 3 (a diameter) from X64: the last above the first groove's bottom with
    // its allowance, X26.4, is X28; above the second's, X28.4, X31.
    EXPECT_NEAR(groove1, 28, 1e-9);
    EXPECT_NEAR(groove2, 31, 1e-9);
}

}  // namespace
}  // namespace zivek::gcode
