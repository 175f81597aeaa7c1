#pragma once

#include "gcode/internal.h"

// Tools named by the program's comments.

#include <cstdint>
#include <string_view>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// Gives each change its description: the comment on its line, else the comment line just
// before it, else a comment anywhere that begins by naming its tool ("T2 - FINISH OD",
// "TOOL 2 ..." in a CAM post's list). A comment naming another tool describes none of it.
void describeTools(std::vector<ToolChange>& tools, std::string_view text,
                   const std::vector<std::uint32_t>& starts);

}  // namespace zivek::gcode
