#pragma once

// What a program says about itself before it cuts: its number and name, the comment
// lines at its top (material, notes, the tool list a CAM post writes), and the work
// offsets it selects. For the sheet that goes with the program to the machine.

#include <string>
#include <string_view>
#include <vector>

namespace zivek::gcode {

struct ProgramHeader {
    std::string number;                    // "O1300", also from "%O1200"; empty when none
    std::string name;                      // the comment on the number's line
    std::vector<std::string> comments;     // comment-only lines before the first code
    std::vector<std::string> workOffsets;  // "G54" ... "G59.3", in the order first named
};

ProgramHeader readProgramHeader(std::string_view text);

}  // namespace zivek::gcode
