#include "output/press.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cycles/cycles.h"
#include "support/program_lines.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::fileBytes;
using testing::splitLines;
using testing::straightDefaults;
using testing::withBoxes;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string batchBytes =
    "Cls\r\nCD\\\r\nCls\r\ncd\\\r\nC:\r\ncd Program Files\r\ncd NCPlot v2.05\r\n"
    "NCPlot.exe/ALANTEMIZLEME.TXT\r\n";

struct RecordingViewer final : ViewerLauncher {
    std::vector<fs::path> started;
    void start(const fs::path& batchFile, const fs::path& programFile) override {
        EXPECT_TRUE(fs::exists(batchFile));
        started.push_back(programFile);
    }
};

class Press : public ::testing::Test {
  protected:
    PressResult pressInternal(const BoxTexts& boxes) {
        return press(internalDiameterCycle(), boxes, place, viewer);
    }
    testing::TempFolder folder;
    OutputPlace place{folder.path()};
    RecordingViewer viewer;
};

TEST_F(Press, WritesTheDefaultInternalDiameterProgramByteForByte) {
    const PressResult result = pressInternal(straightDefaults);
    ASSERT_TRUE(result.written());

    std::string expected = "M08\r\nM03\r\nS6\r\nG54\r\nG0X0Y0\r\n";
    for (int depth = 1; depth <= 11; ++depth) {
        const std::string d = std::to_string(depth);
        expected += "G0U" + d + "\r\nG1W-60F111\r\nG0U-" + d + "W60\r\n";
    }
    expected += "G0U12\r\nG1W-60F111\r\nU-12F55.5\r\nG0W60\r\nM05\r\nM30\r\n%\r\n";
    ASSERT_EQ(expected.size(), 389u);
    EXPECT_EQ(result.programText, expected);

    const std::string file = fileBytes(place.outputFile());
    EXPECT_EQ(file.size(), 391u);
    EXPECT_EQ(file, expected + "\r\n");
    EXPECT_EQ(file.find(' '), std::string::npos);
    EXPECT_EQ(fileBytes(place.batchFile()), batchBytes);
    EXPECT_EQ(batchBytes.size(), 89u);
    EXPECT_EQ(viewer.started, std::vector<fs::path>{place.outputFile()});
}

TEST_F(Press, ReplacesBothFilesWholeAtEveryPress) {
    writeBytes(place.batchFile(),
               "old batch that is longer than eighty-nine bytes " + std::string(100, 'x'));
    ASSERT_TRUE(pressInternal(withBoxes(straightDefaults, {{"Text4", "0.01"}})).written());
    const PressResult second = press(externalTaperCycle(), testing::taperDefaults, place, viewer);
    ASSERT_TRUE(second.written());
    EXPECT_EQ(fileBytes(place.outputFile()), second.programText + "\r\n");
    EXPECT_EQ(fileBytes(place.batchFile()), batchBytes);
    EXPECT_EQ(viewer.started.size(), 2u);
}

TEST_F(Press, RefusalLeavesFilesUntouchedAndStartsNothing) {
    writeBytes(place.outputFile(), "earlier program\r\n");
    writeBytes(place.batchFile(), "earlier batch");
    const struct {
        BoxTexts boxes;
        MessageKey key;
    } refusals[] = {
        {withBoxes(straightDefaults, {{"Text14", "2"}, {"Text13", "1"}}),
         MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{"Text14", ""}, {"Text12", "3"}}),
         MessageKey::SpindleNotBinary},
        {withBoxes(straightDefaults, {{"Text13", ""}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{"Text13", "0,5"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{"Text13", "100.5"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{"Text13", "4.99"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{"Text14", "0.5"}}), MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{"Text14", "-1"}}), MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{"Text4", ""}, {"Text13", "1"}}), MessageKey::PlungeZero},
    };
    for (const auto& [boxes, key] : refusals) {
        const PressResult result = pressInternal(boxes);
        EXPECT_EQ(result.outcome, PressResult::Outcome::Refused);
        EXPECT_EQ(result.refusal, key);
        EXPECT_EQ(result.message(), messageText(key));
    }
    EXPECT_EQ(fileBytes(place.outputFile()), "earlier program\r\n");
    EXPECT_EQ(fileBytes(place.batchFile()), "earlier batch");
    EXPECT_TRUE(viewer.started.empty());
}

