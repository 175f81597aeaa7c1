#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/memory_disk.h"
#include "support/message_texts.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::straightDefaults;
using testing::taperDefaults;
using testing::withBoxes;

// The message of a refused press; empty when the press writes.
std::string refusal(const Cycle& cycle, const BoxTexts& boxes) {
    testing::MemoryDisk disk;
    NoViewer viewer;
    const PressResult result = press(cycle, boxes, OutputPlace{"home"}, viewer, disk);
    return result.outcome == PressResult::Outcome::Refused ? result.message() : "";
}

std::size_t writtenLines(const Cycle& cycle, const BoxTexts& boxes) {
    testing::TempFolder folder;
    NoViewer viewer;
    const PressResult result = press(cycle, boxes, OutputPlace{folder.path()}, viewer);
    EXPECT_TRUE(result.written()) << cycle.name << ": " << result.message();
    return static_cast<std::size_t>(
        std::count(result.programText.begin(), result.programText.end(), '\n'));
}

bool tooSmall(const Cycle& cycle, const BoxTexts& boxes) {
    return refusal(cycle, boxes) == testing::expectedMessage(MessageKey::PlungeTooSmall);
}

// 100,000 passes are accepted and 100,001 refused, counting the finishing pass.
TEST(PassBound, AcceptsExactlyOneHundredThousandPasses) {
    for (const Cycle* cycle :
         {&externalDiameterCycle(), &internalDiameterCycle(), &facingCycle()}) {
        EXPECT_EQ(writtenLines(*cycle, withBoxes(straightDefaults, {{control::Text3, "100000"}})),
                  5 + 3 * 99'999 + 4 + 3u);
        EXPECT_TRUE(tooSmall(*cycle, withBoxes(straightDefaults, {{control::Text3, "100001"}})));
    }
    // taperDepth 100000 with a plunge of 1: a whole passCount gives n passes outside
    // and n + 1 inside.
    const BoxTexts wholeCount =
        withBoxes(taperDefaults, {{control::Text3, "200001"}, {control::Text6, "1"}});
    EXPECT_EQ(writtenLines(externalTaperCycle(), wholeCount), 5 + 3 * 100'000 + 3u);
    EXPECT_TRUE(tooSmall(internalTaperCycle(), wholeCount));
    EXPECT_EQ(
        writtenLines(internalTaperCycle(),
                     withBoxes(taperDefaults, {{control::Text3, "199999"}, {control::Text6, "1"}})),
        5 + 3 * 100'000 + 3u);
}

// Inputs whose passes would never end are refused at once, before anything is written.
TEST(PassBound, RefusesNeverEndingInputs) {
    const struct {
        const Cycle& cycle;
        BoxTexts boxes;
        MessageKey key;
    } cases[] = {
        {externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text3, "1e300"}, {control::Text4, "1e-300"}}),
         MessageKey::PlungeTooSmall},
        {internalDiameterCycle(), withBoxes(straightDefaults, {{control::Text3, "1e300"}}),
         MessageKey::PlungeTooSmall},
        // 1e-400 reads as 0, which its own check refuses first.
        {facingCycle(),
         withBoxes(straightDefaults, {{control::Text3, "1e400"}, {control::Text4, "1e-400x"}}),
         MessageKey::PlungeZero},
        {externalTaperCycle(),
         withBoxes(taperDefaults,
                   {{control::Text3, "1e300"}, {control::Text6, "1"}, {control::Text4, "1e-300"}}),
         MessageKey::PlungeTooSmall},
        {externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text3, "1e20"}, {control::Text6, "1"}}),
         MessageKey::PlungeTooSmall},
        {internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text3, "1e20"}, {control::Text6, "1"}}),
         MessageKey::PlungeTooSmall},
        {internalTaperCycle(), withBoxes(taperDefaults, {{control::Text4, "4.9e-324"}}),
         MessageKey::PlungeTooSmall},
    };
    for (const auto& [cycle, boxes, key] : cases)
        EXPECT_EQ(refusal(cycle, boxes), testing::expectedMessage(key)) << cycle.name;
}

}  // namespace
}  // namespace zivek
