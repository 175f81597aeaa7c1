// Subroutines in files of their own, as LinuxCNC finds them on its SUBROUTINE_PATH:
// name.ngc holding "o<name> sub" ... "o<name> endsub". The files are given in memory;
// one test reads them from folders on the disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/reading_options.h"
#include "support/temp_folder.h"
#include "zivek/gcode/subroutine_source.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

using Files = std::map<std::string, std::string, std::less<>>;

// Subroutine files by name, in memory; it notes each name it is asked for.
class MemorySubroutines final : public SubroutineSource {
  public:
    explicit MemorySubroutines(Files files) : files_(std::move(files)) {}
    std::optional<std::string> read(std::string_view fileName) const override {
        asked.emplace_back(fileName);
        const auto found = files_.find(fileName);
        if (found == files_.end()) return std::nullopt;
        return found->second;
    }
    mutable std::vector<std::string> asked;

  private:
    Files files_;
};

Toolpath read(const std::string& program, std::shared_ptr<const SubroutineSource> files) {
    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    options.subroutines = std::move(files);
    return interpret(program, options);
}

Toolpath read(const std::string& program, Files files) {
    return read(program, std::make_shared<MemorySubroutines>(std::move(files)));
}

std::vector<Point> ends(const Toolpath& path) {
    std::vector<Point> out;
    for (const Move& m : path.moves) out.push_back(m.to);
    return out;
}

std::vector<std::uint32_t> linesOf(const Toolpath& path) {
    std::vector<std::uint32_t> out;
    for (const Move& m : path.moves) out.push_back(m.line);
    return out;
}

const char* kGroove =
    "; a groove at #1, #2 deep, as a macro file writes it\n"
    "o<groove> sub\n"
    "G0 X#1\n"
    "G1 X[#1-#2] F50\n"
    "G0 X#1\n"
    "o<groove> endsub [#1-#2]\n"
    "M2\n";

TEST(SubroutineFiles, RunAsIfInTheProgramOnTheCallingLine) {
    // Called by any case of its name; its arguments and its value as in the program.
    const Toolpath path = read("G18 G8 G0 X20 Z0\no<Groove> call [10] [3]\nG0 X#<_value> Z1\n",
                               {{"groove.ngc", kGroove}});
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 20}, {0, 10}, {0, 7}, {0, 10}, {1, 7}}));
    // The file's moves belong to the program's line that called it.
    EXPECT_EQ(linesOf(path), (std::vector<std::uint32_t>{0, 1, 1, 1, 2}));
}

TEST(SubroutineFiles, NamesAreAskedForInLowerCase) {
    const auto files = std::make_shared<MemorySubroutines>(
        Files{{"oluğ.ngc", "o<oluğ> sub\nG0 X#1\no<oluğ> endsub\n"}});
    // Letters beyond ASCII are taken as they are written.
    const Toolpath path = read("G18 G8 G0 X20 Z0\no<OLUğ> call [4]\n", files);
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 20}, {0, 4}}));
    EXPECT_EQ(files->asked, std::vector<std::string>{"oluğ.ngc"});
}

TEST(SubroutineFiles, EachFileIsAskedForOnce) {
    const auto files = std::make_shared<MemorySubroutines>(Files{{"groove.ngc", kGroove}});
    const Toolpath path = read(
        "G18 G8 G0 X20 Z0\no<groove> call [10] [1]\no<nowhere> call\n"
        "o<GROOVE> call [10] [2]\no<nowhere> call\n",
        files);
    EXPECT_EQ(ends(path),
              (std::vector<Point>{{0, 20}, {0, 10}, {0, 9}, {0, 10}, {0, 10}, {0, 8}, {0, 10}}));
    EXPECT_EQ(files->asked, (std::vector<std::string>{"groove.ngc", "nowhere.ngc"}));
}

TEST(SubroutineFiles, FilesCallFilesAndTheirOwnSubroutines) {
    const Toolpath path =
        read("G18 G8 G0 X9 Z0\no<outer> call [3]\nG0 X9\n",
             {{"outer.ngc",
               "o<step> sub\nG1 Z[#<_z>-1] F100\no<step> endsub\n"
               "o<outer> sub\no<step> call\no<inner> call [#1]\no<outer> endsub\n"},
              // inner.ngc calls outer.ngc again while outer runs: the depth ends it.
              {"inner.ngc",
               "o<inner> sub\nG1 X#1\no10 if [#1 GT 1]\no<outer> call [#1-1]\n"
               "o10 endif\no<inner> endsub\n"}});
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path),
              (std::vector<Point>{
                  {0, 9}, {-1, 9}, {-1, 3}, {-2, 3}, {-2, 2}, {-3, 2}, {-3, 1}, {-3, 9}}));
    EXPECT_EQ(linesOf(path), (std::vector<std::uint32_t>{0, 1, 1, 1, 1, 1, 1, 2}));
}