TEST_F(Press, WritesTheSharedOpeningLinesAsTyped) {
    const struct {
        BoxTexts changes;
        std::vector<std::string> opening;
    } cases[] = {
        {{{"Text14", "0"}}, {"M09", "M03", "S6"}},
        {{{"Text14", ""}}, {"M09", "M03", "S6"}},
        {{{"Text14", "1x"}, {"Text12", "1"}}, {"M08", "M04", "S6"}},
        {{{"Text13", "5"}}, {"M08", "M03", "S5"}},
        {{{"Text13", "100"}}, {"M08", "M03", "S100"}},
        {{{"Text13", "6.5"}}, {"M08", "M03", "S6.5"}},
        {{{"Text13", "10,5"}}, {"M08", "M03", "S10.5"}},
    };
    for (const auto& [changes, opening] : cases) {
        BoxTexts boxes = straightDefaults;
        for (const auto& [name, text] : changes) boxes[name] = text;
        const PressResult result = pressInternal(boxes);
        ASSERT_TRUE(result.written());
        const auto lines = splitLines(result.programText);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), opening);
    }
}

// Real faults in the folder: the press says which file failed and starts no viewer.
TEST_F(Press, ReportsFileFaultsWithThePathAndStartsNoViewer) {
    const fs::path output = place.outputFile();
    const fs::path batch = place.batchFile();
    const struct {
        const char* what;
        std::function<void()> make;
        fs::path faulty;
        bool boxCleared;
    } faults[] = {
        {"folder at the output file", [&] { fs::create_directory(output); }, output, false},
        {"folder at the batch file", [&] { fs::create_directory(batch); }, batch, false},
        {"batch file on a full disk", [&] { fs::create_symlink("/dev/full", batch); }, batch,
         false},
    };
    for (const auto& fault : faults) {
        fault.make();
        const PressResult result = pressInternal(straightDefaults);
        EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault) << fault.what;
        EXPECT_EQ(result.faultyFile, fault.faulty) << fault.what;
        EXPECT_EQ(result.outputBoxCleared, fault.boxCleared) << fault.what;
        EXPECT_EQ(result.message(), "DOSYA YAZILAMADI: " + fault.faulty.string());
        EXPECT_TRUE(viewer.started.empty()) << fault.what;
        fs::remove(fault.faulty);
        EXPECT_TRUE(pressInternal(straightDefaults).written()) << fault.what;
        viewer.started.clear();
        fs::remove(output);
        fs::remove(batch);
    }
}

TEST_F(Press, ReportsAMissingFolder) {
    const OutputPlace nowhere{folder.path() / "no-such-home"};
    const PressResult result = press(internalDiameterCycle(), straightDefaults, nowhere, viewer);
    EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault);
    EXPECT_EQ(result.faultyFile, nowhere.outputFile());
    EXPECT_TRUE(viewer.started.empty());
}

// A link to a full disk at the output file is removed by the press before the program
// is written, so the program lands in a plain file.
TEST_F(Press, ReplacesALinkAtTheOutputFileWithTheProgram) {
    fs::create_symlink("/dev/full", place.outputFile());
    const PressResult result = pressInternal(straightDefaults);
    ASSERT_TRUE(result.written());
    EXPECT_FALSE(fs::is_symlink(place.outputFile()));
    EXPECT_EQ(fileBytes(place.outputFile()), result.programText + "\r\n");
}

}  // namespace
}  // namespace zivek
