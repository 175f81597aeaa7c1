// LinuxCNC's cycles, compensation and arcs against LinuxCNC's own reading:
// each program in programs/linuxcnc/ sits beside the moves rs274 (LinuxCNC 2.9 in lathe
// mode) made of it, recorded once. The reader must make the same moves, one by one.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

struct Expected {
    char kind = 'R';  // R rapid, F feed, A arc
    double x = 0, z = 0, cx = 0, cz = 0;
    int turn = 0;  // +1 counter-clockwise (G3), -1 clockwise
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<Expected> readMoves(const std::string& text) {
    std::vector<Expected> moves;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Expected e;
        words >> e.kind >> e.x >> e.z;
        if (e.kind == 'A') words >> e.cx >> e.cz >> e.turn;
        moves.push_back(e);
    }
    return moves;
}

std::string describe(const Toolpath& p, std::size_t i) {
    const Move& m = p.moves[i];
    std::ostringstream s;
    s << (m.is(kArc)                  ? 'A'
          : m.kind == MoveKind::Rapid ? 'R'
                                      : 'F')
      << " X" << m.to.x << " Z" << m.to.z << " (line " << m.line + 1 << ")";
    if (const Arc* a = p.arcOf(i)) s << " centre X" << a->center.x << " Z" << a->center.z;
    return s.str();
}

// rs274 prints four decimals, of an inch where the program is in inches.
constexpr double kPrinted = 1e-4;
constexpr double kPrintedInch = 25.4e-4;

