// Whether an arc is drawn or warned: each control's tolerance, just inside and just
// outside, in millimetres and inches. LinuxCNC's cases are as rs274 (LinuxCNC 2.9) reads
// them: it draws the first of each pair and stops at the second.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

TEST(Arcs, DrawnWithinTheControlsToleranceAndWarnedBeyondIt) {
    struct Case {
        const char* name;
        Dialect dialect;
        std::string program;
        std::uint32_t line;  // 1-based: the line whose moves hold the arc
        bool drawn;
        Warning refusal = Warning::BadArc;  // what is said where it is not drawn
    };
    // From Z0 at radius r about the axis to Z-(r + e) on it: the end lies e off the circle.
    const std::string linuxMm = "G18 G21 G8 G90 F100\n";
    const std::string linuxInch = "G18 G20 G8 G90 F10\n";
    const std::string fanucMm = "G18 G21 G90 G99 F0.2\n";
    const std::string fanucInch = "G18 G20 G90 G99 F0.01\n";
    auto g70 = [&](const std::string& arcEndX) {
        return linuxMm + "O100 SUB\nG1 X0 Z0\nG3 X" + arcEndX +
               " Z-10 I0 K-10\nG1 Z-20\nO100 ENDSUB\nG0 X12 Z2\nG70 Q100 X12 Z2 D0\n";
    };
    const std::string nose = "G0 X5 Z5\nG42.1 D1\nG1 X10 Z2\nG1 Z0\n";
    const Case cases[] = {
        // LinuxCNC: 0.02·√2 mm (0.0283) off the circle
        {"linuxcnc mm I/K inside", Dialect::LinuxCnc,
         linuxMm + "G0 X10 Z2\nG1 Z0\nG3 X0 Z-10.0282 I-10 K0\n", 4, true},
        {"linuxcnc mm I/K outside", Dialect::LinuxCnc,
         linuxMm + "G0 X10 Z2\nG1 Z0\nG3 X0 Z-10.0284 I-10 K0\n", 4, false},
        // ... or within 0.1% of the radius
        {"linuxcnc mm relative inside", Dialect::LinuxCnc,
         linuxMm + "G0 X100 Z2\nG1 Z0\nG3 X0 Z-100.09 I-100 K0\n", 4, true},
        {"linuxcnc mm relative outside", Dialect::LinuxCnc,
         linuxMm + "G0 X100 Z2\nG1 Z0\nG3 X0 Z-100.11 I-100 K0\n", 4, false},
        // ... but never beyond a hundred times 0.0283
        {"linuxcnc mm ceiling inside", Dialect::LinuxCnc,
         linuxMm + "G0 X5000 Z2\nG1 Z0\nG3 X0 Z-5002.82 I-5000 K0\n", 4, true},
        {"linuxcnc mm ceiling outside", Dialect::LinuxCnc,
         linuxMm + "G0 X5000 Z2\nG1 Z0\nG3 X0 Z-5002.84 I-5000 K0\n", 4, false},
        // In inches: 0.002·√2 inch (0.00283)
        {"linuxcnc inch I/K inside", Dialect::LinuxCnc,
         linuxInch + "G0 X1 Z0.2\nG1 Z0\nG3 X0 Z-1.0028 I-1 K0\n", 4, true},
        {"linuxcnc inch I/K outside", Dialect::LinuxCnc,
         linuxInch + "G0 X1 Z0.2\nG1 Z0\nG3 X0 Z-1.0029 I-1 K0\n", 4, false},
        {"linuxcnc inch relative inside", Dialect::LinuxCnc,
         linuxInch + "G0 X10 Z0.2\nG1 Z0\nG3 X0 Z-10.0095 I-10 K0\n", 4, true},
        {"linuxcnc inch relative outside", Dialect::LinuxCnc,
         linuxInch + "G0 X10 Z0.2\nG1 Z0\nG3 X0 Z-10.0105 I-10 K0\n", 4, false},
        // the units in force count, not those the path is drawn in
        {"linuxcnc inch after mm inside", Dialect::LinuxCnc,
         linuxMm + "G0 X25.4 Z5.08\nG20\nG1 Z0\nG3 X0 Z-1.0028 I-1 K0\n", 5, true},
        {"linuxcnc inch after mm outside", Dialect::LinuxCnc,
         linuxMm + "G0 X25.4 Z5.08\nG20\nG1 Z0\nG3 X0 Z-1.0029 I-1 K0\n", 5, false},
        // R short of half the chord by 0.00005 inch (0.00127 mm): a half circle
        {"linuxcnc mm R inside", Dialect::LinuxCnc,
         linuxMm + "G0 X5 Z2\nG1 Z0\nG3 X5 Z-10.0024 R5\n", 4, true},
        {"linuxcnc mm R outside", Dialect::LinuxCnc,
         linuxMm + "G0 X5 Z2\nG1 Z0\nG3 X5 Z-10.0026 R5\n", 4, false},
        {"linuxcnc inch R inside", Dialect::LinuxCnc,
         linuxInch + "G0 X1 Z0.2\nG1 Z0\nG3 X1 Z-2.00008 R1\n", 4, true},
        {"linuxcnc inch R outside", Dialect::LinuxCnc,
         linuxInch + "G0 X1 Z0.2\nG1 Z0\nG3 X1 Z-2.00012 R1\n", 4, false},
        // a G70 contour's arc, and a compensated arc, by the same rule: the contour takes
        // the arc as written and the cycle stops where it draws it
        {"linuxcnc G70 contour inside", Dialect::LinuxCnc, g70("10.0282"), 8, true},
        {"linuxcnc G70 contour outside", Dialect::LinuxCnc, g70("10.0284"), 8, false,
         Warning::CycleIncomplete},
        {"linuxcnc compensated inside", Dialect::LinuxCnc,
         linuxMm + nose + "G3 X20.0282 Z-10 I0 K-10\nG1 Z-20\nG40\nG0 X30\n", 6, true},
        {"linuxcnc compensated outside", Dialect::LinuxCnc,
         linuxMm + nose + "G3 X20.0284 Z-10 I0 K-10\nG1 Z-20\nG40\nG0 X30\n", 6, false},
        // Fanuc (X a diameter): 0.002 plus 0.01% of the radius, in either unit
        {"fanuc mm I/K inside", Dialect::Fanuc,
         fanucMm + "G0 X20 Z2\nG1 Z0\nG3 X0 Z-10.0029 I-10 K0\n", 4, true},
        {"fanuc mm I/K outside", Dialect::Fanuc,
         fanucMm + "G0 X20 Z2\nG1 Z0\nG3 X0 Z-10.0031 I-10 K0\n", 4, false},
        {"fanuc mm per radius inside", Dialect::Fanuc,
         fanucMm + "G0 X200 Z2\nG1 Z0\nG3 X0 Z-100.0119 I-100 K0\n", 4, true},
        {"fanuc mm per radius outside", Dialect::Fanuc,
         fanucMm + "G0 X200 Z2\nG1 Z0\nG3 X0 Z-100.0121 I-100 K0\n", 4, false},
        {"fanuc inch I/K inside", Dialect::Fanuc,
         fanucInch + "G0 X2 Z0.2\nG1 Z0\nG3 X0 Z-1.002 I-1 K0\n", 4, true},
        {"fanuc inch I/K outside", Dialect::Fanuc,
         fanucInch + "G0 X2 Z0.2\nG1 Z0\nG3 X0 Z-1.0022 I-1 K0\n", 4, false},
        // R short of half the chord by 0.01% of R, at least 0.0001
        {"fanuc mm R inside", Dialect::Fanuc, fanucMm + "G0 X10 Z2\nG1 Z0\nG3 X10 Z-10.0008 R5\n",
         4, true},
        {"fanuc mm R outside", Dialect::Fanuc, fanucMm + "G0 X10 Z2\nG1 Z0\nG3 X10 Z-10.0012 R5\n",
         4, false},
        {"fanuc inch R inside", Dialect::Fanuc,
         fanucInch + "G0 X2 Z0.2\nG1 Z0\nG3 X2 Z-2.00016 R1\n", 4, true},
        {"fanuc inch R outside", Dialect::Fanuc,
         fanucInch + "G0 X2 Z0.2\nG1 Z0\nG3 X2 Z-2.00024 R1\n", 4, false},
    };
    for (const Case& c : cases) {
        const Toolpath p = interpret(c.program, zivek::testing::readingAs(c.dialect));
        if (c.drawn) {
            EXPECT_TRUE(p.warnings.empty()) << c.name << ": " << int(p.warnings.front().code);
            const auto moves = p.movesOf(c.line - 1);
            EXPECT_TRUE(std::any_of(moves.begin(), moves.end(), [](const Move& m) {
                return m.is(kArc);
            })) << c.name;
        } else {
            ASSERT_FALSE(p.warnings.empty()) << c.name;
            EXPECT_EQ(p.warnings.front().code, c.refusal) << c.name;
            EXPECT_EQ(p.warnings.front().line + 1, c.line) << c.name;
        }
    }
}

}  // namespace
}  // namespace zivek::gcode

