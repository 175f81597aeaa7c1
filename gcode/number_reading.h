#pragma once

#include "gcode/internal.h"

// A number as a G-code word writes it. The lowest layer of reading a line: the words,
// the expressions and the block numbers all read their numbers here.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zivek::gcode {

namespace number_reading {
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// What the fast path leaves (an exponent, or more digits than a double holds exactly),
// read by from_chars up to `numberEnd`.
std::size_t readLongNumber(std::string_view s, std::size_t numberEnd, double& value, bool& ok);
}  // namespace number_reading

// Reads a G-code number at the start of s: optional sign, digits with at most one point,
// optional exponent ("1E-05"). Returns the characters used, 0 when there is no number;
// `ok` is false when the text is a number but not a finite double. Inline: every word of
// every line comes through here.
inline std::size_t readNumber(std::string_view s, double& value, bool& ok) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    // Digits are gathered as they are scanned; a long number wraps, but is then read
    // by from_chars below.
    std::uint64_t whole = 0;
    std::size_t digits = 0;
    std::size_t scale = 0;
    while (i < s.size() && number_reading::isDigit(s[i])) {
        whole = whole * 10 + std::uint64_t(s[i++] - '0');
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && number_reading::isDigit(s[i])) {
            whole = whole * 10 + std::uint64_t(s[i++] - '0');
            ++digits;
            ++scale;
        }
    }
    if (digits == 0) return 0;
    // An exponent only when digits follow, so that a following E word is not swallowed.
    bool exponent = false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        if (j < s.size() && number_reading::isDigit(s[j])) {
            while (j < s.size() && number_reading::isDigit(s[j])) ++j;
            i = j;
            exponent = true;
        }
    }
    if (!exponent && digits <= 15) {
        // Up to 15 digits the whole digits and the power of ten are exact doubles, so one
        // division rounds as from_chars does, several times faster.
        static constexpr double kTens[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        value = double(whole) / kTens[scale];
        if (s[0] == '-') value = -value;
        ok = true;
        return i;
    }
    return number_reading::readLongNumber(s, i, value, ok);
}

}  // namespace zivek::gcode
