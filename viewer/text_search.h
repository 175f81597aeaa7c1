#pragma once

// The program's lines that hold a piece of text, whatever its case. Plain C++: it runs
// over the text as held, a 1.4-million-line program in one pass, without a widget.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zivek::backplot {

// The 0-based lines of `text` (numbered as the reader numbers them: split at LF, or at CR
// when there is no LF) that hold `needle`, ascending. Case is ignored for Latin letters
// and Turkish ones; I, ı, İ and i are one letter, as a keyboard of either kind types them.
std::vector<std::uint32_t> linesContaining(std::string_view text, std::string_view needle);

}  // namespace zivek::backplot
