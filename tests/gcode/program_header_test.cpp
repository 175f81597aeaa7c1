// What a program says about itself at its top: number, name, header comments, offsets.

#include "zivek/gcode/program_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zivek::gcode {
namespace {

using Lines = std::vector<std::string>;

TEST(ProgramHeader, NumberNameCommentsAndOffsets) {
    struct Case {
        const char* what;
        const char* text;
        const char* number;
        const char* name;
        Lines comments;
        Lines offsets;
    };
    const Case cases[] = {
        {"Fanuc with a tool list",
         "%\nO1300 (BURC - UC TAKIM)\n(MALZEME: C45)\n(T1 - KABA)\n"
         "G21 G40 G99\nG54 G0 X50 Z2\n(LATER NOTE)\nM30\n%\n",
         "O1300",
         "BURC - UC TAKIM",
         {"MALZEME: C45", "T1 - KABA"},
         {"G54"}},
        {"number after the percent sign",
         "%O1200\n(CAM OUTPUT)\nG0 X1\n",
         "O1200",
         "",
         {"CAM OUTPUT"},
         {}},
        {"comments before the number",
         "(MALZEME AL6061)\nO0007\nG55\n",
         "O0007",
         "",
         {"MALZEME AL6061"},
         {"G55"}},
        {"LinuxCNC: no number, ';' comments",
         "; PARCA 12\n; STOK D40\nG18 G21\nG59.1 G0 X1\n"
         "o100 sub\no100 endsub\n",
         "",
         "",
         {"PARCA 12", "STOK D40"},
         {"G59.1"}},
        {"an o-word is no program number", "O100 SUB\nG1 X1\nO100 ENDSUB\n", "", "", {}, {}},
        {"wizard program: no comments",
         "M08\r\nM03\r\nS6\r\nG54\r\nG0X0Y0\r\n",
         "",
         "",
         {},
         {"G54"}},
        // G540 and G5 are no work offsets; one named twice is listed once, in first order.
        {"offsets by value, not by text",
         "G0 G56 X1\nG540\nG5 X1\nG054\nG56\n(G57)\n",
         "",
         "",
         {},
         {"G56", "G54"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramHeader h = readProgramHeader(c.text);
        EXPECT_EQ(h.number, c.number);
        EXPECT_EQ(h.name, c.name);
        EXPECT_EQ(h.comments, c.comments);
        EXPECT_EQ(h.workOffsets, c.offsets);
    }
}

}  // namespace
}  // namespace zivek::gcode
