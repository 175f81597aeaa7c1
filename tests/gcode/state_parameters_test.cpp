// The parameters LinuxCNC fills from its state (#<_x>, #5420, #<_metric> ...), each read
// into a move; the values were checked against LinuxCNC's own interpreter (rs274, lathe).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

ReadOptions linuxCnc() {
    return zivek::testing::readingAs(Dialect::LinuxCnc);
}

Point lastEnd(const Toolpath& path) {
    return path.moves.empty() ? Point{} : path.moves.back().to;
}

TEST(StateParameters, ReadAsLinuxCncGivesThem) {
    struct Case {
        const char* name;
        const char* program;
        Point end;  // of the last move: {z, x}, X a radius
    };
    const Case cases[] = {
        {"#<_x> is a radius under G7", "G18 G7 G0 X20 Z5\nG8 G0 X0 Z#<_x>\n", {10, 0}},
        {"#<_z> and #<_Z> alike", "G18 G8 G0 X1 Z-7\nG0 X#<_Z> Z#<_z>\n", {-7, -7}},
        {"#5420 and #5422 count from a G92 offset",
         "G18 G8 G0 X10 Z5\nG92 Z2\nG0 X#5422 Z#5420\n",
         {10, 2}},
        {"the other axes of #5421-#5428 are nought",
         "G18 G8 G0 X3 Z3\nG0 X[#5421+#5423+#5424+#5425+#5426+#5427+#5428] Z[#<_y>+#<_w>]\n",
         {0, 0}},
        {"metric and absolute",
         "G18 G8 G21 G90 G0 X[#<_metric>*10+#<_imperial>] Z#<_absolute>\n",
         {1, 10}},
        {"inch, read before the line's own G20",
         "G18 G20 G8 G0 X[#<_imperial>*2+#<_metric>] Z0\n",
         {0, 1}},
        {"incremental, after the line that sets it",
         "G18 G8 G0 X0 Z0\nG91\nG0 X[#<_incremental>*5] Z[#<_absolute>-1]\n",
         {-1, 5}},
        {"feed and speed in force",
         "G18 G8 G0 X0 Z0\nG1 X1 F250 S800\nG0 X[#<_feed>] Z[#<_rpm>]\n",
         {800, 250}},
        {"motion mode G80 before any motion", "G18 G8 G0 X[#<_motion_mode>] Z0\n", {0, 800}},
        {"motion mode of the previous line",
         "G18 G8 G0 X0 Z0\nG1 X1 F1\nG2 X[#<_motion_mode>] Z0 R9\n",
         {0, 10}},
        {"G33 is 330", "G18 G8 G0 X0 Z0\nG33 X0 Z-1 K1\nG0 X#<_motion_mode> Z0\n", {0, 330}},
        {"the line, counted from one", "G18 G8 G0 X0 Z0\n\n(three)\nG0 X#<_line> Z0\n", {0, 4}},
        {"modes of the lathe",
         "G18 G7 G96 D2000 S100 G95\nG8 G0 X[#<_lathe_diameter_mode>*2+#<_lathe_radius_mode>] "
         "Z[#<_spindle_css_mode>*2+#<_units_per_rev>]\n",
         {3, 2}},
        {"what calls give back: nought before any, then the value, then nought again",
         "o1 sub\no1 endsub [5]\no2 sub\no2 endsub\nG18 G8\nG0 X#<_value> Z#<_value_returned>\n"
         "o1 call\nG0 X#<_value> Z#<_value_returned>\no2 call\nG0 X[#<_value>+7] "
         "Z#<_value_returned>\n",
         {0, 7}},
        {"a value given back by endsub",
         "o1 sub\no1 endsub [5]\nG18 G8\no1 call\nG0 X#<_value> "
         "Z#<_value_returned>\n",
         {1, 5}},
        {"the coordinate system in force: #5220 counts from G54 as 1, #<_coord_system> by code",
         "G18 G8 G59.1\nG0 X#5220 Z#<_coord_system>\n",
         {591, 7}},
        {"an origin set by G10 L2 in #5221 (X) and #5223 (Z) on, twenty a system",
         "G18 G8 G10 L2 P2 X3 Z-4\nG0 X#5241 Z[#5243+#5221]\n",
         {-4, 3}},
        {"the tool M6 puts in the spindle (#5400) and the one T selects",
         "G18 G8 T3 M6\nT5\nG0 X[#5400*10+#<_current_tool>] Z[#<_selected_tool>*10+"
         "#<_selected_pocket>]\n",
         {55, 33}},
        {"no tool selected yet", "G18 G8 G0 X#<_selected_pocket> Z#<_current_tool>\n", {0, -1}},
        {"plane, nose compensation, spindle by their codes",
         "G18 G8 M4\nG0 X[#<_plane>+#<_spindle_on>] Z[#<_ccomp>+#<_spindle_cw>]\n",
         {400, 181}},
        {"the call level", "o1 sub\nG0 X#<_call_level> Z0\no1 endsub\nG18 G8\no1 call\n", {0, 1}},
        {"a global of the program's own that begins with _",
         "#<_xx>=4\nG18 G8 G0 X#<_xx> Z0\n",
         {0, 4}},
    };
    for (const Case& c : cases) {
        const Toolpath path = interpret(c.program, linuxCnc());
        EXPECT_TRUE(path.warnings.empty()) << c.name << ": " << path.warnings.front().word;
        EXPECT_EQ(lastEnd(path), c.end) << c.name;
    }
}

// #5401-#5413 give the offsets, diameter and tip of the tool in the spindle from the
// table, in the path's units; pockets count the tools' places in it.
TEST(StateParameters, TheToolInTheSpindleFromTheTable) {
    ReadOptions options = linuxCnc();
    options.tools = std::make_shared<const ToolTable>(
        readToolTable("G20\nT4 P1 Z0.1 X-0.2 D0.04 Q3\nT9 P2 Z1 X1\n").table);
    const Toolpath path = interpret(
        "G18 G21 G8 T9 M6\nT4 M6\nG0 X[#5401] Z[#5403]\nG0 X[#5410] Z[#5413]\n"
        "G0 X#<_current_pocket> Z#5400\n",
        options);
    ASSERT_EQ(path.moves.size(), 3u);
    EXPECT_NEAR(path.moves[0].to.x, -5.08, 1e-9);
    EXPECT_NEAR(path.moves[0].to.z, 2.54, 1e-9);
    EXPECT_NEAR(path.moves[1].to.x, 1.016, 1e-9);
    EXPECT_EQ(path.moves[1].to.z, 3);
    EXPECT_EQ(path.moves[2].to, (Point{4, 1}));
}

TEST(StateParameters, AreReadOnlyAndTheRestOfTheLineStillCounts) {
    const char* lines[] = {"#<_x>=3 G0 X4", "#5420=3 G0 X4", "#<_X> = [1+2] G0 X4"};
    for (const char* line : lines) {
        const Toolpath path = interpret(std::string("G18 G8 G0 X1 Z0\n") + line, linuxCnc());
        ASSERT_EQ(path.warnings.size(), 1u) << line;
        EXPECT_EQ(path.warnings[0].code, Warning::ReadOnlyParameter) << line;
        EXPECT_EQ(path.warnings[0].line, 1u) << line;
        // The tool went to X4 and #<_x> says so: the setting took nothing.
        EXPECT_EQ(lastEnd(path), (Point{0, 4})) << line;
    }
}

}  // namespace
}  // namespace zivek::gcode
