#include "viewer/text_search.h"

#include <array>
#include <cstring>

namespace zivek::backplot {
namespace {

// One UTF-8 code point at `at`, and its length; a stray byte stands for itself.
char32_t decode(std::string_view s, std::size_t at, std::size_t& length) {
    const auto b = static_cast<unsigned char>(s[at]);
    const auto cont = [&](std::size_t k) {
        return at + k < s.size() ? static_cast<unsigned char>(s[at + k]) & 0x3F : 0u;
    };
    if (b < 0x80 || at + 1 >= s.size()) {
        length = 1;
        return b;
    }
    if ((b & 0xE0) == 0xC0) {
        length = 2;
        return char32_t((b & 0x1F) << 6 | cont(1));
    }
    if ((b & 0xF0) == 0xE0) {
        length = 3;
        return char32_t((b & 0x0F) << 12 | cont(1) << 6 | cont(2));
    }
    length = 1;
    return b;
}

char32_t fold(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    switch (c) {
        case 0x130:  // İ
        case 0x131:  // ı
            return 'i';
        case 0x11E:  // Ğ
        case 0x15E:  // Ş
            return c + 1;
        default:
            break;
    }
    // Latin-1's capitals (Ç, Ö, Ü ...), the multiplication sign aside.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

// The needle as folded code points, and the bytes a line's match can begin with.
struct Pattern {
    std::vector<char32_t> points;
    std::array<bool, 256> starts{};

    explicit Pattern(std::string_view needle) {
        for (std::size_t at = 0, n = 0; at < needle.size(); at += n)
            points.push_back(fold(decode(needle, at, n)));
        if (points.empty()) return;
        // Every one- and two-byte code point that folds to the first letter.
        for (char32_t c = 0; c < 0x800; ++c)
            if (fold(c) == points.front()) starts[c < 0x80 ? c : 0xC0 | (c >> 6)] = true;
        starts[static_cast<unsigned char>(needle.front())] = true;
    }

    bool matchesAt(std::string_view line, std::size_t at) const {
        for (const char32_t p : points) {
            if (at >= line.size()) return false;
            std::size_t n = 0;
            if (fold(decode(line, at, n)) != p) return false;
            at += n;
        }
        return true;
    }

    bool foundIn(std::string_view line) const {
        for (std::size_t at = 0; at < line.size(); ++at)
            if (starts[static_cast<unsigned char>(line[at])] && matchesAt(line, at)) return true;
        return false;
    }
};

}  // namespace

std::vector<std::uint32_t> linesContaining(std::string_view text, std::string_view needle) {
    std::vector<std::uint32_t> lines;
    const Pattern pattern(needle);
    if (pattern.points.empty()) return lines;
    const char end = text.find('\n') != std::string_view::npos ? '\n' : '\r';
    std::uint32_t line = 0;
    for (std::size_t at = 0; at < text.size(); ++line) {
        const void* found = std::memchr(text.data() + at, end, text.size() - at);
        const std::size_t stop =
            found ? std::size_t(static_cast<const char*>(found) - text.data()) : text.size();
        if (pattern.foundIn(text.substr(at, stop - at))) lines.push_back(line);
        at = stop + 1;
    }
    return lines;
}

}  // namespace zivek::backplot
