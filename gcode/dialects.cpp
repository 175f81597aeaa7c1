// One row per dialect, in the order of the Dialect enum: its names, its rules and the
// signs that a program was written for it.

#include "gcode/dialects.h"

#include <algorithm>
#include <array>

#include "zivek/gcode/dialect_names.h"

namespace zivek::gcode {
namespace {

using A = Ambiguous;
using When = OtherMeaning;

// This system opens every program with coolant, spindle, speed, G54 and "G0X0Y0".
constexpr std::size_t kOpeningLines = 12;

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

// LinuxCNC: diameter mode, path blending and exact path, G76 with I/J, G7x on an o-sub
// (Q without P), a tool change by M6, named parameters, o-word flow.
constexpr std::array kLinuxCncSigns{
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({7, 8});
                  }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({61, 64});
                  }},
    DetectionSign{1, [](const SignLine& l) { return l.hasG(76) && (l.has('I') || l.has('J')); }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('Q') && !l.has('P');
                  }},
    DetectionSign{1, [](const SignLine& l) { return l.hasWord('M', 6); }},
    DetectionSign{
        1,
        [](const SignLine& l) { return !l.oWord && l.text.find("#<") != std::string_view::npos; }},
    DetectionSign{1, [](const SignLine& l) { return l.oWord; }},
};

// Fanuc: tool and offset in one T word, subprogram calls, G32, G50, G98/G99 feed modes,
// the G92 threading cycle, G71/G72 blocks, G76 without I/J/K, G28 by U/W. G70 P.. Q..
// names blocks in Fanuc but a pass count and a subroutine in LinuxCNC, so it speaks for
// neither, and so does G33, which both write.
constexpr std::array kFanucSigns{
    DetectionSign{1,
                  [](const SignLine& l) {
                      return std::any_of(l.words.begin(), l.words.end(), [](const Word& w) {
                          return w.letter == 'T' && w.value >= 100;
                      });
                  }},
    DetectionSign{1, [](const SignLine& l) { return l.hasWord('M', 98); }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({32, 50});
                  }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({98, 99});
                  }},
    DetectionSign{1, [](const SignLine& l) { return l.hasG(92) && l.has('F'); }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('P') && l.has('Q');
                  }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasG(76) && l.has('P') && !l.has('I') && !l.has('J') && !l.has('K');
                  }},
    DetectionSign{1,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('R') && !l.has('Q');
                  }},
    DetectionSign{1, [](const SignLine& l) { return l.hasG(28) && (l.has('U') || l.has('W')); }},
};

constexpr auto kDialects = std::to_array<DialectRow>({
    // This system's own form: X as written, U/W steps from where the tool was zeroed.
    {.dialect = Dialect::Generic,
     .key = "generic",
     .name = "genel",
     .rules = {.xDiameter = false,
               .feedPerRevolution = false,
               .otherMeaning = otherMeanings({{A::G50, When::Always},
                                              {A::G92, When::WithLead},
                                              {A::G98G99, When::Always},
                                              {A::Drilling, When::Always}}),
               .twoOfOneGroup = TwoOfOneGroup::LastCounts,
               .m73SavesModes = false,
               .g96LimitFromD = false,
               .cyclesOnSubroutine = false,
               .contourCorners = false,
               .contourArcsAsWritten = false,
               .g76OneBlock = false,
               .leadFromFeed = true,
               .startAtWorkZero = true,
               .noseFromWords = false,
               .arcs = kRoundingArcs},
     .signs = {},
     .opening = wizardOpening},
    // Fanuc and Haas lathes, G-code system A. Two codes of one group: the last counts.
    {.dialect = Dialect::Fanuc,
     .key = "fanuc",
     .name = "Fanuc",
     .rules = {.xDiameter = true,
               .feedPerRevolution = true,
               .otherMeaning = otherMeanings({{A::G50, When::Always},
                                              {A::G90, When::WithAxesAlone},
                                              {A::G92, When::Always},
                                              {A::G94, When::WithAxesAlone},
                                              {A::G98G99, When::Always},
                                              {A::Drilling, When::Always}}),
               .twoOfOneGroup = TwoOfOneGroup::LastCounts,
               .m73SavesModes = false,
               .g96LimitFromD = false,
               .cyclesOnSubroutine = false,
               .contourCorners = false,
               .contourArcsAsWritten = false,
               .g76OneBlock = false,
               .leadFromFeed = true,
               .startAtWorkZero = false,
               .noseFromWords = false,
               .arcs = kRoundingArcs},
     .signs = kFanucSigns},
    // LinuxCNC 2.9 in lathe mode, whose codes are the table's first rows. It refuses a
    // line with two codes of one group.
    {.dialect = Dialect::LinuxCnc,
     .key = "linuxcnc",
     .name = "LinuxCNC",
     .rules = {.xDiameter = false,
               .feedPerRevolution = false,
               .otherMeaning = otherMeanings({}),
               .twoOfOneGroup = TwoOfOneGroup::LineRefused,
               .m73SavesModes = true,
               .g96LimitFromD = true,
               .cyclesOnSubroutine = true,
               .contourCorners = true,
               .contourArcsAsWritten = true,
               .g76OneBlock = true,
               .leadFromFeed = false,
               .startAtWorkZero = false,
               .noseFromWords = true,
               .arcs = kLinuxCncArcs},
     .signs = kLinuxCncSigns},
});

static_assert(
    [] {
        for (std::size_t i = 0; i < kDialects.size(); ++i)
            if (std::size_t(kDialects[i].dialect) != i) return false;
        return true;
    }(),
    "dialect rows in the order of Dialect");

}  // namespace

std::span<const DialectRow> dialects() {
    return kDialects;
}

const DialectRow& dialectRow(Dialect dialect) {
    return kDialects[std::size_t(dialect)];
}

const DialectRules& rulesOf(Dialect dialect) {
    return dialectRow(dialect).rules;
}

namespace {
// The rows' names, for those outside the reader.
constexpr auto kNames = [] {
    std::array<DialectName, kDialects.size()> names{};
    for (std::size_t i = 0; i < kDialects.size(); ++i)
        names[i] = {kDialects[i].dialect, kDialects[i].key, kDialects[i].name};
    return names;
}();
}  // namespace

std::span<const DialectName> dialectNames() {
    return kNames;
}

const DialectName& dialectNameOf(Dialect dialect) {
    return kNames[std::size_t(dialect)];
}

}  // namespace zivek::gcode