namespace zivek::gcode {
namespace {

// LinuxCNC's P turns: the arc runs its whole turns before the last, which ends where
// written; a part of a turn is refused. Lengths count every turn, extents the full circle.
TEST(Arcs, WholeTurnsByP) {
    struct Case {
        const char* arc;  // from X10 Z0 (radius 10), the centre 3 along Z
        double length;
        double extentMaxZ;  // of the whole path
        bool drawn;
    };
    constexpr double kPi = 3.14159265358979323846;
    const Case cases[] = {
        {"G3 K3", 2 * kPi * 3, 6, true},
        {"G3 K3 P3", 3 * 2 * kPi * 3, 6, true},
        // half a turn to Z6 after one whole turn
        {"G2 X10 Z6 K3 P2", 1.5 * 2 * kPi * 3, 6, true},
        {"G3 K3 P1.5", 0, 0, false},
        {"G3 K3 P0", 0, 0, false},
    };
    for (const Case& c : cases) {
        const std::string program = std::string("G18 G21 G8 G90 F100\nG0 X10 Z0\n") + c.arc + "\n";
        const Toolpath path = interpret(program, zivek::testing::readingAs(Dialect::LinuxCnc));
        ASSERT_EQ(path.moves.size(), 2u) << c.arc;
        EXPECT_EQ(path.arcOf(1) != nullptr, c.drawn) << c.arc;
        EXPECT_EQ(path.warnings.empty(), c.drawn) << c.arc;
        if (!c.drawn) continue;
        EXPECT_NEAR(path.moveLength(1), c.length, 1e-9) << c.arc;
        EXPECT_NEAR(path.summary.extent.max.z, c.extentMaxZ, 1e-9) << c.arc;
    }
}

}  // namespace
}  // namespace zivek::gcode
