// Which control a program was written for: each dialect's row scores the signs of it
// that the program's heading shows.

#include <algorithm>
#include <vector>

#include "gcode/dialects.h"
#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// The heading of a program says enough; a CAM program's thousands of moves say nothing.
constexpr std::size_t kLinesLooked = 1000;

}  // namespace

bool SignLine::has(char letter) const {
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& w) { return w.letter == letter; });
}

bool SignLine::hasG(double g) const {
    return hasWord('G', g);
}

bool SignLine::hasAnyG(std::initializer_list<double> gs) const {
    return std::any_of(gs.begin(), gs.end(), [&](double g) { return hasG(g); });
}

bool SignLine::hasWord(char letter, double value) const {
    return std::any_of(words.begin(), words.end(),
                       [&](const Word& w) { return w.letter == letter && w.value == value; });
}

Dialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts) {
    return detectAmong(dialects(), text, starts);
}

Dialect detectAmong(std::span<const DialectRow> rows, std::string_view text,
                    const std::vector<std::uint32_t>& starts) {
    for (const DialectRow& row : rows)
        if (row.opening != nullptr && row.opening(text, starts)) return row.dialect;
    // Which signs of each row were seen, each once.
    std::vector<std::vector<bool>> seen;
    for (const DialectRow& row : rows) seen.emplace_back(row.signs.size(), false);
    std::vector<Word> words;
    const std::vector<Word> none;
    std::vector<BadToken> bad;
    OWord o;
    const std::size_t n = std::min(starts.size(), kLinesLooked);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view text_line = lineAt(text, starts, i);
        const bool oWord = readOWord(text_line, o) && !o.keyword.empty();
        if (!oWord) readWords(text_line, words, bad);
        const SignLine line{text_line, oWord ? none : words, oWord};
        for (std::size_t d = 0; d < rows.size(); ++d)
            for (std::size_t s = 0; s < rows[d].signs.size(); ++s)
                if (!seen[d][s] && rows[d].signs[s].seen(line)) seen[d][s] = true;
    }
    // The row with the highest score; a tie, the first row's dialect.
    std::size_t best = 0;
    int bestScore = 0;
    bool tie = false;
    for (std::size_t d = 0; d < rows.size(); ++d) {
        int score = 0;
        for (std::size_t s = 0; s < rows[d].signs.size(); ++s)
            if (seen[d][s]) score += rows[d].signs[s].weight;
        if (d == 0 || score > bestScore) {
            best = d;
            bestScore = score;
            tie = false;
        } else if (score == bestScore) {
            tie = true;
        }
    }
    return tie ? rows.front().dialect : rows[best].dialect;
}

}  // namespace zivek::gcode
