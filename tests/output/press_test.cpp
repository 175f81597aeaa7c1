#include "output/press.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cycles/cycles.h"
#include "output/control_names.h"
#include "support/batch_bytes.h"
#include "support/held_file.h"
#include "support/memory_disk.h"
#include "support/message_texts.h"
#include "support/press_disk_steps.h"
#include "support/program_lines.h"
#include "support/recording_viewer.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::fileBytes;
using testing::splitLines;
using testing::straightDefaults;
using testing::withBoxes;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string batchBytes(testing::expectedBatchBytes);

class Press : public ::testing::Test {
  protected:
    PressResult pressInternal(const BoxTexts& boxes) {
        return press(internalDiameterCycle(), boxes, place, viewer);
    }
    std::vector<fs::path> startedPrograms() const {
        std::vector<fs::path> programs;
        for (const auto& [batch, program] : viewer.starts) {
            EXPECT_EQ(batch, place.batchFile());
            programs.push_back(program);
        }
        return programs;
    }
    testing::TempFolder folder;
    OutputPlace place{folder.path()};
    testing::RecordingViewer viewer;
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
    EXPECT_EQ(result.programText, expected);

    const std::string file = fileBytes(place.outputFile());
    EXPECT_EQ(file.size(), 391u);
    EXPECT_EQ(file, expected + "\r\n");
    EXPECT_EQ(fileBytes(place.batchFile()), batchBytes);
    EXPECT_EQ(fileBytes(place.batchFile()).size(), 89u);
    EXPECT_EQ(startedPrograms(), std::vector<fs::path>{place.outputFile()});
}

TEST_F(Press, ReplacesBothFilesWholeAtEveryPress) {
    writeBytes(place.batchFile(),
               "old batch that is longer than eighty-nine bytes " + std::string(100, 'x'));
    ASSERT_TRUE(pressInternal(withBoxes(straightDefaults, {{control::Text4, "0.01"}})).written());
    const PressResult second = press(externalTaperCycle(), testing::taperDefaults, place, viewer);
    ASSERT_TRUE(second.written());
    EXPECT_EQ(fileBytes(place.outputFile()), second.programText + "\r\n");
    EXPECT_EQ(fileBytes(place.batchFile()), batchBytes);
    EXPECT_EQ(startedPrograms().size(), 2u);
}

TEST_F(Press, RefusalLeavesFilesUntouchedAndStartsNothing) {
    writeBytes(place.outputFile(), "earlier program\r\n");
    writeBytes(place.batchFile(), "earlier batch");
    const struct {
        BoxTexts boxes;
        MessageKey key;
    } refusals[] = {
        {withBoxes(straightDefaults, {{control::Text14, "2"}, {control::Text13, "1"}}),
         MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{control::Text14, ""}, {control::Text12, "3"}}),
         MessageKey::SpindleNotBinary},
        {withBoxes(straightDefaults, {{control::Text13, ""}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{control::Text13, "0,5"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{control::Text13, "100.5"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{control::Text13, "4.99"}}), MessageKey::SpeedOutOfRange},
        {withBoxes(straightDefaults, {{control::Text14, "0.5"}}), MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{control::Text14, "-1"}}), MessageKey::CoolantNotBinary},
        {withBoxes(straightDefaults, {{control::Text4, ""}, {control::Text13, "1"}}),
         MessageKey::PlungeZero},
    };
    for (const auto& [boxes, key] : refusals) {
        const PressResult result = pressInternal(boxes);
        EXPECT_EQ(result.outcome, PressResult::Outcome::Refused);
        EXPECT_EQ(result.message(), testing::expectedMessage(key));
    }
    EXPECT_EQ(fileBytes(place.outputFile()), "earlier program\r\n");
    EXPECT_EQ(fileBytes(place.batchFile()), "earlier batch");
    EXPECT_TRUE(viewer.starts.empty());
}

