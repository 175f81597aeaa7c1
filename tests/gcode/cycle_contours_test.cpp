// The contour each Fanuc cycle read, kept on the path so that a viewer can show which
// moves a contour's blocks became: the lines N(P) to N(Q), and the cycle's moves along
// them (G70's pass, the roughing cycles' last pass, the allowance away).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct ExpectedContour {
    std::uint32_t cycleLine, firstLine, lastLine;
    std::vector<Point> alongEnds;  // X as a radius
};

struct ContourCase {
    const char* name;
    const char* program;
    std::vector<ExpectedContour> contours;
};

TEST(CycleContours, LinesAndMovesAlongThem) {
    const char* shaft =
        "T0101\nG98\nG0 X40 Z2\nG71 U2 R1\nG71 P10 Q20 U0.4 W0.1 F100\n"
        "N10 G1 X20\nZ-20\nX30 Z-30\nN20 X40\nG70 P10 Q20\nM30\n";
    const std::vector<Point> shaftEnds{{2, 10}, {-20, 10}, {-30, 15}, {-30, 20}};
    auto shifted = [](std::vector<Point> ends, Point by) {
        for (Point& p : ends) p = {p.z + by.z, p.x + by.x};
        return ends;
    };
    const ContourCase cases[] = {
        {"G70 before its contour",
         "T0101\nG98\nG0 X40 Z2\nG70 P10 Q20 F50\nN10 G1 X20\nZ-20 F80\nX30 Z-30\nN20 X40\n",
         {{3, 4, 7, shaftEnds}}},
        // G71's last pass leaves its contour's first point to the rapid that leads in.
        {"G71 and G70 on one contour",
         shaft,
         {{4, 5, 8, shifted({shaftEnds.begin() + 1, shaftEnds.end()}, {0.1, 0.2})},
          {9, 5, 8, shaftEnds}}},
        {"G73 along its contour in its last pass",
         "T0101\nG98\nG0 X40 Z2\nG73 U3 W0 R3\nG73 P10 Q20 U0 W0 F100\nN10 G1 X20\nZ-20\n"
         "X30 Z-30\nN20 X40\nM30\n",
         {{4, 5, 8, {shaftEnds.begin() + 1, shaftEnds.end()}}}},
        // A cycle that found no contour keeps none, and lends none to the next cycle.
        {"contour not found, then G90",
         "T0101\nG98\nG0 X40 Z2\nG71 U2 R1\nG71 P10 Q20 U0.4 W0.1 F100\nG90 X30 Z-10 F100\n",
         {}},
    };
    for (const ContourCase& c : cases) {
        const Toolpath path = interpret(c.program);
        ASSERT_EQ(path.contours.size(), c.contours.size()) << c.name;
        for (std::size_t k = 0; k < c.contours.size(); ++k) {
            const CycleContour& got = path.contours[k];
            const ExpectedContour& want = c.contours[k];
            EXPECT_EQ(got.cycleLine, want.cycleLine) << c.name << " contour " << k;
            EXPECT_EQ(got.firstLine, want.firstLine) << c.name << " contour " << k;
            EXPECT_EQ(got.lastLine, want.lastLine) << c.name << " contour " << k;
            ASSERT_EQ(got.endMove - got.firstMove, want.alongEnds.size()) << c.name << " " << k;
            for (std::size_t i = 0; i < want.alongEnds.size(); ++i) {
                const Move& m = path.moves[got.firstMove + i];
                EXPECT_EQ(m.line, want.cycleLine) << c.name << " move " << i;
                EXPECT_EQ(m.kind, MoveKind::Feed) << c.name << " move " << i;
                EXPECT_NEAR(m.to.z, want.alongEnds[i].z, 1e-9) << c.name << " move " << i;
                EXPECT_NEAR(m.to.x, want.alongEnds[i].x, 1e-9) << c.name << " move " << i;
            }
        }
    }
}

}  // namespace
}  // namespace zivek::gcode
