#pragma once

#include "gcode/internal.h"

// LinuxCNC's arithmetic: "[...]" expressions with its operators, precedence and
// functions (trigonometry in degrees), "#" parameters, and parameter settings.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gcode/parameters.h"

namespace zivek::gcode {

enum class ExprError : std::uint8_t {
    None,
    Syntax,          // unreadable, or a parameter number out of range
    UnknownName,     // a named parameter read before it was set
    DivisionByZero,  // "/" or MOD by zero
    Domain,          // SQRT of a negative, LN of 0, ASIN[2], a result beyond double range
    ReadOnly,        // a setting of a value the interpreter's state gives (#<_x>, #5420)
};

// Reads one value at the start of s: a number, "[expression]", "#parameter", a sign
// before one of these, or a function ("SIN[30]"). Returns the characters used, 0 when
// nothing could be read (error says why).
std::size_t readValue(std::string_view s, const Parameters& params, double& value,
                      ExprError& error);

// Reads "#12 = value" or "#<name> = value" at the start of s and queues the setting. A
// read-only parameter is not set: error says so, and the characters read are returned.
std::size_t readSetting(std::string_view s, Parameters& params, ExprError& error);

}  // namespace zivek::gcode