TEST_F(Press, WritesTheSharedOpeningLinesAsTyped) {
    const struct {
        BoxTexts changes;
        std::vector<std::string> opening;
    } cases[] = {
        {{{control::Text14, "0"}}, {"M09", "M03", "S6"}},
        {{{control::Text14, ""}}, {"M09", "M03", "S6"}},
        {{{control::Text14, "1x"}, {control::Text12, "1"}}, {"M08", "M04", "S6"}},
        {{{control::Text13, "5"}}, {"M08", "M03", "S5"}},
        {{{control::Text13, "100"}}, {"M08", "M03", "S100"}},
        {{{control::Text13, "6.5"}}, {"M08", "M03", "S6.5"}},
        {{{control::Text13, "10,5"}}, {"M08", "M03", "S10.5"}},
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

// A fault at each file operation in turn: the press names the file, starts no viewer,
// says whether the output box was already emptied, and leaves the two files as the
// operations before the fault made them.
TEST(PressOnAFailingDisk, StopsAtEachFileOperationWithTheFilesAsLeft) {
    const OutputPlace place{"home"};
    const std::string earlierProgram = "earlier program\r\n";
    const std::string earlierBatch = "earlier batch";
    const auto freshDisk = [&] {
        testing::MemoryDisk disk;
        disk.files[place.outputFile()] = earlierProgram;
        disk.files[place.batchFile()] = earlierBatch;
        return disk;
    };
    testing::RecordingViewer viewer;

    testing::MemoryDisk clean = freshDisk();
    const PressResult written =
        press(internalDiameterCycle(), straightDefaults, place, viewer, clean);
    ASSERT_TRUE(written.written());
    ASSERT_EQ(clean.log.size(), testing::pressDiskSteps.size());
    const std::string program = written.programText;
    ASSERT_EQ(clean.bytes(place.outputFile()), program + "\r\n");

    for (std::size_t at = 0; at < testing::pressDiskSteps.size(); ++at) {
        const testing::PressDiskStep& expected = testing::pressDiskSteps[at];
        const fs::path file =
            expected.file == testing::Which::Output ? place.outputFile() : place.batchFile();
        const auto holds = [&](testing::Holds what,
                               const std::string& earlier) -> std::optional<std::string> {
            switch (what) {
                case testing::Holds::Earlier:
                    return earlier;
                case testing::Holds::Absent:
                    return std::nullopt;
                case testing::Holds::Empty:
                    return "";
                case testing::Holds::BatchLines:
                    return batchBytes;
                case testing::Holds::RawProgram:  // checked on its own below
                    return std::nullopt;
                case testing::Holds::Program:
                    return program + "\r\n";
            }
            return std::nullopt;
        };
        testing::MemoryDisk disk = freshDisk();
        disk.failAt(at);
        viewer.starts.clear();

        const PressResult result =
            press(internalDiameterCycle(), straightDefaults, place, viewer, disk);

        SCOPED_TRACE("fault at operation " + std::to_string(at));
        ASSERT_EQ(disk.log.size(), at + 1);
        EXPECT_EQ(disk.log.back(), (testing::MemoryDisk::Operation{expected.step, file}));
        EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault);
        EXPECT_EQ(result.faultyFile, file);
        EXPECT_EQ(result.message(), "DOSYA YAZILAMADI: " + file.string());
        EXPECT_EQ(result.outputBoxCleared, expected.boxCleared);
        EXPECT_EQ(result.programText, "");
        EXPECT_TRUE(viewer.starts.empty());
        EXPECT_EQ(disk.bytes(place.batchFile()), holds(expected.batch, earlierBatch));
        if (expected.output == testing::Holds::RawProgram) {
            // The raw lines: the program with the blanks around its numbers.
            const std::string raw = disk.bytes(place.outputFile()).value_or("");
            EXPECT_NE(raw.find(" 6 \r\n"), std::string::npos) << raw;
            std::string withoutBlanks = raw;
            std::erase(withoutBlanks, ' ');
            EXPECT_EQ(withoutBlanks, program);
        } else {
            EXPECT_EQ(disk.bytes(place.outputFile()), holds(expected.output, earlierProgram));
        }
    }
}

// Real faults in the folder: the press says which file failed and starts no viewer.
TEST_F(Press, ReportsFileFaultsWithThePathAndStartsNoViewer) {
    const fs::path output = place.outputFile();
    const fs::path batch = place.batchFile();
    std::shared_ptr<void> held;  // what a fault keeps open while the press runs
    const struct {
        const char* what;
        std::function<void()> make;
        fs::path faulty;
        bool boxCleared;
    } faults[] = {
        {"folder at the output file", [&] { fs::create_directory(output); }, output, false},
        {"folder at the batch file", [&] { fs::create_directory(batch); }, batch, false},
#ifdef _WIN32
        {"batch file held by another program",
         [&] { held = std::make_shared<testing::HeldFile>(batch); }, batch, false},
#else
        {"batch file on a full disk", [&] { fs::create_symlink("/dev/full", batch); }, batch,
         false},
#endif
    };
    for (const auto& fault : faults) {
        fault.make();
        const PressResult result = pressInternal(straightDefaults);
        EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault) << fault.what;
        EXPECT_EQ(result.faultyFile, fault.faulty) << fault.what;
        EXPECT_EQ(result.outputBoxCleared, fault.boxCleared) << fault.what;
        EXPECT_EQ(result.message(), "DOSYA YAZILAMADI: " + fault.faulty.string());
        EXPECT_TRUE(viewer.starts.empty()) << fault.what;
        held.reset();
        fs::remove(fault.faulty);
        EXPECT_TRUE(pressInternal(straightDefaults).written()) << fault.what;
        viewer.starts.clear();
        fs::remove(output);
        fs::remove(batch);
    }
}

