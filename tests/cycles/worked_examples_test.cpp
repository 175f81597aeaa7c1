#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "output/press.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::program;
using testing::splitLines;
using testing::straightDefaults;
using testing::taperDefaults;
using testing::withBoxes;
using Lines = std::vector<std::string>;

// Three lines per pass, each pass given by the texts that change.
Lines passes(const std::vector<std::vector<std::string>>& texts,
             const std::vector<std::string>& pattern) {
    Lines lines;
    for (const auto& values : texts)
        for (std::string line : pattern) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                const std::string mark = std::string("$").append(std::to_string(i));
                for (auto at = line.find(mark); at != std::string::npos; at = line.find(mark))
                    line.replace(at, mark.size(), values[i]);
            }
            lines.push_back(line);
        }
    return lines;
}

std::vector<std::vector<std::string>> upTo(int last) {
    std::vector<std::vector<std::string>> values;
    for (int i = 1; i <= last; ++i) values.push_back({std::to_string(i)});
    return values;
}

const std::vector<std::string> taperLengths = {
    "1.2",  "2.4",  "3.6",  "4.8",  "6",    "7.2",  "8.4",  "9.6",  "10.8",
    "12",   "13.2", "14.4", "15.6", "16.8", "18",   "19.2", "20.4", "21.6",
    "22.8", "24",   "25.2", "26.4", "27.6", "28.8", "30"};

std::vector<std::vector<std::string>> defaultTaperPasses() {
    std::vector<std::vector<std::string>> values;
    for (int i = 0; i < 25; ++i) values.push_back({std::to_string(i + 1), taperLengths[i]});
    return values;
}

struct Example {
    const char* name;
    const Cycle& cycle;
    BoxTexts boxes;
    Lines lines;
};

// Every program goes through the real files: the output box text, and the file with
// one more line end.
void expectProgram(const Example& example) {
    testing::TempFolder folder;
    NoViewer viewer;
    const PressResult result =
        press(example.cycle, example.boxes, OutputPlace{folder.path()}, viewer);
    ASSERT_TRUE(result.written()) << example.name << ": " << result.message();
    EXPECT_EQ(splitLines(result.programText), example.lines) << example.name;
    EXPECT_EQ(testing::fileBytes(folder.path() / "ALANTEMIZLEME.TXT"), result.programText + "\r\n")
        << example.name;
}

TEST(WorkedExamples, StraightCycles) {
    const BoxTexts fractional = withBoxes(straightDefaults, {{control::Text3, "2"},
                                                             {control::Text2, "25.1234"},
                                                             {control::Text4, "0.75"},
                                                             {control::Text5, "80"}});
    const Example examples[] = {
        {"external defaults", externalDiameterCycle(), straightDefaults,
         program({passes(upTo(11), {"G0U-$0", "G1W-60F111", "G0U$0W60"}),
                  {"G0U-12", "G1W-60F111", "U12F55.5", "G0W60"}})},
        {"external plunge 5", externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text4, "5"}}),
         program({passes({{"5"}, {"10"}}, {"G0U-$0", "G1W-60F111", "G0U$0W60"}),
                  {"G0U-12", "G1W-60F111", "U12F55.5", "G0W60"}})},
        {"external fractional", externalDiameterCycle(), fractional,
         program({passes({{".75"}, {"1.5"}}, {"G0U-$0", "G1W-25.123F80", "G0U$0W25.123"}),
                  {"G0U-2", "G1W-25.123F80", "U2F40", "G0W25.123"}})},
        {"internal defaults", internalDiameterCycle(), straightDefaults,
         program({passes(upTo(11), {"G0U$0", "G1W-60F111", "G0U-$0W60"}),
                  {"G0U12", "G1W-60F111", "U-12F55.5", "G0W60"}})},
        {"internal plunge 5", internalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text4, "5"}}),
         program({passes({{"5"}, {"10"}}, {"G0U$0", "G1W-60F111", "G0U-$0W60"}),
                  {"G0U12", "G1W-60F111", "U-12F55.5", "G0W60"}})},
        {"internal fractional", internalDiameterCycle(), fractional,
         program({passes({{".75"}, {"1.5"}}, {"G0U$0", "G1W-25.123F80", "G0U-$0W25.123"}),
                  {"G0U2", "G1W-25.123F80", "U-2F40", "G0W25.123"}})},
        {"facing defaults", facingCycle(), straightDefaults,
         program({passes(upTo(11), {"G0W-$0", "G1U-60F111", "G0W$0U60"}),
                  {"G0W-12", "G1U-60F111", "W12F55.5", "G0U60"}})},
        {"facing plunge 5", facingCycle(), withBoxes(straightDefaults, {{control::Text4, "5"}}),
         program({passes({{"5"}, {"10"}}, {"G0W-$0", "G1U-60F111", "G0W$0U60"}),
                  {"G0W-12", "G1U-60F111", "W12F55.5", "G0U60"}})},
        {"facing plunge equal to depth", facingCycle(),
         withBoxes(straightDefaults, {{control::Text4, "12"}}),
         program({{"G0W-12", "G1U-60F111", "G0W12U60"},
                  {"G0W-12", "G1U-60F111", "W12F55.5", "G0U60"}})},
        {"facing fractional", facingCycle(), fractional,
         program({passes({{".75"}, {"1.5"}}, {"G0W-$0", "G1U-25.123F80", "G0W$0U25.123"}),
                  {"G0W-2", "G1U-25.123F80", "W2F40", "G0U25.123"}})},
    };
    for (const auto& example : examples) expectProgram(example);
}

