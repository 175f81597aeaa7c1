// Runs every program of a seeded sweep of valid values, and programs of values the
// cycles make hard, against the drawing of its operation.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cycles/cycles.h"
#include "geometry/drawing_checks.h"
#include "geometry/drawings.h"
#include "geometry/sweep_values.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek::geometry {
namespace {

using testing::cycleOf;
using testing::describe;
using testing::sweepBoxes;
using testing::Values;

class GeometrySweep : public ::testing::TestWithParam<Drawing> {};

TEST_P(GeometrySweep, EveryProgramCutsWhatTheDrawingShows) {
    const Drawing& drawing = GetParam();
    testing::TempFolder folder;
    NoViewer viewer;
    Values values(20261210u + static_cast<std::uint32_t>(drawing.operation));
    int faults = 0;
    for (int index = 0; index < 400; ++index) {
        const BoxTexts boxes = sweepBoxes(drawing.operation, values, index);
        const PressResult result =
            press(cycleOf(drawing.operation), boxes, OutputPlace{folder.path()}, viewer);
        std::string fault = result.written() ? checkProgram(drawing, boxes, result)
                                             : "refused: " + result.message();
        if (fault.empty()) continue;
        if (++faults <= 5) ADD_FAILURE() << fault << "\n  boxes:" << describe(boxes);
    }
    EXPECT_EQ(faults, 0) << "programs with a fault, the first ones shown above";
}

INSTANTIATE_TEST_SUITE_P(Operations, GeometrySweep, ::testing::ValuesIn(drawings),
                         [](const auto& drawing) { return std::string(drawing.param.name); });

// Values the cycles make hard: running sums that fall just short, lengths with a 4th
// place, a plunge equal to the depth or taperDepth, and sizes on a rounding tie.
TEST(GeometryOfHardValues, CutWhatTheDrawingShows) {
    using testing::straightDefaults;
    using testing::taperDefaults;
    using testing::withBoxes;
    const BoxTexts straight[] = {
        straightDefaults,
        withBoxes(straightDefaults, {{control::Text3, "0.1"}, {control::Text4, "0.01"}}),
        withBoxes(straightDefaults, {{control::Text2, "60.0004"}}),
        withBoxes(straightDefaults, {{control::Text2, "60.0006"}}),
        withBoxes(straightDefaults,
                  {{control::Text3, "2"}, {control::Text2, "25.1234"}, {control::Text4, "0.75"}}),
        withBoxes(
            straightDefaults,
            {{control::Text3, "12.0005"}, {control::Text2, "0.0015"}, {control::Text4, "0.0005"}}),
    };
    const BoxTexts tapers[] = {
        taperDefaults,
        withBoxes(taperDefaults, {{control::Text4, "25"}}),
        withBoxes(taperDefaults, {{control::Text4, "10"}}),
        withBoxes(taperDefaults, {{control::Text4, "0.3"}, {control::Text2, "30.0004"}}),
        withBoxes(taperDefaults,
                  {{control::Text3, "100"}, {control::Text6, "30"}, {control::Text4, "20"}}),
        // Whole passCount with a length, or a taperDepth, on a tie: the last pass of the
        // outside (and the one before the repeat inside) ends at W-89.285 and
        // U-108.829, where round3 of the sizes reads 89.284 and 108.83.
        withBoxes(taperDefaults, {{control::Text3, "217.2489"},
                                  {control::Text6, "104.3027"},
                                  {control::Text2, "89.2845"},
                                  {control::Text4, "1.5263"}}),
        withBoxes(taperDefaults, {{control::Text3, "256.0618"},
                                  {control::Text6, "38.4028"},
                                  {control::Text2, "150.9936"},
                                  {control::Text4, "2.7905"}}),
    };
    testing::TempFolder folder;
    NoViewer viewer;
    for (const Drawing& drawing : drawings)
        for (const BoxTexts& boxes : testing::isStraight(drawing.operation)
                                         ? std::span<const BoxTexts>(straight)
                                         : std::span<const BoxTexts>(tapers)) {
            const PressResult result =
                press(cycleOf(drawing.operation), boxes, OutputPlace{folder.path()}, viewer);
            ASSERT_TRUE(result.written())
                << drawing.name << describe(boxes) << ": " << result.message();
            EXPECT_EQ(checkProgram(drawing, boxes, result), "") << drawing.name << describe(boxes);
        }
}

// The checks themselves catch what they are for: hand-made programs with one fault each.
TEST(GeometryChecks, CatchHandMadeFaults) {
    const BoxTexts boxes = {{control::Text3, "2"}, {control::Text2, "10"}, {control::Text4, "1"}};
    auto programOf = [](std::vector<std::string> passLines) {
        std::vector<std::string> lines = {"M08", "M03", "S6", "G54", "G0X0Y0"};
        lines.insert(lines.end(), passLines.begin(), passLines.end());
        lines.insert(lines.end(), {"M05", "M30", "%"});
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        PressResult result;
        result.outcome = PressResult::Outcome::Written;
        result.programText = text;
        return result;
    };
    const Drawing& external = drawings[0];
    const struct {
        const char* fault;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"ends at", {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10.0004"}},
        {"enters the finished part",
         {"G0U-1", "G1W-10.001F1", "G0U1W10.001", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"uncut stock",
         {"G0U-1", "G1W-10F1", "G0U1W9.9996", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"finished corner",
         {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-1.999", "G1W-10F1", "U1.999F.5", "G0W10"}},
        {"deeper than the one before",
         {"G0U-.5", "G1W-10F1", "G0U.5W10", "G0U-2", "G1W-10F1", "U2F.5", "G0W10"}},
        {"outside the material",
         {"G0U-1", "G1W-10F1", "G0U1W10", "G0U-2", "G1W-10F1", "U2.5F.5", "G0W10"}},
    };
    for (const auto& c : cases) {
        const std::string found = checkProgram(external, boxes, programOf(c.lines));
        if (*c.fault == '\0')
            EXPECT_EQ(found, "") << "a sound program";
        else
            EXPECT_NE(found.find(c.fault), std::string::npos)
                << c.fault << " -> \"" << found << "\"";
    }
}

}  // namespace
}  // namespace zivek::geometry