// A read-only file at the output file's place, as a user or a backup tool leaves it.
// Whoever may write read-only files anyway (root on Linux) cannot see this fault.
TEST_F(Press, ReportsAReadOnlyOutputFileAndLeavesIt) {
    const fs::path output = place.outputFile();
    writeBytes(output, "earlier program\r\n");
    fs::permissions(output,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool writableAnyway = std::ofstream(output, std::ios::app).is_open();
    if (!writableAnyway) {
        const PressResult result = pressInternal(straightDefaults);
        EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault);
        EXPECT_EQ(result.faultyFile, output);
        EXPECT_FALSE(result.outputBoxCleared);
        EXPECT_EQ(fileBytes(output), "earlier program\r\n");
        EXPECT_FALSE(fs::exists(place.batchFile()));
        EXPECT_TRUE(viewer.starts.empty());
    }
    fs::permissions(output, fs::perms::owner_write, fs::perm_options::add);
    if (writableAnyway) GTEST_SKIP() << "this user writes read-only files anyway";
}

TEST_F(Press, ReportsAMissingFolder) {
    const OutputPlace nowhere{folder.path() / "no-such-home"};
    const PressResult result = press(internalDiameterCycle(), straightDefaults, nowhere, viewer);
    EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault);
    EXPECT_EQ(result.faultyFile, nowhere.outputFile());
    EXPECT_TRUE(viewer.starts.empty());
}

// Whatever stands at the output file is removed by the press before the program is
// written, so the program lands in a plain file of its own: neither a second name of
// another file nor (where there are such links) a link to a full disk takes it.
TEST_F(Press, ReplacesALinkAtTheOutputFileWithTheProgram) {
    const fs::path other = folder.path() / "other.txt";
    const struct {
        const char* what;
        std::function<void()> make;
    } links[] = {
        {"second name of another file",
         [&] {
             writeBytes(other, "other file\r\n");
             fs::create_hard_link(other, place.outputFile());
         }},
#ifndef _WIN32
        {"link to a full disk", [&] { fs::create_symlink("/dev/full", place.outputFile()); }},
#endif
    };
    for (const auto& link : links) {
        link.make();
        const PressResult result = pressInternal(straightDefaults);
        ASSERT_TRUE(result.written()) << link.what;
        EXPECT_FALSE(fs::is_symlink(place.outputFile())) << link.what;
        EXPECT_EQ(fs::hard_link_count(place.outputFile()), 1u) << link.what;
        EXPECT_EQ(fileBytes(place.outputFile()), result.programText + "\r\n") << link.what;
        fs::remove(place.outputFile());
    }
    // Opening the output file cuts it first, through the second name as well; the
    // program itself never reaches the other file.
    EXPECT_EQ(fileBytes(other), "");
}

}  // namespace
}  // namespace zivek
