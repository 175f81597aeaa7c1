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

using S = DialectSign;

// How much a sign speaks for its control: a word only that control writes outweighs one
// that a program written for another may carry too.
constexpr int kHint = 1;
constexpr int kSure = 2;
constexpr int kProof = 3;

bool anyAxis(const SignLine& l) {
    return l.has('X') || l.has('Z') || l.has('U') || l.has('W');
}

// A drilling cycle, after which G98 and G99 name the level the drill goes back to.
bool drilling(const SignLine& l) {
    return l.hasAnyG({73, 81, 82, 83, 84, 85, 86, 87, 88, 89});
}

// Arcs that fit only with X as a radius: this system's form and LinuxCNC's both read X so.
constexpr DetectionSign kRadiusArcs{
    kProof, [](const SignLine& l) { return l.arc == ArcFit::OnlyRadius; }, S::XAsRadius};

// A step by U or W before any position is named: only this system knows where the tool
// stands then (at the work zero); a machine move (G28 U0 W0) is no step of the path.
constexpr DetectionSign kMoveFromWorkZero{
    kProof,
    [](const SignLine& l) {
        return !l.positioned && (l.has('U') || l.has('W')) && !l.hasAnyG({28, 30, 50, 53});
    },
    S::MoveFromWorkZero};

constexpr std::array kGenericSigns{kMoveFromWorkZero, kRadiusArcs};

// LinuxCNC: diameter mode, path blending and exact path, G76 with I/J, G7x on an o-sub
// (Q without P), a tool change by M6, named parameters, o-word flow, G98/G99 naming the
// drill's retract level, M73, the nose on the line, the spindle limit by D, and arcs that
// fit only with X as a radius.
constexpr std::array kLinuxCncSigns{
    DetectionSign{kSure, [](const SignLine& l) { return l.hasG(7) || (l.hasG(8) && !l.has('P')); },
                  S::DiameterModeCode},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasAnyG({61, 64});
                  },
                  S::PathControl},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasG(76) && (l.has('I') || l.has('J')); },
                  S::G76WithIJ},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('Q') && !l.has('P');
                  },
                  S::CycleOnSubroutine},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasWord('M', 6); }, S::ToolChangeM6},
    DetectionSign{
        kSure,
        [](const SignLine& l) { return !l.oWord && l.text.find("#<") != std::string_view::npos; },
        S::NamedParameter},
    DetectionSign{kSure, [](const SignLine& l) { return l.oWord; }, S::OWord},
    DetectionSign{kSure,
                  [](const SignLine& l) {
                      return l.hasAnyG({98, 99}) && drilling(l);
                  },
                  S::RetractLevel},
    DetectionSign{kSure, [](const SignLine& l) { return l.hasWord('M', 73); }, S::ModesSaved},
    DetectionSign{kSure,
                  [](const SignLine& l) {
                      return l.hasAnyG({41.1, 42.1});
                  },
                  S::NoseFromTool},
    DetectionSign{kSure, [](const SignLine& l) { return l.hasG(96) && l.has('D'); },
                  S::SpindleLimitByD},
    kRadiusArcs,
};

// "O1234" or "%O1200" before anything else: a Fanuc program number.
bool programNumber(const SignLine& l) {
    std::string_view t = l.text;
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t' || t.front() == '%'))
        t.remove_prefix(1);
    return l.first && !l.oWord && t.size() > 1 && (t[0] == 'O' || t[0] == 'o') && t[1] >= '0' &&
           t[1] <= '9';
}

// A facing feed (along X alone) to a little past the centre line: a diameter program
// facing to "X-0.5", so that the nose leaves no pip. A feed that also moves along Z is
// no facing pass.
bool facingPastCentre(const SignLine& l) {
    if (l.incremental || l.hasAnyG({0, 2, 3}) || l.hasAnyG({7, 8})) return false;
    if (l.has('Z') || l.has('W')) return false;
    for (const Word& w : l.words)
        if (w.letter == 'X' && w.value < 0 && w.value >= -2) return true;
    return false;
}

// Fanuc: program numbers, the spindle limit by G50 S or G92 S, G50 setting the position,
// threads with their lead in F (G32, G33 F), tool and offset in one T word, subprogram
// calls, G98/G99 and G95 feed modes, the G92 threading cycle, G71/G72/G76 in two blocks,
// G28 by U/W, facing past the centre and arcs that fit only with X as a diameter. G70
// P.. Q.. names blocks in Fanuc but a pass count and a subroutine in LinuxCNC, so it
// speaks for neither, and so does G33 with K, which LinuxCNC writes.
constexpr std::array kFanucSigns{
    DetectionSign{kProof, programNumber, S::ProgramNumber},
    DetectionSign{
        kProof,
        [](const SignLine& l) { return (l.hasG(50) || l.hasG(92)) && l.has('S') && !anyAxis(l); },
        S::SpindleLimit},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasG(50) && anyAxis(l); },
                  S::PositionSetting},
    DetectionSign{
        kSure,
        [](const SignLine& l) { return l.hasG(32) || (l.hasG(33) && l.has('F') && !l.has('K')); },
        S::ThreadLeadInF},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return std::any_of(l.words.begin(), l.words.end(), [](const Word& w) {
                          return w.letter == 'T' && w.value >= 100;
                      });
                  },
                  S::ToolWithOffset},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasWord('M', 98); }, S::SubprogramCall},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasAnyG({98, 99}) && !drilling(l);
                  },
                  S::FeedModeG98G99},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasG(95); }, S::FeedPerRevolutionG95},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasG(92) && l.has('F'); },
                  S::ThreadCycleG92},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('P') && l.has('Q');
                  },
                  S::CycleInTwoBlocks},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasG(76) && l.has('P') && !l.has('I') && !l.has('J') && !l.has('K');
                  },
                  S::CycleInTwoBlocks},
    DetectionSign{kHint,
                  [](const SignLine& l) {
                      return l.hasAnyG({71, 72}) && l.has('R') && !l.has('Q');
                  },
                  S::CycleInTwoBlocks},
    DetectionSign{kHint, [](const SignLine& l) { return l.hasG(28) && (l.has('U') || l.has('W')); },
                  S::HomeByIncrement},
    DetectionSign{kHint, facingPastCentre, S::FacingPastCentre},
    DetectionSign{kProof, [](const SignLine& l) { return l.arc == ArcFit::OnlyDiameter; },
                  S::XAsDiameter},
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
                                              {A::Drilling, When::Always},
                                              {A::LatheRepeats, When::Always},
                                              {A::G10, When::Always}}),
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
               .toolWord = ToolWord::ChangesWithOffset,
               .noseFromToolTable = false,
               .noseStartSquareToNext = false,
               .noseTips = kFanucTips,
               .blanksInsideWords = false,
               .arcs = kRoundingArcs},
     .signs = kGenericSigns,
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
                                              {A::Drilling, When::Always},
                                              {A::LatheRepeats, When::Always},
                                              {A::G10, When::Always}}),
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
               .toolWord = ToolWord::ChangesWithOffset,
               .noseFromToolTable = true,
               .noseStartSquareToNext = true,
               .noseTips = kFanucTips,
               .blanksInsideWords = false,
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
               .toolWord = ToolWord::PreparedForM6,
               .noseFromToolTable = false,
               .noseStartSquareToNext = false,
               .noseTips = kLinuxCncTips,
               .blanksInsideWords = true,
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
