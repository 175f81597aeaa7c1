#include "zivek/gcode/text_decoding.h"

#include <algorithm>
#include <cstdint>

namespace zivek::gcode {
namespace {

// Windows-1254 0x80-0x9F; 0 where the code page has no character (shown as U+FFFD).
constexpr char16_t kHigh1254[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

char16_t from1254(unsigned char c) {
    if (c < 0x80) return c;
    if (c < 0xA0) return kHigh1254[c - 0x80] ? kHigh1254[c - 0x80] : char16_t(0xFFFD);
    switch (c) {  // where Turkish differs from Latin-1
        case 0xD0:
            return 0x011E;  // Ğ
        case 0xDD:
            return 0x0130;  // İ
        case 0xDE:
            return 0x015E;  // Ş
        case 0xF0:
            return 0x011F;  // ğ
        case 0xFD:
            return 0x0131;  // ı
        case 0xFE:
            return 0x015F;  // ş
        default:
            return c;
    }
}

void appendUtf8(std::string& out, char16_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

LineEnds lineEndsOf(std::string_view text) {
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lf;
        } else if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    const int kinds = (crlf > 0) + (lf > 0) + (cr > 0);
    if (kinds == 0) return LineEnds::None;
    if (kinds > 1) return LineEnds::Mixed;
    return crlf ? LineEnds::CrLf : lf ? LineEnds::Lf : LineEnds::Cr;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        std::uint32_t cp = 0;
        if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += n + 1;
    }
    return true;
}

DecodedText decodeToUtf8(std::string& text) {
    DecodedText result;
    result.lineEnds = lineEndsOf(text);
    const bool bom = text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (bom) {
        text.erase(0, 3);
        result.encoding = Encoding::Utf8Bom;
        if (isValidUtf8(text)) return result;
    }
    const bool ascii = std::none_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (ascii) return result;
    if (!bom && isValidUtf8(text)) {
        result.encoding = Encoding::Utf8;
        return result;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) appendUtf8(out, from1254(static_cast<unsigned char>(c)));
    text = std::move(out);
    result.encoding = Encoding::Windows1254;
    return result;
}

}  // namespace zivek::gcode
