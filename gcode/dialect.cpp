// Which control a program was written for, from the signs only one of them leaves.

#include <algorithm>
#include <array>

#include "gcode/gcode_words.h"
#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

// The heading of a program says enough; a CAM program's thousands of moves say nothing.
constexpr std::size_t kLinesLooked = 1000;
// This system opens every program with coolant, spindle, speed, G54 and "G0X0Y0".
constexpr std::size_t kOpeningLines = 12;

struct Line {
    std::string_view text;
    const std::vector<Word>& words;
    bool has(char letter) const {
        return std::any_of(words.begin(), words.end(),
                           [&](const Word& w) { return w.letter == letter; });
    }
    bool hasG(double g) const {
        return std::any_of(words.begin(), words.end(),
                           [&](const Word& w) { return w.letter == 'G' && w.value == g; });
    }
    bool hasAnyG(std::initializer_list<double> gs) const {
        return std::any_of(gs.begin(), gs.end(), [&](double g) { return hasG(g); });
    }
    bool hasWord(char letter, double value) const {
        return std::any_of(words.begin(), words.end(),
                           [&](const Word& w) { return w.letter == letter && w.value == value; });
    }
};

// A sign and the dialect it speaks for. Each sign counts once however often it is seen,
// so one kind of word repeated does not outweigh several kinds.
struct Sign {
    Dialect dialect;
    bool (*seen)(const Line&);
};

constexpr std::array kSigns{
    // LinuxCNC: diameter mode, path blending and exact path, G76 with I/J, G7x on an
    // o-sub (Q without P), a tool change by M6, named parameters.
    Sign{Dialect::LinuxCnc,
         [](const Line& l) {
             return l.hasAnyG({7, 8});
         }},
    Sign{Dialect::LinuxCnc,
         [](const Line& l) {
             return l.hasAnyG({61, 64});
         }},
    Sign{Dialect::LinuxCnc, [](const Line& l) { return l.hasG(76) && (l.has('I') || l.has('J')); }},
    Sign{Dialect::LinuxCnc,
         [](const Line& l) {
             return l.hasAnyG({71, 72}) && l.has('Q') && !l.has('P');
         }},
    Sign{Dialect::LinuxCnc, [](const Line& l) { return l.hasWord('M', 6); }},
    Sign{Dialect::LinuxCnc,
         [](const Line& l) { return l.text.find("#<") != std::string_view::npos; }},
    // Fanuc: tool and offset in one T word, subprogram calls, G32, G50, G98/G99 feed modes,
    // the G92 threading cycle, G71/G72 blocks, G76 without I/J/K, G28 by U/W. G70 P.. Q.. names
    // blocks
    // in Fanuc but a pass count and a subroutine in LinuxCNC, so it speaks for neither,
    // and so does G33, which both write.
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return std::any_of(l.words.begin(), l.words.end(),
                                [](const Word& w) { return w.letter == 'T' && w.value >= 100; });
         }},
    Sign{Dialect::Fanuc, [](const Line& l) { return l.hasWord('M', 98); }},
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return l.hasAnyG({32, 50});
         }},
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return l.hasAnyG({98, 99});
         }},
    Sign{Dialect::Fanuc, [](const Line& l) { return l.hasG(92) && l.has('F'); }},
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return l.hasAnyG({71, 72}) && l.has('P') && l.has('Q');
         }},
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return l.hasG(76) && l.has('P') && !l.has('I') && !l.has('J') && !l.has('K');
         }},
    Sign{Dialect::Fanuc,
         [](const Line& l) {
             return l.hasAnyG({71, 72}) && l.has('R') && !l.has('Q');
         }},
    Sign{Dialect::Fanuc, [](const Line& l) { return l.hasG(28) && (l.has('U') || l.has('W')); }},
};

// "G0X0Y0" after a G54 line near the top: no other control's lathe program names Y there.
bool wizardOpening(std::string_view text, const std::vector<std::uint32_t>& starts) {
    bool g54 = false;
    const std::size_t n = std::min(starts.size(), kOpeningLines);
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view line = lineAt(text, starts, i);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line == "G54") g54 = true;
        if (g54 && line == "G0X0Y0") return true;
    }
    return false;
}

}  // namespace

Dialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts) {
    if (wizardOpening(text, starts)) return Dialect::Generic;
    std::array<bool, kSigns.size()> seen{};
    std::vector<Word> words;
    std::vector<BadToken> bad;
    OWord o;
    bool oWords = false;
    const std::size_t n = std::min(starts.size(), kLinesLooked);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view text_line = lineAt(text, starts, i);
        if (readOWord(text_line, o) && !o.keyword.empty()) {
            oWords = true;
            continue;
        }
        readWords(text_line, words, bad);
        const Line line{text_line, words};
        for (std::size_t s = 0; s < kSigns.size(); ++s)
            if (!seen[s] && kSigns[s].seen(line)) seen[s] = true;
    }
    int fanuc = 0, linuxCnc = oWords ? 1 : 0;
    for (std::size_t s = 0; s < kSigns.size(); ++s) {
        if (!seen[s]) continue;
        (kSigns[s].dialect == Dialect::Fanuc ? fanuc : linuxCnc) += 1;
    }
    if (fanuc > linuxCnc) return Dialect::Fanuc;
    if (linuxCnc > fanuc) return Dialect::LinuxCnc;
    return Dialect::Generic;
}

}  // namespace zivek::gcode
