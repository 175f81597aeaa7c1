// Whole Fanuc programs of the kind a shop runs, one in millimetres and one in inches,
// each with the multiple repetitive cycles: read as Fanuc by detection alone, every
// cycle drawn, no warning.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "zivek/gcode/program_file.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

TEST(FanucPrograms, ReadWholeWithEveryCycleDrawn) {
    struct Row {
        const char* file;
        bool inch;
        double stockRadius;  // no move goes beyond the bar, nor the tool change point
        double frontZ;
        std::size_t cycleMoves;  // at least: each cycle draws its passes
    };
    const Row rows[] = {
        {"fanuc/shaft_mm.nc", false, 50, 100, 100},
        {"fanuc/flange_inch.nc", true, 2.5, 3, 100},
        {"fanuc/pulley_pockets_mm.nc", false, 50, 100, 100},
    };
    for (const Row& r : rows) {
        const LoadedProgram file = loadProgramFile(std::string(ZIVEK_TEST_PROGRAMS) + "/" + r.file);
        ASSERT_EQ(file.status, LoadStatus::Ok) << r.file;
        const Toolpath p = interpret(file.text);
        EXPECT_EQ(p.dialect, Dialect::Fanuc) << r.file;
        for (const LineWarning& w : p.warnings)
            ADD_FAILURE() << r.file << " line " << w.line + 1 << ": " << w.word;
        EXPECT_EQ(p.summary.incompleteCycles, 0u) << r.file;
        std::size_t fromCycles = 0;
        for (const Move& m : p.moves) {
            if (m.is(kFromCycle)) ++fromCycles;
            // Diameters are halved: no move runs past the bar or behind the face.
            EXPECT_LE(m.to.x, r.stockRadius + 1e-9) << r.file << " line " << m.line + 1;
            EXPECT_GE(m.to.x, -1e-9) << r.file << " line " << m.line + 1;
            EXPECT_LE(m.to.z, r.frontZ + 1e-9) << r.file << " line " << m.line + 1;
        }
        EXPECT_GE(fromCycles, r.cycleMoves) << r.file;
    }
}

// In inches the least increment is 0.0001: the flange's face groove, G74 X1.8 Z-0.15
// P1000 Q500 from X2.2 Z0.1, steps 0.1 (a radius) from column to column and pecks 0.05.
TEST(FanucPrograms, InchIncrementsInTheGrooveCycles) {
    const LoadedProgram file =
        loadProgramFile(std::string(ZIVEK_TEST_PROGRAMS) + "/fanuc/flange_inch.nc");
    ASSERT_EQ(file.status, LoadStatus::Ok);
    const Toolpath p = interpret(file.text);
    std::vector<double> columns, pecks;
    for (const Move& m : p.moves) {
        if (m.line != 24 || m.kind != MoveKind::Feed) continue;  // the G74 block
        if (columns.empty() || std::abs(columns.back() - 2 * m.to.x) > 1e-9)
            columns.push_back(2 * m.to.x);
        if (columns.size() == 1) pecks.push_back(m.to.z);
    }
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_NEAR(columns[0], 2.2, 1e-9);
    EXPECT_NEAR(columns[1], 2.0, 1e-9);
    EXPECT_NEAR(columns[2], 1.8, 1e-9);
    // From Z0.1 by 0.05 to Z-0.15: five pecks.
    ASSERT_EQ(pecks.size(), 5u);
    EXPECT_NEAR(pecks[0], 0.05, 1e-9);
    EXPECT_NEAR(pecks[4], -0.15, 1e-9);
}

}  // namespace
}  // namespace zivek::gcode
