#include "zivek/gcode/program_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace zivek::gcode {

LoadStatus classifyText(std::string_view bytes) {
    const bool blank = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
    });
    if (blank) return LoadStatus::Empty;
    if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) return LoadStatus::NotText;
    // One stray control byte does not make a file binary; a sample full of them does.
    const std::string_view sample = bytes.substr(0, 64 * 1024);
    const auto controls = std::count_if(sample.begin(), sample.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v' &&
               c != 0x1A;  // DOS end-of-file mark
    });
    const bool binary = controls > 2 && controls * 100 > std::ptrdiff_t(sample.size());
    return binary ? LoadStatus::NotText : LoadStatus::Ok;
}

LoadedProgram loadProgramFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(st)) return {LoadStatus::NotFound, {}, {}, {}};
    if (!std::filesystem::is_regular_file(st)) return {LoadStatus::NotAFile, {}, {}, {}};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return {LoadStatus::Unreadable, {}, {}, {}};
    if (size > kMaxProgramBytes) return {LoadStatus::TooLarge, {}, {}, {}};

    std::ifstream in(path, std::ios::binary);
    if (!in) return {LoadStatus::Unreadable, {}, {}, {}};
    LoadedProgram result;
    result.text.resize(static_cast<std::size_t>(size));
    in.read(result.text.data(), static_cast<std::streamsize>(size));
    if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) != size)
        return {LoadStatus::Unreadable, {}, {}, {}};
    result.status = classifyText(result.text);
    if (result.status != LoadStatus::Ok) {
        result.text.clear();
    } else {
        // The bytes are kept apart only when reading changes them: a 50 MB program
        // is not held twice.
        const bool bom = result.text.compare(0, 3, "\xEF\xBB\xBF") == 0;
        if (bom || !isValidUtf8(result.text)) result.bytes = result.text;
        result.decoded = decodeToUtf8(result.text);
    }
    return result;
}

}  // namespace zivek::gcode
