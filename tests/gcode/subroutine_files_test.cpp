// Subroutines in files of their own, found on the subroutine folders as LinuxCNC finds
// them on its SUBROUTINE_PATH: name.ngc holding "o<name> sub" ... "o<name> endsub".

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/reading_options.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

namespace fs = std::filesystem;

// Two folders of subroutine files under a fresh temporary folder, removed afterwards.
class SubroutineFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / (std::string("zivek-subs-") + test->name());
        fs::remove_all(root_);
        fs::create_directories(first());
        fs::create_directories(second());
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path first() const { return root_ / "program"; }
    fs::path second() const { return root_ / u8"makrolar ğüş"; }  // a folder in Turkish

    static void write(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    Toolpath read(const std::string& program) const {
        ReadOptions options = zivek::testing::readingAs(Dialect::LinuxCnc);
        options.subroutineFolders = {first(), second()};
        return interpret(program, options);
    }

    fs::path root_;
};

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

TEST_F(SubroutineFiles, FoundInTheFirstFolderThatHasOne) {
    write(second() / "groove.ngc", kGroove);
    // Called by any case of its name; its arguments and its value as in the program.
    const Toolpath path = read("G18 G8 G0 X20 Z0\no<Groove> call [10] [3]\nG0 X#<_value> Z1\n");
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 20}, {0, 10}, {0, 7}, {0, 10}, {1, 7}}));
    // The file's moves belong to the program's line that called it.
    EXPECT_EQ(linesOf(path), (std::vector<std::uint32_t>{0, 1, 1, 1, 2}));

    // The same name in the program's own folder comes first.
    write(first() / "groove.ngc", "o<groove> sub\nG0 X#2\no<groove> endsub\n");
    EXPECT_EQ(ends(read("G18 G8 G0 X20 Z0\no<groove> call [10] [3]\n")),
              (std::vector<Point>{{0, 20}, {0, 3}}));
}

TEST_F(SubroutineFiles, TurkishNamesInTurkishFolders) {
    write(second() / u8"oluğ.ngc", "o<oluğ> sub\nG0 X#1\no<oluğ> endsub\n");
    const Toolpath path = read("G18 G8 G0 X20 Z0\no<OLUğ> call [4]\n");
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path), (std::vector<Point>{{0, 20}, {0, 4}}));
}

TEST_F(SubroutineFiles, FilesCallFilesAndTheirOwnSubroutines) {
    write(first() / "outer.ngc",
          "o<step> sub\nG1 Z[#<_z>-1] F100\no<step> endsub\n"
          "o<outer> sub\no<step> call\no<inner> call [#1]\no<outer> endsub\n");
    // inner.ngc calls outer.ngc again while outer runs: the depth ends it.
    write(second() / "inner.ngc",
          "o<inner> sub\nG1 X#1\no10 if [#1 GT 1]\no<outer> call [#1-1]\no10 endif\n"
          "o<inner> endsub\n");
    const Toolpath path = read("G18 G8 G0 X9 Z0\no<outer> call [3]\nG0 X9\n");
    EXPECT_TRUE(path.warnings.empty());
    EXPECT_EQ(ends(path),
              (std::vector<Point>{
                  {0, 9}, {-1, 9}, {-1, 3}, {-2, 3}, {-2, 2}, {-3, 2}, {-3, 1}, {-3, 9}}));
}

TEST_F(SubroutineFiles, WhatIsMissingIsWarnedOnTheCallingLine) {
    write(first() / "empty.ngc", "(no subroutine here)\nG0 X99\n");
    write(root_ / "outside.ngc", "o<outside> sub\nG0 X99\no<outside> endsub\n");
    struct Case {
        const char* call;
        const char* word;
    };
    const Case cases[] = {
        {"o<nowhere> call [1]", "nowhere.ngc"},
        {"o<empty> call", "empty.ngc: o<empty>"},
        // A name never leads out of the folders given.
        {"o<../outside> call", "o<../outside>"},
        {"o123 call", "123.ngc"},
    };
    for (const Case& c : cases) {
        const Toolpath path = read(std::string("G18 G8 G0 X1 Z0\n") + c.call + "\nG0 X2\n");
        ASSERT_EQ(path.warnings.size(), 1u) << c.call;
        EXPECT_EQ(path.warnings[0].code, Warning::SubroutineFileMissing) << c.call;
        EXPECT_EQ(path.warnings[0].line, 1u) << c.call;
        EXPECT_EQ(path.warnings[0].word, c.word) << c.call;
        EXPECT_EQ(ends(path), (std::vector<Point>{{0, 1}, {0, 2}})) << c.call;
    }
}

TEST_F(SubroutineFiles, ACallWithoutEndStopsAtTheWorkBudget) {
    write(first() / "again.ngc",
          "o<again> sub\nG1 Z[#<_z>-1] F1\no<again> call\no<again> endsub\n");
    write(first() / "ping.ngc", "o<ping> sub\nG1 X1 F1\no<pong> call\no<ping> endsub\n");
    write(second() / "pong.ngc", "o<pong> sub\nG1 X2 F1\no<ping> call\no<pong> endsub\n");
    for (const char* program : {"G0 X0 Z0\no<again> call\n", "G0 X0 Z0\no<ping> call\n"}) {
        const Toolpath path = read(program);
        ASSERT_FALSE(path.warnings.empty()) << program;
        EXPECT_EQ(path.warnings.back().code, Warning::ExpansionLimit) << program;
        EXPECT_LT(path.moves.size(), 100u) << program;
    }
}

TEST_F(SubroutineFiles, AContourOfACycleInAFile) {
    // LinuxCNC's G71 takes its contour from the subroutine Q names, wherever it lives.
    write(second() / "200.ngc", "o200 sub\nG1 X5 Z0\nG1 Z-10\nG1 X10\no200 endsub\n");
    const std::string cycle = "G18 G8 G21 F100\nG0 X12 Z2\nG71 Q200 X12 Z2 D2\nG0 X20\n";
    const Toolpath fromFile = read(cycle);
    EXPECT_TRUE(fromFile.warnings.empty());
    const Toolpath inline_ = read("o200 sub\nG1 X5 Z0\nG1 Z-10\nG1 X10\no200 endsub\n" + cycle);
    ASSERT_GT(inline_.moves.size(), 5u);
    ASSERT_EQ(fromFile.moves.size(), inline_.moves.size());
    for (std::size_t i = 0; i < inline_.moves.size(); ++i) {
        EXPECT_EQ(fromFile.moves[i].to, inline_.moves[i].to) << i;
        EXPECT_EQ(fromFile.moves[i].line + 5, inline_.moves[i].line) << i;
    }
}

}  // namespace
}  // namespace zivek::gcode