TEST(WorkedExamples, TaperCycles) {
    const Example examples[] = {
        {"external defaults", externalTaperCycle(), taperDefaults,
         program({passes(defaultTaperPasses(), {"G0U-$0", "G1U$0W-$1F111", "G0X0Z0"})})},
        {"external plunge 10", externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "10"}}),
         program({passes({{"10", "12"}, {"20", "24"}, {"25", "30"}},
                         {"G0U-$0", "G1U$0W-$1F111", "G0X0Z0"})})},
        {"external plunge 5", externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "5"}}),
         program({passes({{"5", "6"}, {"10", "12"}, {"15", "18"}, {"20", "24"}, {"25", "30"}},
                         {"G0U-$0", "G1U$0W-$1F111", "G0X0Z0"})})},
        {"external plunge equal to depth", externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "25"}}),
         program({{"G0U-25", "G1U25W-30F111", "G0X0Z0"}})},
        {"internal defaults", internalTaperCycle(), taperDefaults,
         program({passes(defaultTaperPasses(), {"G0U$0", "G1U-$0W-$1F111", "G0X0Z0"}),
                  {"G0U25", "G1U-25W-30F111", "G0X0Z0"}})},
        {"internal plunge 5", internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "5"}}),
         program({passes(
             {{"5", "6"}, {"10", "12"}, {"15", "18"}, {"20", "24"}, {"25", "30"}, {"25", "30"}},
             {"G0U$0", "G1U-$0W-$1F111", "G0X0Z0"})})},
        {"internal plunge equal to depth", internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "25"}}),
         program({passes({{"25"}, {"25"}}, {"G0U$0", "G1U-$0W-30F111", "G0X0Z0"})})},
        {"internal fractional count", internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text6, "10"}, {control::Text4, "20"}}),
         program({passes({{"20", "13.333"}, {"40", "26.667"}, {"45", "30"}},
                         {"G0U$0", "G1U-$0W-$1F111", "G0X0Z0"})})},
        {"internal plunge 10", internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text4, "10"}}),
         program({passes({{"10", "12"}, {"20", "24"}, {"25", "30"}},
                         {"G0U$0", "G1U-$0W-$1F111", "G0X0Z0"})})},
    };
    for (const auto& example : examples) expectProgram(example);
}

struct Edge {
    const char* name;
    const Cycle& cycle;
    BoxTexts boxes;
    std::size_t lineIndex;  // from the first pass line on
    Lines lines;
};

