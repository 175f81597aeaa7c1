// Files the viewer may be started on: what is a program, what gets a message.

#include "zivek/gcode/program_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_folder.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

namespace fs = std::filesystem;

TEST(ClassifyText, Contents) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        LoadStatus status;
    };
    const Case cases[] = {
        {"", LoadStatus::Empty},
        {" \r\n\r\n\t", LoadStatus::Empty},
        {"M08\r\nM03\r\n%\r\n\r\n", LoadStatus::Ok},
        {"G0U1\r\n\x1A", LoadStatus::Ok},                                // DOS end-of-file mark
        {"G0U1 (\xC3\xA7\xC4\xB1k\xC4\xB1\xC5\x9F)\n", LoadStatus::Ok},  // Turkish comment
        {"G0U1\n\x1B[0m\n", LoadStatus::Ok},                             // one stray escape
        {"G0U1\n\0G1W-1\n"s, LoadStatus::NotText},
        {"\x7F"
         "ELF\x02\x01\x01\x03\x04\x05\x06\x07\x08",
         LoadStatus::NotText},
    };
    for (const Case& c : cases) EXPECT_EQ(classifyText(c.bytes), c.status) << c.bytes;
}

class ProgramFile : public ::testing::Test {
  protected:
    fs::path write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    zivek::testing::TempFolder folder_;
    const fs::path dir_ = folder_.path();
};

TEST_F(ProgramFile, StatusOfFilesOnDisk) {
    EXPECT_EQ(loadProgramFile(dir_ / "absent.nc").status, LoadStatus::NotFound);
    EXPECT_EQ(loadProgramFile(dir_).status, LoadStatus::NotAFile);
    EXPECT_EQ(loadProgramFile(write("empty.nc", "")).status, LoadStatus::Empty);
    EXPECT_EQ(loadProgramFile(write("binary.nc", std::string("PK\x03\x04\0\0\0", 7))).status,
              LoadStatus::NotText);

    const LoadedProgram ok = loadProgramFile(write("ok.nc", "G0U1\r\nG1W-60F111\r\n"));
    EXPECT_EQ(ok.status, LoadStatus::Ok);
    EXPECT_EQ(ok.text, "G0U1\r\nG1W-60F111\r\n");

    // A comment written on a Turkish Windows machine arrives as UTF-8.
    const LoadedProgram turkish = loadProgramFile(write("tr.nc",
                                                        "G0U1 (D\xDE \xC7"
                                                        "AP)\r\n"));
    EXPECT_EQ(turkish.text,
              "G0U1 (D\xC5\x9E \xC3\x87"
              "AP)\r\n");
    EXPECT_EQ(turkish.decoded.encoding, Encoding::Windows1254);
}

TEST_F(ProgramFile, HugeSingleLineIsReadAndInterpreted) {
    std::string line = "G1F100";
    while (line.size() < (8u << 20)) line += "W-1";
    const LoadedProgram p = loadProgramFile(write("huge.nc", "G0X0Y0\r\n" + line + "\r\n"));
    ASSERT_EQ(p.status, LoadStatus::Ok);
    const Toolpath path = interpret(p.text);
    // Repeated words on one block: the last one counts, as on the control.
    ASSERT_EQ(path.moves.size(), 2u);
    EXPECT_EQ(path.moves[1].to, (Point{-1, 0}));
}

}  // namespace
}  // namespace zivek::gcode
