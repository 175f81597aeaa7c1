// The viewer's workpiece checks over what the wizard writes: every program of the
// geometric sweep cuts its material without a warning, and hand-edited programs with
// one fault each get theirs.

#include "zivek/workpiece/workpiece_cut.h"

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

namespace zivek::workpiece {
namespace {

using namespace zivek::gcode;
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

// Corners as a sorted list, so that polygons compare whatever corner they start at.
using Corners = std::vector<std::pair<double, double>>;
Corners cornersOf(const ConvexRegion& region) {
    Corners corners;
    for (const Point& p : region.corners) corners.emplace_back(p.z, p.x);
    std::sort(corners.begin(), corners.end());
    return corners;
}
std::vector<Corners> piecesOf(const std::vector<ConvexRegion>& regions) {
    std::vector<Corners> pieces;
    for (const ConvexRegion& r : regions) pieces.push_back(cornersOf(r));
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

// A part Z -20…0, X -10…0 with no material over it, and a unit square insert: each move
// below gouges it or not, and the part keeps exactly what the moves left of it, in strips
// along the sweep's edges. All corners are whole numbers, so the clipped polygons are
// exact.
struct Gouge {
    const char* what;
    const char* program;
    std::vector<Corners> damage;    // in the order of the moves
    std::vector<Corners> partLeft;  // after all moves
};

const Gouge gouges[] = {
    {"rapid plunging across the part's edge",
     "G0X0Z0\nG0 X5 Z-5\nG0 X-3\n",
     {{{-5, -3}, {-5, 0}, {-4, -3}, {-4, 0}}},
     {{{-20, -10}, {-20, -3}, {0, -10}, {0, -3}},
      {{-20, -3}, {-20, 0}, {-5, -3}, {-5, 0}},
      {{-4, -3}, {-4, 0}, {0, -3}, {0, 0}}}},
    {"feed cutting a corner off the part's end",
     "G0X0Z0\nG0 X-2 Z3\nG1 X-2 Z-1 F100\n",
     {{{-1, -2}, {-1, -1}, {0, -2}, {0, -1}}},
     {{{-20, -10}, {-20, -2}, {0, -10}, {0, -2}},
      {{-20, -2}, {-20, -1}, {-1, -2}, {-1, -1}},
      {{-20, -1}, {-20, 0}, {0, -1}, {0, 0}}}},
    {"moves along the part's surface, touching it only",
     "G0X0Z0\nG0 X0 Z2\nG1 Z-20 F100\nG0 X5\n",
     {},
     {{{-20, -10}, {-20, 0}, {0, -10}, {0, 0}}}},
};

TEST(Gouges, CutTheDamageOutOfThePart) {
    const Workpiece workpiece{
        {}, {{{0, 0}, {-20, 0}, {-20, -10}, {0, -10}}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    for (const Gouge& gouge : gouges) {
        auto path = std::make_shared<const Toolpath>(interpret(gouge.program));
        const WorkpieceCut cut(workpiece,
                               std::shared_ptr<const std::vector<Move>>(path, &path->moves));
        std::vector<Corners> damage;
        for (const Damage& d : cut.damage()) damage.push_back(cornersOf(d.region));
        EXPECT_EQ(damage, gouge.damage) << gouge.what;
        EXPECT_EQ(piecesOf(cut.partAfter(path->moves.size())), piecesOf([&] {
                      std::vector<ConvexRegion> expected;
                      for (const Corners& c : gouge.partLeft) {
                          std::vector<Point> points;
                          for (const auto& [z, x] : c) points.push_back({z, x});
                          expected.push_back(convexHull(points));
                      }
                      return expected;
                  }()))
            << gouge.what;
        // Before the gouging move the part is whole.
        const std::size_t first = cut.damage().empty() ? path->moves.size() : cut.damage()[0].move;
        EXPECT_EQ(piecesOf(cut.partAfter(first)), piecesOf(cut.part())) << gouge.what;
    }
}

// The count in the status line and the damage agree: one warning per gouging move.
TEST(Gouges, EachGougeIsAlsoAWarning) {
    const Checked checked = pressFor(Operation::ExternalDiameter, zivek::testing::straightDefaults);
    std::vector<std::string> lines = zivek::testing::splitLines(checked.result.programText);
    lines[38] = "G0U-12.5";
    lines[40] = "U12.5F55.5";
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    auto path = std::make_shared<const Toolpath>(interpret(text));
    const WorkpieceCut cut(checked.workpiece,
                           std::shared_ptr<const std::vector<Move>>(path, &path->moves));
    ASSERT_FALSE(cut.damage().empty());
    for (const Damage& d : cut.damage()) {
        EXPECT_TRUE(
            std::any_of(cut.warnings().begin(), cut.warnings().end(), [&](const CutWarning& w) {
                return w.line == path->moves[d.move].line && w.check != CutCheck::UncutMaterial;
            }));
        EXPECT_GE(thickness(d.region.corners), kWrittenRounding);
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
                            "M:0,0;1,1;2,2", "M:0,0;1,1;2,2|T:0,0;1,0;1,1|T:0,0;1,0;1,1",
                            // a group without its colon, whose first digit would pass for one
                            "M10,0;1,1;2,2|T:0,0;1,0;1,1", "M:0,0;1,1;2,2|T00,0;1,0;1,1",
                            "M:0,0;1,1;2,2|P10,0;1,1;2,2|T:0,0;1,0;1,1", "M", "M:|T:0,0;1,0;1,1"})
        EXPECT_FALSE(readWorkpiece(bad).has_value()) << bad;
}

}  // namespace
}  // namespace zivek::workpiece
