#pragma once

#include "gcode/internal.h"

// The dialects a program may be read in, one row each: everything that differs between
// them is in its row, so that another control is one more row (dialects.cpp).

#include <span>
#include <string_view>
#include <vector>

#include "gcode/dialect_rules.h"
#include "gcode/gcode_words.h"

namespace zivek::gcode {

// Which readings of X an arc's words fit, where detection could follow the tool to it.
enum class ArcFit : std::uint8_t { Unknown, Both, OnlyDiameter, OnlyRadius, Neither };

// A program line as detection sees it.
struct SignLine {
    std::string_view text;
    const std::vector<Word>& words;  // none on an o-word line
    bool oWord = false;              // "o100 sub", "o<name> call" ...
    bool first = false;              // the first line with any word: where a program number is
    ArcFit arc = ArcFit::Unknown;    // for an arc move; Unknown on any other line
    bool positioned = false;         // an earlier line named X or Z
    bool incremental = false;        // under G91
    bool has(char letter) const;
    bool hasG(double g) const;
    bool hasAnyG(std::initializer_list<double> gs) const;
    bool hasWord(char letter, double value) const;
};

// A sign that a program was written for a dialect, and how much it speaks for it. Each
// counts once however often it is seen, so one kind of word repeated does not outweigh
// several kinds.
struct DetectionSign {
    int weight;
    bool (*seen)(const SignLine&);
    DialectSign kind{};  // what the reader's result names as the reason
};

struct DialectRow {
    Dialect dialect;
    std::string_view key;   // in summaries: "generic", "fanuc" ...
    std::string_view name;  // as the viewer shows it, UTF-8
    DialectRules rules;
    std::span<const DetectionSign> signs;
    // A program opening that settles the dialect whatever its signs; none when null.
    bool (*opening)(std::string_view text, const std::vector<std::uint32_t>& starts) = nullptr;
};

// In the order of Dialect; the first is the one a program with no clear sign is read in.
std::span<const DialectRow> dialects();
const DialectRow& dialectRow(Dialect dialect);

struct DetectedDialect {
    Dialect dialect = Dialect::Generic;
    bool doubtful = false;
    std::vector<DialectSign> reasons;  // the chosen row's signs seen, heaviest first
};

// The dialect of the row whose opening the program has, or else of the row whose signs
// seen in the program's heading weigh most; on a tie, the first row's. Doubtful when no
// sign was seen or another row came within kClearLead. The reader asks it of dialects().
DetectedDialect weighAmong(std::span<const DialectRow> rows, std::string_view text,
                           const std::vector<std::uint32_t>& starts);
inline constexpr int kClearLead = 2;
// The same among the reader's own rows.
DetectedDialect detectDialect(std::string_view text, const std::vector<std::uint32_t>& starts);
Dialect detectAmong(std::span<const DialectRow> rows, std::string_view text,
                    const std::vector<std::uint32_t>& starts);

}  // namespace zivek::gcode
