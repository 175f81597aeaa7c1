// Which control a program was written for: each dialect's row scores the signs of it
// that the program's heading shows.

#include <algorithm>
#include <vector>

#include "gcode/arc_reading.h"
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

DetectedDialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts) {
    return weighAmong(dialects(), text, starts);
}

Dialect detectAmong(std::span<const DialectRow> rows, std::string_view text,
                    const std::vector<std::uint32_t>& starts) {
    return weighAmong(rows, text, starts).dialect;
}

DetectedDialect weighAmong(std::span<const DialectRow> rows, std::string_view text,
                           const std::vector<std::uint32_t>& starts) {
    for (const DialectRow& row : rows)
        if (row.opening != nullptr && row.opening(text, starts))
            return {row.dialect, false, {DialectSign::WizardOpening}};
    // Which signs of each row were seen, each once.
    std::vector<std::vector<bool>> seen;
    for (const DialectRow& row : rows) seen.emplace_back(row.signs.size(), false);
    std::vector<Word> words;
    const std::vector<Word> none;
    std::vector<BadToken> bad;
    OWord o;
    ArcReading arcs;
    bool opened = false;
    bool positioned = false;
    const std::size_t n = std::min(starts.size(), kLinesLooked);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view text_line = lineAt(text, starts, i);
        const bool oWord = readOWord(text_line, o) && !o.keyword.empty();
        if (!oWord) readWords(text_line, words, bad);
        const std::vector<Word>& lineWords = oWord ? none : words;
        const bool first = !opened && (oWord || !lineWords.empty());
        opened = opened || first;
        const ArcFit arc = arcs.next(lineWords);
        const SignLine line{text_line,  lineWords,         oWord, first, arc,
                            positioned, arcs.incremental()};
        positioned = positioned || line.has('X') || line.has('Z');
        for (std::size_t d = 0; d < rows.size(); ++d)
            for (std::size_t s = 0; s < rows[d].signs.size(); ++s)
                if (!seen[d][s] && rows[d].signs[s].seen(line)) seen[d][s] = true;
    }
    // The row with the highest score; a tie, the first row's dialect.
    std::vector<int> scores;
    for (std::size_t d = 0; d < rows.size(); ++d) {
        int score = 0;
        for (std::size_t s = 0; s < rows[d].signs.size(); ++s)
            if (seen[d][s]) score += rows[d].signs[s].weight;
        scores.push_back(score);
    }
    std::size_t best = 0;
    for (std::size_t d = 1; d < rows.size(); ++d)
        if (scores[d] > scores[best]) best = d;
    int runnerUp = 0;
    bool tie = false;
    for (std::size_t d = 0; d < rows.size(); ++d) {
        if (d == best) continue;
        runnerUp = std::max(runnerUp, scores[d]);
        tie = tie || scores[d] == scores[best];
    }
    if (tie) best = 0;
    DetectedDialect out{
        rows[best].dialect, scores[best] == 0 || scores[best] - runnerUp < kClearLead, {}};
    // The chosen row's signs, heaviest first, each kind once.
    std::vector<std::size_t> order;
    for (std::size_t s = 0; s < rows[best].signs.size(); ++s)
        if (seen[best][s]) order.push_back(s);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rows[best].signs[a].weight > rows[best].signs[b].weight;
    });
    for (const std::size_t s : order) {
        const DialectSign kind = rows[best].signs[s].kind;
        if (std::find(out.reasons.begin(), out.reasons.end(), kind) == out.reasons.end())
            out.reasons.push_back(kind);
    }
    return out;
}

}  // namespace zivek::gcode
