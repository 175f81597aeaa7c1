#pragma once

// Reading a program file for the viewer. The result is a code; the window words it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "zivek/gcode/text_decoding.h"

namespace zivek::gcode {

enum class LoadStatus { Ok, NotFound, NotAFile, Unreadable, TooLarge, Empty, NotText };

struct LoadedProgram {
    LoadStatus status = LoadStatus::Ok;
    std::string text;     // UTF-8
    DecodedText decoded;  // what the bytes were
    std::string bytes;    // as on disk, for saving unchanged; empty when they are the text
};

// Files larger than this are no lathe program this system writes.
inline constexpr std::uintmax_t kMaxProgramBytes = 256u << 20;

// Ok, Empty (nothing but blanks and line ends) or NotText (NUL bytes, or control
// characters a text editor would not write).
LoadStatus classifyText(std::string_view bytes);

LoadedProgram loadProgramFile(const std::filesystem::path& path);

}  // namespace zivek::gcode
