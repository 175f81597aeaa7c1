// When the first folder refuses the files (the root of C: for a standard account on
// current Windows), the press writes both to the fallback folder and says nothing; only
// a fault there too is told, naming the fallback's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "cycles/cycles.h"
#include "output/press.h"
#include "support/batch_bytes.h"
#include "support/held_file.h"
#include "support/memory_disk.h"
#include "support/press_disk_steps.h"
#include "support/program_lines.h"
#include "support/recording_viewer.h"
#include "support/temp_folder.h"

namespace zivek {
namespace {

using testing::fileBytes;
using testing::straightDefaults;
namespace fs = std::filesystem;
using Start = std::pair<fs::path, fs::path>;

const std::string batchBytes{testing::expectedBatchBytes};

// The program of the defaults, as a press at a sound place writes it.
std::string defaultProgram() {
    testing::MemoryDisk disk;
    NoViewer none;
    return press(internalDiameterCycle(), straightDefaults, OutputPlace{"sound"}, none, disk)
        .programText;
}

// A fault at any file operation at the first folder: the fallback gets both files whole
// and the viewer opens them there.
TEST(PressFallback, WritesBothFilesAtTheFallbackAfterAFaultAtAnyStep) {
    const OutputPlace place{"root", "profile"};
    const OutputPlace fallback{"profile"};
    const std::string program = defaultProgram();
    for (std::size_t at = 0; at < testing::pressDiskSteps.size(); ++at) {
        SCOPED_TRACE("fault at operation " + std::to_string(at));
        testing::MemoryDisk disk;
        disk.failAt(at);
        testing::RecordingViewer viewer;

        const PressResult result =
            press(internalDiameterCycle(), straightDefaults, place, viewer, disk);

        ASSERT_TRUE(result.written());
        EXPECT_EQ(result.message(), "");
        EXPECT_EQ(result.programText, program);
        EXPECT_EQ(result.outputBoxCleared, true);
        EXPECT_EQ(disk.bytes(fallback.outputFile()), program + "\r\n");
        EXPECT_EQ(disk.bytes(fallback.batchFile()), batchBytes);
        EXPECT_EQ(viewer.starts,
                  (std::vector<Start>{{fallback.batchFile(), fallback.outputFile()}}));
    }
}

// The fallback is a profile folder, whose name may carry Turkish letters: the message
// names it in UTF-8 with the system's separators.
TEST(PressFallback, TellsTheFallbacksFaultWhenBothPlacesFail) {
    testing::TempFolder folder;
    const OutputPlace place{folder.path() / "no-root", folder.path() / u8"Gülşen Öztürk"};
    testing::RecordingViewer viewer;

    const PressResult result = press(internalDiameterCycle(), straightDefaults, place, viewer);

    EXPECT_EQ(result.outcome, PressResult::Outcome::FileFault);
    EXPECT_EQ(result.faultyFile, OutputPlace{place.fallbackFolder}.outputFile());
#ifdef _WIN32
    const std::string tail = "\\Gülşen Öztürk\\ALANTEMIZLEME.TXT";
#else
    const std::string tail = "/Gülşen Öztürk/ALANTEMIZLEME.TXT";
#endif
    const std::string message = result.message();
    EXPECT_TRUE(message.starts_with("DOSYA YAZILAMADI: ")) << message;
    EXPECT_TRUE(message.ends_with(tail)) << message;
    EXPECT_EQ(result.outputBoxCleared, false);
    EXPECT_TRUE(viewer.starts.empty());
}

// Real refusals at the first folder, each with the program landing in the fallback.
TEST(PressFallback, UsesTheFallbackWhenTheFirstFolderRefusesOnDisk) {
    testing::TempFolder folder;
    const OutputPlace first{folder.path() / "root"};
    const OutputPlace fallback{folder.path() / "profile"};
    fs::create_directories(first.folder);
    fs::create_directories(fallback.folder);
    std::shared_ptr<void> held;  // what a fault keeps open while the press runs
    const struct {
        const char* what;
        std::function<void()> make;
    } refusals[] = {
        {"first folder missing", [&] { fs::remove(first.folder); }},
        {"folder at the batch file", [&] { fs::create_directory(first.batchFile()); }},
#ifdef _WIN32
        {"output file held by another program",
         [&] { held = std::make_shared<testing::HeldFile>(first.outputFile()); }},
#else
        {"batch file on a full disk", [&] { fs::create_symlink("/dev/full", first.batchFile()); }},
#endif
    };
    const std::string program = defaultProgram();
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        refusal.make();
        testing::RecordingViewer viewer;

        const PressResult result = press(internalDiameterCycle(), straightDefaults,
                                         {first.folder, fallback.folder}, viewer);

        ASSERT_TRUE(result.written());
        EXPECT_EQ(fileBytes(fallback.outputFile()), program + "\r\n");
        EXPECT_EQ(fileBytes(fallback.batchFile()), batchBytes);
        EXPECT_EQ(viewer.starts,
                  (std::vector<Start>{{fallback.batchFile(), fallback.outputFile()}}));
        held.reset();
        fs::remove_all(first.folder);
        fs::create_directories(first.folder);
        fs::remove(fallback.outputFile());
        fs::remove(fallback.batchFile());
    }
}

// A first folder that takes the files leaves the fallback untouched.
TEST(PressFallback, LeavesTheFallbackAloneWhenTheFirstFolderWrites) {
    testing::MemoryDisk disk;
    testing::RecordingViewer viewer;
    const OutputPlace place{"root", "profile"};
    ASSERT_TRUE(press(internalDiameterCycle(), straightDefaults, place, viewer, disk).written());
    EXPECT_EQ(disk.log.size(), testing::pressDiskSteps.size());
    EXPECT_EQ(disk.bytes(OutputPlace{"profile"}.outputFile()), std::nullopt);
    EXPECT_EQ(viewer.starts, (std::vector<Start>{{place.batchFile(), place.outputFile()}}));
}

}  // namespace
}  // namespace zivek
