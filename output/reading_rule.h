#pragma once

#include <string_view>

namespace zivek {

// Turns the text of a parameter box into a number: blanks, tabs and line feeds are
// skipped wherever they stand, then the longest prefix of the form
// [sign] digits [. digits] [E [sign] digits] is read, where the decimal mark is "."
// or "," (at most one of either). Text without digits reads as 0. The marks are the
// same whatever the locale. Never fails: a magnitude
// too large for a double reads as the largest finite double of its sign.
double readNumber(std::string_view text);

}  // namespace zivek
