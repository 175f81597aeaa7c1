#pragma once

#include <array>
#include <string_view>

namespace zivek {

// The batch file's lines, written as they stand (blanks kept) at every press: it
// moves to the viewer's folder and starts the viewer on the program file.
inline constexpr std::array<std::string_view, 8> batchFileLines = {
    "Cls",
    "CD\\",
    "Cls",
    "cd\\",
    "C:",
    "cd Program Files",
    "cd NCPlot v2.05",
    "NCPlot.exe/ALANTEMIZLEME.TXT",
};

}  // namespace zivek
