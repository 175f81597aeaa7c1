#pragma once

#include <string_view>

namespace zivek::testing {

// The batch file's bytes as they must stand on disk after every press. Kept apart on
// purpose from the lines the program writes them from, so that a changed line shows.
inline constexpr std::string_view expectedBatchBytes =
    "Cls\r\nCD\\\r\nCls\r\ncd\\\r\nC:\r\ncd Program Files\r\ncd NCPlot v2.05\r\n"
    "NCPlot.exe/ALANTEMIZLEME.TXT\r\n";

}  // namespace zivek::testing
