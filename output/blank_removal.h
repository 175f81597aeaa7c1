#pragma once

#include <cstddef>
#include <string_view>

namespace zivek {

// Copies text to `to` without its blanks (the character 32 only) and returns the bytes
// copied. `to` has room for all of text; it may be text's own start, or lie before it,
// for removal in place.
std::size_t copyWithoutBlanks(std::string_view text, char* to);

// The same one byte at a time, as every processor runs it; the measure of the above.
std::size_t copyWithoutBlanksBytewise(std::string_view text, char* to);

}  // namespace zivek
