#pragma once

// How users and summaries name the dialects a program may be read in, from the reader's
// own rows of them, so that a dialect added there is offered everywhere.

#include <span>
#include <string_view>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

struct DialectName {
    Dialect dialect;
    std::string_view key;   // in summaries and on the command line: "generic", "fanuc" ...
    std::string_view name;  // as the viewer shows it, UTF-8
};

// In the order of Dialect.
std::span<const DialectName> dialectNames();
const DialectName& dialectNameOf(Dialect dialect);

}  // namespace zivek::gcode
