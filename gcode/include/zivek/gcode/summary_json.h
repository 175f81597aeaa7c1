#pragma once

// The totals of a program as JSON, for `zivek-backplot --summary FILE` and for scripts.

#include <string>

#include "zivek/gcode/text_decoding.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {

// Rapid moves are timed at `rapidRate` units per minute. Every number is finite; what
// cannot be known is null with the reason beside it.
std::string summaryJson(const Toolpath& path, const DecodedText& decoded, double rapidRate);

const char* warningName(Warning w);  // "UnknownWord", ...
// The sign as summaries name it: "program-number", "spindle-limit" ...
const char* dialectSignKey(DialectSign sign);

}  // namespace zivek::gcode