TEST(SubroutineFiles, WhatIsMissingIsWarnedOnTheCallingLine) {
    struct Case {
        const char* call;
        const char* word;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {"o<nowhere> call [1]", "nowhere.ngc", {"nowhere.ngc"}},
        {"o<empty> call", "empty.ngc: o<empty>", {"empty.ngc"}},
        // A name never leads out of where the files are.
        {"o<../outside> call", "o<../outside>", {}},
        {"o<a:b> call", "o<a:b>", {}},
        {"o123 call", "123.ngc", {"123.ngc"}},
    };
    for (const Case& c : cases) {
        const auto files = std::make_shared<MemorySubroutines>(
            Files{{"empty.ngc", "(no subroutine here)\nG0 X99\n"},
                  {"../outside.ngc", "o<../outside> sub\nG0 X99\no<../outside> endsub\n"}});
        const Toolpath path = read(std::string("G18 G8 G0 X1 Z0\n") + c.call + "\nG0 X2\n", files);
        ASSERT_EQ(path.warnings.size(), 1u) << c.call;
        EXPECT_EQ(path.warnings[0].code, Warning::SubroutineFileMissing) << c.call;
        EXPECT_EQ(path.warnings[0].line, 1u) << c.call;
        EXPECT_EQ(path.warnings[0].word, c.word) << c.call;
        EXPECT_EQ(ends(path), (std::vector<Point>{{0, 1}, {0, 2}})) << c.call;
        EXPECT_EQ(files->asked, c.asked) << c.call;
    }
}

TEST(SubroutineFiles, WithoutASourceTheProgramIsReadAlone) {
    const Toolpath path = interpret("G18 G8 G0 X1 Z0\no<groove> call [10] [3]\nG0 X2\n",
                                    zivek::testing::readingAs(Dialect::LinuxCnc));
    ASSERT_EQ(path.warnings.size(), 1u);
    EXPECT_EQ(path.warnings[0].code, Warning::CycleMissingContour);
    EXPECT_EQ(path.warnings[0].word, "o<groove>");
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 1}, {0, 2}}));
}

TEST(SubroutineFiles, ACallWithoutEndStopsAtTheWorkBudget) {
    const Files files{
        {"again.ngc", "o<again> sub\nG1 Z[#<_z>-1] F1\no<again> call\no<again> endsub\n"},
        {"ping.ngc", "o<ping> sub\nG1 X1 F1\no<pong> call\no<ping> endsub\n"},
        {"pong.ngc", "o<pong> sub\nG1 X2 F1\no<ping> call\no<pong> endsub\n"}};
    for (const char* program : {"G0 X0 Z0\no<again> call\n", "G0 X0 Z0\no<ping> call\n"}) {
        const Toolpath path = read(program, files);
        ASSERT_FALSE(path.warnings.empty()) << program;
        EXPECT_EQ(path.warnings.back().code, Warning::ExpansionLimit) << program;
        EXPECT_LT(path.moves.size(), 100u) << program;
    }
}

TEST(SubroutineFiles, AContourOfACycleInAFile) {
    // LinuxCNC's G71 takes its contour from the subroutine Q names, wherever it lives.
    const std::string contour = "o200 sub\nG1 X5 Z0\nG1 Z-10\nG1 X10\no200 endsub\n";
    const std::string cycle = "G18 G8 G21 F100\nG0 X12 Z2\nG71 Q200 X12 Z2 D2\nG0 X20\n";
    const Toolpath fromFile = read(cycle, {{"200.ngc", contour}});
    EXPECT_TRUE(fromFile.warnings.empty());
    const Toolpath inline_ = read(contour + cycle, Files{});
    ASSERT_GT(inline_.moves.size(), 5u);
    ASSERT_EQ(fromFile.moves.size(), inline_.moves.size());
    for (std::size_t i = 0; i < inline_.moves.size(); ++i) {
        EXPECT_EQ(fromFile.moves[i].to, inline_.moves[i].to) << i;
        EXPECT_EQ(fromFile.moves[i].line + 5, inline_.moves[i].line) << i;
    }
}

// The disk: the folders in their order, each file decoded as a program file is.
TEST(SubroutineFiles, ReadFromTheFirstFolderThatHasAReadableOne) {
    namespace fs = std::filesystem;
    const zivek::testing::TempFolder root;
    const fs::path program = root.path() / "program";
    const fs::path macros = root.path() / u8"makrolar ğüş";  // a folder in Turkish
    fs::create_directories(program);
    fs::create_directories(macros);
    fs::create_directories(program / "folder.ngc");
    using zivek::testing::writeBytes;
    // What the first folder holds under these names cannot be read as a program: the
    // second folder's file is read in its place.
    writeBytes(program / "binary.ngc", std::string("o<binary> sub\0\x01\x02", 16));
    writeBytes(program / "blank.ngc", "\n\n");
    for (const char* name : {"folder", "binary", "blank"})
        writeBytes(macros / (std::string(name) + ".ngc"),
                   std::string("o<") + name + "> sub\nG0 X#1\no<" + name + "> endsub\n");
    // The program's own folder comes first.
    writeBytes(program / "groove.ngc", "o<groove> sub\nG0 X#2\no<groove> endsub\n");
    writeBytes(macros / "groove.ngc", kGroove);
    // A Turkish name, written by an editor in Windows-1254: "ğ" is the byte F0.
    writeBytes(macros / u8"oluğ.ngc", "o<olu\xF0> sub\nG0 X#1\no<olu\xF0> endsub\n");

    ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
    options.subroutineFolders = {program, macros};
    const Toolpath path = interpret(
        "G18 G8 G0 X20 Z0\no<groove> call [10] [3]\no<folder> call [4]\no<binary> call [5]\n"
        "o<blank> call [6]\no<oluğ> call [7]\no<nowhere> call\n",
        options);
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 20}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}}));
    ASSERT_EQ(path.warnings.size(), 1u);
    EXPECT_EQ(path.warnings[0].code, Warning::SubroutineFileMissing);
    EXPECT_EQ(path.warnings[0].line, 6u);
    EXPECT_EQ(path.warnings[0].word, "nowhere.ngc");
}

}  // namespace
}  // namespace zivek::gcode
