// Which control a program was written for, from the words only one of them uses.

#include <algorithm>
#include <bit>

#include "gcode/gcode_words.h"
#include "gcode/interpreter.h"

namespace zivek::backplot {
namespace {

// The heading of a program says enough; a CAM program's thousands of moves say nothing.
constexpr std::size_t kLinesLooked = 1000;

bool has(const std::vector<Word>& words, char letter) {
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& w) { return w.letter == letter; });
}

bool hasG(const std::vector<Word>& words, double g) {
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& w) { return w.letter == 'G' && w.value == g; });
}

}  // namespace

Dialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts) {
    // Each kind of sign counts once: one G76 does not outweigh G7, G33 and o-words.
    std::uint32_t fanuc = 0, linux = 0;
    std::vector<Word> words;
    std::vector<BadToken> bad;
    OWord o;
    const std::size_t n = std::min(starts.size(), kLinesLooked);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view line = lineAt(text, starts, i);
        if (readOWord(line, o) && !o.keyword.empty()) {
            linux |= 1u << 0;
            continue;
        }
        readWords(line, words, bad);
        for (const BadToken& b : bad)
            if (b.code == Warning::NotEvaluated && b.text.find("#<") != std::string_view::npos)
                linux |= 1u << 1;
        if (hasG(words, 7) || hasG(words, 8)) linux |= 1u << 2;
        if (hasG(words, 33) || hasG(words, 64) || hasG(words, 61)) linux |= 1u << 3;
        if (hasG(words, 76) && (has(words, 'I') || has(words, 'J'))) linux |= 1u << 4;
        if ((hasG(words, 70) || hasG(words, 71) || hasG(words, 72)) && has(words, 'Q') &&
            !has(words, 'P'))
            linux |= 1u << 5;
        for (const Word& w : words) {
            if (w.letter == 'M' && w.value == 6) linux |= 1u << 6;
            if (w.letter == 'T' && w.value >= 100) fanuc |= 1u << 0;  // T0101: tool and offset
            if (w.letter == 'M' && w.value == 98) fanuc |= 1u << 1;
        }
        if (hasG(words, 32) || hasG(words, 50)) fanuc |= 1u << 2;
        if (hasG(words, 98) || hasG(words, 99)) fanuc |= 1u << 3;
        if (hasG(words, 92) && has(words, 'F')) fanuc |= 1u << 4;
        if ((hasG(words, 70) || hasG(words, 71) || hasG(words, 72) || hasG(words, 76)) &&
            has(words, 'P'))
            fanuc |= 1u << 5;
        if ((hasG(words, 71) || hasG(words, 72)) && has(words, 'R') && !has(words, 'Q'))
            fanuc |= 1u << 6;
        if (hasG(words, 28) && (has(words, 'U') || has(words, 'W'))) fanuc |= 1u << 7;
    }
    const int f = std::popcount(fanuc), l = std::popcount(linux);
    if (f > l) return Dialect::Fanuc;
    if (l > f) return Dialect::LinuxCnc;
    return Dialect::Generic;
}

}  // namespace zivek::backplot
