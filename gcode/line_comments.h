#pragma once

#include "gcode/internal.h"

// A program line split into its comments and its code, for the readers of what a
// program says about itself (tool descriptions, the program's header).

#include <string>
#include <string_view>

namespace zivek::gcode {

bool isSpace(char c);
std::string_view trimmed(std::string_view s);
char upper(char c);

struct LineComments {
    std::string text;      // the comments, joined by a blank
    bool hasCode = false;  // words other than a block number
    std::string code;      // with `withCode`: those words in capitals, blanks, '%' and '/' dropped
};

// Fanuc's "( ... )" and LinuxCNC's "; ..." alike. The code is copied only when asked for:
// a tool list reads every line's comments.
LineComments commentsOf(std::string_view line, bool withCode = false);

}  // namespace zivek::gcode
