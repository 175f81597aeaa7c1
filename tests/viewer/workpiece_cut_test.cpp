// The viewer's workpiece checks over what the wizard writes: every program of the
// geometric sweep cuts its material without a warning, and hand-edited programs with
// one fault each get theirs.

#include "workpiece/workpiece_cut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "geometry/program_shapes.h"
#include "geometry/sweep_values.h"
#include "output/press.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek::backplot {
namespace {

using zivek::testing::Operation;

// Keeps what the press hands to the viewer, read back as the viewer reads it.
struct HandOver final : ViewerLauncher {
    Workpiece workpiece;
    void start(const std::filesystem::path&, const std::filesystem::path&,
               const Workpiece& handed) override {
        workpiece = readWorkpiece(workpieceText(handed)).value();
    }
};

struct Checked {
    PressResult result;
    Workpiece workpiece;
};

Checked pressFor(Operation operation, const BoxTexts& boxes) {
    zivek::testing::TempFolder folder;
    HandOver viewer;
    PressResult result =
        press(zivek::testing::cycleOf(operation), boxes, OutputPlace{folder.path()}, viewer);
    return {std::move(result), viewer.workpiece};
}

std::vector<CutWarning> warningsOf(const Workpiece& workpiece, std::string_view program) {
    auto path = std::make_shared<const Toolpath>(interpret(program));
    return WorkpieceCut(workpiece, std::shared_ptr<const std::vector<Move>>(path, &path->moves))
        .warnings();
}

std::string describe(const std::vector<CutWarning>& warnings) {
    std::string text;
    for (const CutWarning& w : warnings)
        text +=
            " line " + std::to_string(w.line + 1) + " check " + std::to_string(int(w.check)) + ";";
    return text;
}

const char* nameOf(Operation operation) {
    static const char* const names[] = {"ExternalDiameter", "InternalDiameter", "Facing",
                                        "ExternalTaper", "InternalTaper"};
    return names[int(operation)];
}

class EveryWizardProgram : public ::testing::TestWithParam<Operation> {};

TEST_P(EveryWizardProgram, CutsItsMaterialWithoutAWarning) {
    const Operation operation = GetParam();
    zivek::testing::Values values(20261210u + static_cast<std::uint32_t>(operation));
    int faults = 0;
    for (int index = 0; index < 400; ++index) {
        const BoxTexts boxes = zivek::testing::sweepBoxes(operation, values, index);
        const Checked checked = pressFor(operation, boxes);
        ASSERT_TRUE(checked.result.written()) << checked.result.message();
        ASSERT_FALSE(checked.workpiece.empty());
        const auto warnings = warningsOf(checked.workpiece, checked.result.programText);
        if (warnings.empty()) continue;
        if (++faults <= 5)
            ADD_FAILURE() << describe(warnings) << "\n  boxes:" << zivek::testing::describe(boxes);
    }
    EXPECT_EQ(faults, 0);
}

INSTANTIATE_TEST_SUITE_P(Operations, EveryWizardProgram,
                         ::testing::ValuesIn(zivek::testing::allOperations),
                         [](const auto& row) { return std::string(nameOf(row.param)); });

// Values on the edges of the cycles: running sums that fall short, a 4th decimal, a
// plunge equal to the depth, sizes on a rounding tie, a taper of length 0.
TEST(HardWizardPrograms, CutWithoutAWarning) {
    using zivek::testing::straightDefaults;
    using zivek::testing::taperDefaults;
    using zivek::testing::withBoxes;
    const BoxTexts straight[] = {
        straightDefaults,
        withBoxes(straightDefaults, {{"Text3", "0.1"}, {"Text4", "0.01"}}),
        withBoxes(straightDefaults, {{"Text2", "60.0004"}}),
        withBoxes(straightDefaults, {{"Text2", "60.0006"}}),
        withBoxes(straightDefaults,
                  {{"Text3", "12.0005"}, {"Text2", "0.0015"}, {"Text4", "0.0005"}}),
        withBoxes(straightDefaults, {{"Text3", "100000"}, {"Text2", "0.001"}}),
    };
    const BoxTexts tapers[] = {
        taperDefaults,
        withBoxes(taperDefaults, {{"Text4", "25"}}),
        withBoxes(taperDefaults, {{"Text4", "0.3"}, {"Text2", "30.0004"}}),
        withBoxes(taperDefaults, {{"Text2", "0"}}),
        withBoxes(taperDefaults, {{"Text3", "217.2489"},
                                  {"Text6", "104.3027"},
                                  {"Text2", "89.2845"},
                                  {"Text4", "1.5263"}}),
        withBoxes(taperDefaults, {{"Text3", "256.0618"},
                                  {"Text6", "38.4028"},
                                  {"Text2", "150.9936"},
                                  {"Text4", "2.7905"}}),
    };
    for (const Operation operation : zivek::testing::allOperations) {
        const bool straightCycle = zivek::testing::isStraight(operation);
        for (const BoxTexts& boxes : straightCycle ? std::span<const BoxTexts>(straight)
                                                   : std::span<const BoxTexts>(tapers)) {
            const Checked checked = pressFor(operation, boxes);
            ASSERT_TRUE(checked.result.written()) << checked.result.message();
            EXPECT_EQ(describe(warningsOf(checked.workpiece, checked.result.programText)), "")
                << nameOf(operation) << zivek::testing::describe(boxes);
        }
    }
}

// One fault each in a default program, edited by hand: the line (1-based) it is on,
// the text it gets (none: the line is left out, with the two after it), and the check
// expected on the line named.
struct HandEdit {
    Operation operation;
    const char* what;
    std::vector<std::pair<int, const char*>> edits;
    int warnedLine;
    CutCheck check;
};

const HandEdit handEdits[] = {
    {Operation::ExternalDiameter,
     "rapid along the second pass",
     {{10, "G0W-60"}},
     10,
     CutCheck::RapidIntoMaterial},
    {Operation::ExternalDiameter,
     "finishing pass too deep",
     {{39, "G0U-12.5"}, {41, "U12.5F55.5"}},
     40,
     CutCheck::FeedIntoPart},
    {Operation::ExternalDiameter,
     "travel past the shoulder",
     {{13, "G1W-61F111"}, {14, "G0U3W61"}},
     13,
     CutCheck::FeedIntoPart},
    {Operation::ExternalDiameter,
     "fifth pass left out",
     {{18, nullptr}},
     39,
     CutCheck::UncutMaterial},
    {Operation::ExternalDiameter,
     "rapid into the wall",
     {{6, "G0U-1W-1"}, {8, "G0U1W61"}},
     6,
     CutCheck::RapidIntoMaterial},
    {Operation::InternalDiameter,
     "rapid along the second pass",
     {{10, "G0W-60"}},
     10,
     CutCheck::RapidIntoMaterial},
    {Operation::InternalDiameter,
     "finishing pass too deep",
     {{39, "G0U12.5"}, {41, "U-12.5F55.5"}},
     40,
     CutCheck::FeedIntoPart},
    {Operation::InternalDiameter,
     "fifth pass left out",
     {{18, nullptr}},
     39,
     CutCheck::UncutMaterial},
    {Operation::Facing,
     "rapid across the second pass",
     {{10, "G0U-60"}},
     10,
     CutCheck::RapidIntoMaterial},
    {Operation::Facing,
     "finishing pass too deep",
     {{39, "G0W-12.5"}, {41, "W12.5F55.5"}},
     40,
     CutCheck::FeedIntoPart},
    {Operation::Facing,
     "last roughing pass left out",
     {{36, nullptr}},
     39,
     CutCheck::UncutMaterial},
    {Operation::ExternalTaper,
     "rapid along the second pass",
     {{10, "G0U2W-2.4"}},
     10,
     CutCheck::RapidIntoMaterial},
    {Operation::ExternalTaper,
     "last pass too deep",
     {{78, "G0U-25.5"}, {79, "G1U25.5W-30F111"}},
     79,
     CutCheck::FeedIntoPart},
    {Operation::ExternalTaper, "tenth pass left out", {{33, nullptr}}, 77, CutCheck::UncutMaterial},
    {Operation::InternalTaper,
     "rapid along the second pass",
     {{10, "G0U-2W-2.4"}},
     10,
     CutCheck::RapidIntoMaterial},
    {Operation::InternalTaper,
     "last pass too deep",
     {{81, "G0U25.5"}, {82, "G1U-25.5W-30F111"}},
     82,
     CutCheck::FeedIntoPart},
    {Operation::InternalTaper, "tenth pass left out", {{33, nullptr}}, 80, CutCheck::UncutMaterial},
};

TEST(HandEditedPrograms, GetTheirWarning) {
    for (const HandEdit& edit : handEdits) {
        const bool straightCycle = zivek::testing::isStraight(edit.operation);
        const Checked checked =
            pressFor(edit.operation, straightCycle ? zivek::testing::straightDefaults
                                                   : zivek::testing::taperDefaults);
        ASSERT_TRUE(checked.result.written());
        std::vector<std::string> lines = zivek::testing::splitLines(checked.result.programText);
        // From the last edit backwards, so that a left-out pass does not shift the others.
        for (auto it = edit.edits.rbegin(); it != edit.edits.rend(); ++it) {
            const auto at = lines.begin() + (it->first - 1);
            if (it->second == nullptr)
                lines.erase(at, at + 3);
            else
                *at = it->second;
        }
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        const auto warnings = warningsOf(checked.workpiece, text);
        EXPECT_TRUE(std::any_of(warnings.begin(), warnings.end(),
                                [&](const CutWarning& w) {
                                    return int(w.line) + 1 == edit.warnedLine &&
                                           w.check == edit.check;
                                }))
            << nameOf(edit.operation) << ", " << edit.what << ":" << describe(warnings);
    }
}

// Started on a file alone, the viewer has no workpiece: nothing to cut, nothing to warn.
TEST(NoWorkpiece, GivesNoWarning) {
    EXPECT_TRUE(warningsOf({}, "G0X0Y0\r\nG0U-5\r\nG1W-60F1\r\n").empty());
}

TEST(WorkpieceText, ReadsBackTheSameDoubles) {
    const Workpiece workpiece{{{{0, 0}, {0, -0.1}, {-1e-300, 1.7976931348623157e308}}},
                              {{{1, 2}, {3, 4}, {5, -6.0000000000000009}}},
                              {{0, 0}, {0.5, 0}, {0.5, 0.5}}};
    EXPECT_EQ(readWorkpiece(workpieceText(workpiece)), workpiece);
    EXPECT_EQ(workpieceText(workpiece).find(' '), std::string::npos);
    for (const char* bad : {"M:0,0;1,1", "X:0,0;1,1;2,2", "M:0,0;1,1;2,inf|T:0,0;1,0;1,1",
                            "M:0,0;1,1;2,2", "M:0,0;1,1;2,2|T:0,0;1,0;1,1|T:0,0;1,0;1,1"})
        EXPECT_FALSE(readWorkpiece(bad).has_value()) << bad;
}

}  // namespace
}  // namespace zivek::backplot