TEST(WorkedExamples, HardValuesWriteExactLines) {
    const Edge edges[] = {
        // Ten times 0.01 stays a little below 0.1, so a tenth roughing pass cuts at .1.
        {"external tenth pass",
         externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text3, "0.1"}, {control::Text4, "0.01"}}),
         27,
         {"G0U-.1", "G1W-60F111", "G0U.1W60", "G0U-.1", "G1W-60F111", "U.1F55.5", "G0W60"}},
        {"internal tenth pass",
         internalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text3, "0.1"}, {control::Text4, "0.01"}}),
         27,
         {"G0U.1", "G1W-60F111", "G0U-.1W60", "G0U.1"}},
        {"facing tenth pass",
         facingCycle(),
         withBoxes(straightDefaults, {{control::Text3, "0.1"}, {control::Text4, "0.01"}}),
         27,
         {"G0W-.1", "G1U-60F111", "G0W.1U60", "G0W-.1"}},
        // Every pass returns over the rounded length, as it cut, back to the origin.
        {"external length with 4 decimals",
         externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text2, "60.0004"}}),
         0,
         {"G0U-1", "G1W-60F111", "G0U1W60", "G0U-2", "G1W-60F111", "G0U2W60"}},
        {"internal length with 4 decimals",
         internalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text2, "60.0004"}}),
         0,
         {"G0U1", "G1W-60F111", "G0U-1W60", "G0U2"}},
        {"facing length with 4 decimals",
         facingCycle(),
         withBoxes(straightDefaults, {{control::Text2, "60.0004"}}),
         0,
         {"G0W-1", "G1U-60F111", "G0W1U60", "G0W-2"}},
        {"internal length rounding to zero",
         internalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text2, "0.0004"}}),
         33,
         {"G0U12", "G1W0F111", "U-12F55.5", "G0W0"}},
        {"external zero feed",
         externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text5, "0"}}),
         33,
         {"G0U-12", "G1W-60F0", "U12F0", "G0W60"}},
        {"facing negative feed",
         facingCycle(),
         withBoxes(straightDefaults, {{control::Text5, "-111"}}),
         33,
         {"G0W-12", "G1U-60F-111", "W12F-55.5", "G0U60"}},
        {"external feed as typed",
         externalDiameterCycle(),
         withBoxes(straightDefaults, {{control::Text5, "0.12345"}}),
         0,
         {"G0U-1", "G1W-60F.12345"}},
        {"external taper zero length",
         externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text2, "0"}}),
         0,
         {"G0U-1", "G1U1W0F111", "G0X0Z0"}},
        {"internal taper zero length",
         internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text2, "0"}}),
         0,
         {"G0U1", "G1U-1W0F111", "G0X0Z0"}},
        // The last pass reaches taperDepth exactly by adding plunges and takes the length
        // as typed; the sum of the length steps is a hair longer and would round to 30.001.
        {"external taper last pass at the cap",
         externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text3, "3.8"},
                                   {control::Text6, "1.4"},
                                   {control::Text4, "0.1"},
                                   {control::Text2, "30.0005"}}),
         30,
         {"G0U-1.1", "G1U1.1W-27.5F111", "G0X0Z0", "G0U-1.2", "G1U1.2W-30F111", "G0X0Z0", "M05"}},
        // Inside, a pass that reaches taperDepth exactly is not capped: it keeps the sum of
        // the length steps.
        {"internal taper last pass at taperDepth",
         internalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text3, "3.8"},
                                   {control::Text6, "1.4"},
                                   {control::Text4, "0.1"},
                                   {control::Text2, "30.0005"}}),
         30,
         {"G0U1.1", "G1U-1.1W-27.5F111", "G0X0Z0", "G0U1.2", "G1U-1.2W-30.001F111", "G0X0Z0",
          "M05"}},
        {"external taper zero feed",
         externalTaperCycle(),
         withBoxes(taperDefaults, {{control::Text5, "0"}}),
         0,
         {"G0U-1", "G1U1W-1.2F0"}},
    };
    for (const auto& edge : edges) {
        testing::TempFolder folder;
        NoViewer viewer;
        const PressResult result =
            press(edge.cycle, edge.boxes, OutputPlace{folder.path()}, viewer);
        ASSERT_TRUE(result.written()) << edge.name;
        const Lines lines = splitLines(result.programText);
        const std::size_t first = 5 + edge.lineIndex;
        ASSERT_LE(first + edge.lines.size(), lines.size()) << edge.name;
        EXPECT_EQ(Lines(lines.begin() + first, lines.begin() + first + edge.lines.size()),
                  edge.lines)
            << edge.name;
    }
}

}  // namespace
}  // namespace zivek