TEST(LinuxCncCycles, MoveForMoveAsRs274) {
    struct Case {
        const char* name;
        int refusedLine;                             // 1-based line LinuxCNC stops at; 0 when none
        Warning refusal = Warning::CycleIncomplete;  // what the reader says on that line
        double printed = kPrinted;                   // how closely rs274's moves are printed
    };
    const Case cases[] = {
        {"g70_passes", 0},
        {"g71_after_tool_change", 0},
        {"g71_pockets", 0},
        {"g72_face", 0},
        {"g76_compound_taper", 0},
        {"g71_contour_ends_at_start", 13},
        // in the units in force, not the program's first: G7x's tolerances, the state
        // parameters
        {"g71_units_switched", 0, Warning::CycleIncomplete, kPrintedInch},
        {"position_after_units", 0, Warning::CycleIncomplete, kPrintedInch},
        // G76's full-depth passes where K is a whole multiple of J
        {"g76_depth_multiple", 0},
        {"g76_full_not_beyond_first", 4},
        // contour arcs by their centres (G90.1), and taken as written: cut when off the
        // circle, the contour refused where that makes it turn back
        {"g71_absolute_centres", 0},
        {"g71_contour_arc_off_circle", 0},
        {"g71_arc_not_monotonic", 12},
        // the passes' arcs by LinuxCNC's arc tolerance, 0.1% of the radius here
        {"g71_contour_arc_within_tolerance", 0},
        {"g71_contour_arc_beyond_tolerance", 9},
        // nose radius compensation (G41.1/G42.1) on lines, arcs, inserts and G70's passes
        {"nose_lines", 0},
        {"nose_arcs", 0},
        {"nose_orientations", 0},
        {"nose_g70", 0},
        {"nose_entry_arc", 0},
        // entered by an arc with each insert: L0 and L9 have no tip to move out to first
        {"nose_entry_arc_orientations", 0},
        {"nose_entry_arc_orientations_inch", 0},
        {"nose_corner_tolerance", 0},
        // units switched with moves waiting for their corner
        {"nose_units_switched", 20, Warning::CompensationRefused, kPrintedInch},
        // where LinuxCNC stops under compensation: a G70 bore's concave corner, an arc
        // first after G40 (in inches)
        {"nose_g70_bore_gouge", 12, Warning::CompensationRefused},
        {"nose_exit_arc_inch", 8, Warning::CompensationRefused, kPrintedInch},
        // G2/G3 by LinuxCNC's arc tolerance: drawn within it, warned beyond it
        {"arc_within_tolerance", 0},
        {"arc_beyond_tolerance", 6, Warning::BadArc},
        // full circles by their centre alone, P whole turns
        {"full_circles", 0},
        // coordinate systems chosen and set (G10 L2, L20), G52 and G92 over them
        {"work_offsets", 0},
        // blanks inside numbers and words, G64 with its tolerances
        {"blanks_in_words", 0},
        // the tool and the coordinate system read from LinuxCNC's parameters
        {"tool_and_system_parameters", 0},
        // G43, G43.1 and G49 with the row's own tool table
        {"tool_lengths", 0, Warning::CycleIncomplete, kPrintedInch},
    };
    for (const Case& c : cases) {
        const std::string base = std::string(ZIVEK_TEST_PROGRAMS) + "/linuxcnc/" + c.name;
        const std::vector<Expected> want = readMoves(readFile(base + ".moves"));
        ASSERT_FALSE(want.empty()) << c.name;
        ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
        // A row's own tool table, where it keeps one beside it.
        if (std::ifstream(base + ".tbl"))
            options.tools =
                std::make_shared<const ToolTable>(readToolTableFile(base + ".tbl").table);
        const Toolpath p = interpret(readFile(base + ".ngc"), options);
        // Where LinuxCNC stops, the reader draws on: compare up to there.
        if (c.refusedLine == 0) {
            EXPECT_EQ(p.moves.size(), want.size()) << c.name;
            EXPECT_TRUE(p.warnings.empty()) << c.name << ": " << p.warnings.front().word;
        } else {
            ASSERT_FALSE(p.warnings.empty()) << c.name;
            EXPECT_EQ(p.warnings.front().code, c.refusal) << c.name;
            EXPECT_EQ(p.warnings.front().line + 1, std::uint32_t(c.refusedLine)) << c.name;
        }
        for (std::size_t i = 0; i < std::min(want.size(), p.moves.size()); ++i) {
            const Expected& e = want[i];
            const Move& m = p.moves[i];
            const Arc* a = p.arcOf(i);
            const double near = c.printed;
            const bool same =
                (e.kind == 'A') == (a != nullptr) &&
                (e.kind == 'R') == (m.kind == MoveKind::Rapid) && std::abs(m.to.x - e.x) <= near &&
                std::abs(m.to.z - e.z) <= near &&
                (a == nullptr || (std::abs(a->center.x - e.cx) <= near &&
                                  std::abs(a->center.z - e.cz) <= near && a->ccw == (e.turn > 0)));
            ASSERT_TRUE(same) << c.name << " move " << i + 1 << ": rs274 " << e.kind << " X" << e.x
                              << " Z" << e.z << (e.kind == 'A' ? " centre X" : "")
                              << (e.kind == 'A' ? std::to_string(e.cx) : "") << ", reader "
                              << describe(p, i);
        }
    }
}

// D leaves its stock normal to the contour: on the 45° taper from X4 Z-5 to X8 Z-9
// (x + z = −1) the cuts end on x + z = −1 + 0.5·√2, not on the line moved 0.5 along
// each axis (x + z = 0), nor 0.5 along Z alone.
TEST(LinuxCncCycles, StockLeftNormalToTheContour) {
    const std::string program =
        readFile(std::string(ZIVEK_TEST_PROGRAMS) + "/linuxcnc/g71_taper_allowance.ngc");
    const Toolpath p = interpret(program);
    ASSERT_EQ(p.dialect, Dialect::LinuxCnc);
    std::vector<Point> ends;
    for (const Move& m : p.moves)
        if (m.kind == MoveKind::Feed && m.from.x == m.to.x && m.from.z == 1) ends.push_back(m.to);
    ASSERT_EQ(ends.size(), 7u);  // levels X10, 9 .. 5 and the allowance's own X4.5
    for (std::size_t i = 2; i < 6; ++i)
        EXPECT_NEAR(ends[i].x + ends[i].z, -1 + 0.5 * std::sqrt(2.0), 1e-9) << ends[i].x;
    EXPECT_NEAR(ends[6].x, 4.5, 1e-9);
    EXPECT_NEAR(ends[6].z, -1 + 0.5 * std::sqrt(2.0) - 4.5, 1e-9);
}

}  // namespace
}  // namespace zivek::gcode
