#pragma once

// Program files come from Turkish Windows machines, Linux controls and old editors: the
// text is turned into UTF-8 once, when the file is read, so everything after sees one
// encoding.

#include <cstdint>
#include <string>
#include <string_view>

namespace zivek::gcode {

enum class Encoding : std::uint8_t { Ascii, Utf8, Utf8Bom, Windows1254 };
enum class LineEnds : std::uint8_t { None, CrLf, Lf, Cr, Mixed };

struct DecodedText {
    Encoding encoding = Encoding::Ascii;
    LineEnds lineEnds = LineEnds::None;
};

// Rewrites `text` in place as UTF-8: a byte order mark is dropped, valid UTF-8 stays as
// it is, anything else is read as Windows-1254 (which ISO-8859-9 files also read right:
// the two differ only in characters programs never hold).
DecodedText decodeToUtf8(std::string& text);

bool isValidUtf8(std::string_view bytes);

}  // namespace zivek::gcode
