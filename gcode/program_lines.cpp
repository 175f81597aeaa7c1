#include <cstring>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

// Files from old controls and Macintosh editors end lines with CR alone.
char lineEnd(std::string_view text) {
    if (std::memchr(text.data(), '\n', text.size()) != nullptr) return '\n';
    return std::memchr(text.data(), '\r', text.size()) != nullptr ? '\r' : '\n';
}

template <typename Fn>
void forEachStart(std::string_view text, Fn&& fn) {
    const char end = lineEnd(text);
    std::size_t from = 0;
    while (from < text.size()) {
        fn(from);
        const void* nl = std::memchr(text.data() + from, end, text.size() - from);
        if (nl == nullptr) return;
        from = std::size_t(static_cast<const char*>(nl) - text.data()) + 1;
    }
}

}  // namespace

std::vector<std::uint32_t> lineStarts(std::string_view text) {
    std::vector<std::uint32_t> starts;
    // Room for a line every 8 bytes, more lines than programs have: the table is never moved
    // as it grows, nor copied to fit, and the room beyond the lines is never touched.
    starts.reserve(text.size() / 8 + 4);
    forEachStart(text, [&](std::size_t at) { starts.push_back(std::uint32_t(at)); });
    return starts;
}

std::string_view lineAt(std::string_view text, const std::vector<std::uint32_t>& starts,
                        std::size_t index) {
    const std::size_t from = starts[index];
    std::size_t to = index + 1 < starts.size() ? starts[index + 1] : text.size();
    if (to > from && (text[to - 1] == '\n' || (index + 1 < starts.size() && text[to - 1] == '\r')))
        --to;
    if (to > from && text[to - 1] == '\r') --to;
    return text.substr(from, to - from);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    const std::vector<std::uint32_t> starts = lineStarts(text);
    std::vector<std::string_view> lines;
    lines.reserve(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) lines.push_back(lineAt(text, starts, i));
    return lines;
}

}  // namespace zivek::gcode
