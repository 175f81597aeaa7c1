// LinuxCNC's drilling cycles along Z, each move worked out by hand from the cycle's
// definition and checked against LinuxCNC's own interpreter (rs274 in lathe mode).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct End {
    char kind;  // 'r' rapid, 'f' feed
    double z, x;
    friend bool operator==(const End&, const End&) = default;
};

std::vector<End> ends(const Toolpath& path) {
    std::vector<End> out;
    for (std::size_t i = 1; i < path.moves.size(); ++i) {  // after the starting G0
        const Move& m = path.moves[i];
        out.push_back({m.kind == MoveKind::Rapid ? 'r' : 'f', m.to.z, m.to.x});
    }
    return out;
}

TEST(DrillCycles, MoveAsLinuxCncMoves) {
    struct Case {
        const char* name;
        const char* cycle;  // after "G21 G8 G17 F100\nG0 X5 Z10\n"
        std::vector<End> moves;
    };
    const Case cases[] = {
        {"G81 to R under G99",
         "G99 G81 X1 Z-2 R4",
         {{'r', 10, 1}, {'r', 4, 1}, {'f', -2, 1}, {'r', 4, 1}}},
        {"below R it rises first; G98 retracts to R when that is higher",
         "G0 Z1\nG98 G81 X1 Z-2 R4",
         {{'r', 1, 5}, {'r', 4, 5}, {'r', 4, 1}, {'f', -2, 1}, {'r', 4, 1}}},
        {"G98 retracts to where the block began",
         "G98 G82 X1 Z-2 R4 P1",
         {{'r', 10, 1}, {'r', 4, 1}, {'f', -2, 1}, {'r', 10, 1}}},
        {"G83 pecks out to R and back to 0.254 mm above the last depth",
         "G98 G83 X0 Z-7 R3 Q3",
         {{'r', 10, 0},
          {'r', 3, 0},
          {'f', 0, 0},
          {'r', 3, 0},
          {'r', 0.254, 0},
          {'f', -3, 0},
          {'r', 3, 0},
          {'r', -2.746, 0},
          {'f', -6, 0},
          {'r', 3, 0},
          {'r', -5.746, 0},
          {'f', -7, 0},
          {'r', 10, 0}}},
        {"G73 backs off 0.254 mm between pecks",
         "G99 G73 X0 Z-1.5 R1 Q1",
         {{'r', 10, 0},
          {'r', 1, 0},
          {'f', 0, 0},
          {'r', 0.254, 0},
          {'f', -1, 0},
          {'r', -0.746, 0},
          {'f', -1.5, 0},
          {'r', 1, 0}}},
        {"G85 feeds out to R, G89 all the way to the clear plane",
         "G98 G85 X1 Z-2 R4\nG80 G0 Z10\nG98 G89 X2 Z-2 R4 P1",
         {{'r', 10, 1},
          {'r', 4, 1},
          {'f', -2, 1},
          {'f', 4, 1},
          {'r', 10, 1},
          {'r', 10, 1},
          {'r', 10, 2},
          {'r', 4, 2},
          {'f', -2, 2},
          {'f', 10, 2}}},
        {"G91: R from the start, Z from R, X from hole to hole, L holes",
         "G91 G81 X1 Z-2 R-1 L2",
         {{'r', 10, 6},
          {'r', 9, 6},
          {'f', 7, 6},
          {'r', 9, 6},
          {'r', 9, 7},
          {'f', 7, 7},
          {'r', 9, 7}}},
        {"Z and R hold for the next hole",
         "G99 G81 X1 Z-2 R4\nX2",
         {{'r', 10, 1},
          {'r', 4, 1},
          {'f', -2, 1},
          {'r', 4, 1},
          {'r', 4, 2},
          {'f', -2, 2},
          {'r', 4, 2}}},
        {"a run begun below R rises to it at each block, in place from R itself",
         "G0 Z1\nG99 G81 X1 Z-2 R4\nX2",
         {{'r', 1, 5},
          {'r', 4, 5},
          {'r', 4, 1},
          {'f', -2, 1},
          {'r', 4, 1},
          {'r', 4, 1},
          {'r', 4, 2},
          {'f', -2, 2},
          {'r', 4, 2}}},
        {"a new cycle in the run goes over at the clear plane",
         "G0 Z1\nG99 G81 X1 Z-2 R0\nG82 X2 Z-2 R3 P1",
         {{'r', 1, 5},
          {'r', 1, 1},
          {'r', 0, 1},
          {'f', -2, 1},
          {'r', 0, 1},
          {'r', 3, 1},
          {'r', 3, 2},
          {'f', -2, 2},
          {'r', 3, 2}}},
        {"G80 ends the cycle",
         "G81 X1 Z-2 R4\nG80\nG0 X3",
         {{'r', 10, 1}, {'r', 4, 1}, {'f', -2, 1}, {'r', 4, 1}, {'r', 4, 3}}},
    };
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    for (const Case& c : cases) {
        const Toolpath path =
            interpret(std::string("G21 G8 G17 F100\nG0 X5 Z10\n") + c.cycle + "\n", options);
        EXPECT_TRUE(path.warnings.empty()) << c.name;
        const std::vector<End> got = ends(path);
        ASSERT_EQ(got.size(), c.moves.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, c.moves[i].kind) << c.name << " move " << i;
            EXPECT_NEAR(got[i].z, c.moves[i].z, 1e-9) << c.name << " move " << i;
            EXPECT_NEAR(got[i].x, c.moves[i].x, 1e-9) << c.name << " move " << i;
        }
    }
}

TEST(DrillCycles, OtherDialectsStillWarnThem) {
    ReadOptions options = zivek::testing::readingAs(Dialect::Fanuc);
    const Toolpath path = interpret("G0 X10 Z10\nG83 X0 Z-7 R3 Q3000 F0.1\n", options);
    ASSERT_EQ(path.warnings.size(), 1u);
    EXPECT_EQ(path.warnings[0].code, Warning::UnsupportedG);
    EXPECT_EQ(path.moves.size(), 1u);
}

}  // namespace
}  // namespace zivek::gcode
