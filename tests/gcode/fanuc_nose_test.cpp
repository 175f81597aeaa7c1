// Fanuc's tool nose radius compensation, worked by hand: the nose radius and the
// imaginary tool nose number come from the user's tool table, looked up by the offset
// number of the T word. The start-up move ends with the nose square to the next move at
// its start; the move after G40 leaves from the nose square to the last one. The path
// drawn is the imaginary tip's, as the control moves it: for tip 3 (the outside turning
// tool) the nose centre less one radius along Z and along X, so that a diameter or a face
// cut under compensation lies where it is written.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

Toolpath readWithTools(const std::string& program, const std::string& table) {
    ReadOptions options = zivek::testing::readingAs(Dialect::Fanuc);
    if (!table.empty())
        options.tools = std::make_shared<const ToolTable>(readToolTable(table).table);
    return interpret(program, options);
}

struct Step {
    char kind;    // R rapid, F feed, A counter-clockwise arc, C clockwise arc
    double z, x;  // x as a diameter
};

void expectSteps(const Toolpath& p, std::size_t from, const std::vector<Step>& steps,
                 const char* name) {
    ASSERT_GE(p.moves.size(), from + steps.size()) << name;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Move& m = p.moves[from + i];
        const Arc* arc = p.arcOf(from + i);
        const char kind = m.kind == MoveKind::Rapid ? 'R'
                          : arc == nullptr          ? 'F'
                          : arc->ccw                ? 'A'
                                                    : 'C';
        EXPECT_EQ(kind, steps[i].kind) << name << " move " << from + i;
        EXPECT_NEAR(m.to.z, steps[i].z, 1e-6) << name << " move " << from + i;
        EXPECT_NEAR(2 * m.to.x, steps[i].x, 1e-6) << name << " move " << from + i;
    }
}

// From X30 Z5, G42 with tip 3 R0.8: a 45° chamfer from X14 Z1 to X20 Z-2, the diameter
// to Z-10, a G2 fillet R4 up to X28 Z-14 (centre X28 Z-10), the face to X34, G40 away.
// In radii (Z, r), the nose centre:
//   start-up: ends square to the chamfer, (1, 7) + 0.8·(1, 1)/√2 = (1.565685, 7.565685);
//   the chamfer to (-2, 10) + the same = (-1.434315, 10.565685);
//   round the outside corner at (-2, 10), counter-clockwise, to (-2, 10.8);
//   along r10.8 to (-10, 10.8); the fillet inside, radius 3.2 about (-10, 14), to
//   (-13.2, 14); up the face to (-13.2, 17). G40: from there to X40 Z5 as programmed.
// The tip is the centre less (0.8, 0.8): the diameter and the face land on X20 and Z-14.
TEST(FanucNose, ChamferAndFilletUnderG42Tip3) {
    const std::string contour = "G1 X20 Z-2 F0.1\nZ-10\nG2 X28 Z-14 R4\nG1 X34\n";
    const Toolpath p =
        readWithTools("T0303\nG0 X30 Z5\nG42 G0 X14 Z1\n" + contour + "G40 G0 X40 Z5\nM30\n",
                      "T3 R0.8 Q3 ;PERDAH\n");
    EXPECT_TRUE(p.warnings.empty());
    const std::vector<Step> steps = {
        {'R', 5, 30},
        {'R', 0.765685, 13.531371},   // start-up
        {'F', -2.234315, 19.531371},  // the chamfer
        {'A', -2.8, 20},              // round its outside corner
        {'F', -10.8, 20},             // the diameter
        {'C', -14, 26.4},             // the fillet
        {'F', -14, 32.4},             // the face
        {'R', 5, 40},                 // G40
    };
    expectSteps(p, 0, steps, "G42");
    ASSERT_EQ(p.noses.size(), 1u);
    EXPECT_EQ(p.noses[0].tool, 303);
    EXPECT_EQ(p.noses[0].entry, 3);
    EXPECT_DOUBLE_EQ(p.noses[0].radius, 0.8);
    EXPECT_EQ(p.noses[0].tip, 3);

    // G70 under G42 compensates its contour as the blocks written out: the same path from
    // the start-up to the fillet (the face's end then waits on the return to the start).
    const Toolpath g70 = readWithTools("T0303\nG0 X30 Z5\nG42\nG70 P10 Q20\nN10 G0 X14 Z1\n" +
                                           contour + "N20 X34\nG40 G0 X40 Z5\nM30\n",
                                       "T3 R0.8 Q3\n");
    EXPECT_TRUE(g70.warnings.empty());
    const std::vector<Step> cycle(steps.begin(), steps.begin() + 6);
    expectSteps(g70, 0, cycle, "G70");
}

// Which row gives the nose: the offset number (T0305: row 5), else the tool number (T0307:
// no row 7, so row 3); no row at all, or no table, and the line says the path is drawn as
// programmed. Tip 0 or 9: no imaginary tip, the centre is drawn.
TEST(FanucNose, NoseFoundByOffsetNumberThenToolNumber) {
    struct Row {
        const char* name;
        const char* tool;
        const char* table;
        int entry;   // 0: not compensated
        double zAt;  // where the first move after the start-up ends, along Z
    };
    const char* tools = "T3 R0.4 Q3\nT5 R0.8 Q3\nT6 R0.8 Q9\n";
    // The start-up along -Z at r10 from Z5 to Z1, then on along -Z: the nose ends square to
    // it, 0.8 above, so tip 3 draws the diameter at r10 and Z less 0.8; tip 9 at r10.8.
    const Row rows[] = {
        {"offset row", "T0305", tools, 5, -5.8}, {"tool row", "T0307", tools, 3, -5.4},
        {"centre drawn", "T0606", tools, 6, -5}, {"no row", "T0909", tools, 0, -5},
        {"no table", "T0303", "", 0, -5},
    };
    for (const Row& r : rows) {
        const Toolpath p = readWithTools(
            std::string(r.tool) + "\nG0 X20 Z5\nG42 G1 Z1 F0.1\nZ-5\nG40 X30\n", r.table);
        if (r.entry == 0) {
            ASSERT_EQ(p.warnings.size(), 1u) << r.name;
            EXPECT_EQ(p.warnings[0].code, Warning::CompensationNotDrawn) << r.name;
            EXPECT_TRUE(p.noses.empty()) << r.name;
        } else {
            EXPECT_TRUE(p.warnings.empty()) << r.name;
            ASSERT_EQ(p.noses.size(), 1u) << r.name;
            EXPECT_EQ(p.noses[0].entry, r.entry) << r.name;
        }
        ASSERT_GE(p.moves.size(), 3u) << r.name;
        EXPECT_NEAR(p.moves[2].to.z, r.zAt, 1e-9) << r.name;
    }
}

}  // namespace
}  // namespace zivek::gcode
