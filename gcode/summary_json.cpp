#include "zivek/gcode/summary_json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "gcode/dialects.h"

namespace zivek::gcode {
namespace {

std::string num(double v) {
    if (!std::isfinite(v)) return "null";
    if (v == 0) return "0";  // no "-0"
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

const char* encodingName(Encoding e) {
    switch (e) {
        case Encoding::Utf8:
            return "utf-8";
        case Encoding::Utf8Bom:
            return "utf-8-bom";
        case Encoding::Windows1254:
            return "windows-1254";
        case Encoding::Ascii:
            break;
    }
    return "ascii";
}

const char* lineEndsName(LineEnds l) {
    switch (l) {
        case LineEnds::CrLf:
            return "crlf";
        case LineEnds::Lf:
            return "lf";
        case LineEnds::Cr:
            return "cr";
        case LineEnds::Mixed:
            return "mixed";
        case LineEnds::None:
            break;
    }
    return "none";
}

const char* gapName(TimeGap g) {
    switch (g) {
        case TimeGap::NoFeed:
            return "no-feed";
        case TimeGap::NoSpindle:
            return "no-spindle-speed";
        case TimeGap::None:
            break;
    }
    return "none";
}

// A comment's text as a JSON string: quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view text) {
    std::string q = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
            q += buf;
        } else {
            q += c;
        }
    }
    return q + "\"";
}

// Each tool change in order, with its share of the moves; lines numbered from 1.
std::string toolsJson(const Toolpath& path) {
    std::string j = "  \"tools\": [";
    for (std::size_t i = 0; i < path.tools.size(); ++i) {
        const ToolChange& t = path.tools[i];
        const MoveTotals& m = t.totals;
        j += std::string(i == 0 ? "\n" : ",\n") + "    {\"tool\": " + std::to_string(t.tool) +
             ", \"offset\": " + std::to_string(t.offset) +
             ", \"line\": " + std::to_string(t.line + 1) +
             ", \"description\": " + jsonString(t.description) +
             ", \"moves\": " + std::to_string(m.moves()) +
             ", \"feedLength\": " + num(m.feedLength) + ", \"rapidLength\": " + num(m.rapidLength) +
             ", \"cuttingMinutes\": " + num(m.feedMovesWithoutRate == 0 ? m.cuttingMinutes : NAN) +
             "}";
    }
    return j + (path.tools.empty() ? "],\n" : "\n  ],\n");
}

// How the dialect was chosen, and the signs that chose it.
std::string dialectChoiceJson(const DialectChoice& choice) {
    std::string j = "  \"dialect_chosen\": \"" +
                    std::string(choice.chosenByHand ? "given" : "detected") + "\",\n";
    j += "  \"dialect_doubtful\": " + std::string(choice.doubtful ? "true" : "false") + ",\n";
    j += "  \"dialect_reasons\": [";
    for (std::size_t i = 0; i < choice.reasons.size(); ++i)
        j += std::string(i == 0 ? "" : ", ") + "\"" + dialectSignKey(choice.reasons[i]) + "\"";
    return j + "],\n";
}

}  // namespace

const char* warningName(Warning w) {
    static constexpr std::array<const char*, kWarningKinds> names = {"UnknownWord",
                                                                     "BadNumber",
                                                                     "UnsupportedG",
                                                                     "UnsupportedM",
                                                                     "NoMotionMode",
                                                                     "NoFeedRate",
                                                                     "OpenComment",
                                                                     "AbsoluteAndIncremental",
                                                                     "OutOfRange",
                                                                     "TooManyWarnings",
                                                                     "RepeatedWord",
                                                                     "LongLine",
                                                                     "UnknownStart",
                                                                     "BadArc",
                                                                     "CycleIncomplete",
                                                                     "CycleMissingContour",
                                                                     "ExpansionLimit",
                                                                     "NotEvaluated",
                                                                     "ThreadWithoutLead",
                                                                     "BadExpression",
                                                                     "MathError",
                                                                     "ReadOnlyParameter",
                                                                     "SubroutineFileMissing",
                                                                     "BeyondReach",
                                                                     "CompensationNotDrawn",
                                                                     "CompensationRefused",
                                                                     "SameGroupTwice"};
    return names[std::size_t(w)];
}

const char* dialectSignKey(DialectSign sign) {
    static constexpr std::array<const char*, std::size_t(DialectSign::ModesSaved) + 1> keys = {
        "wizard-opening",      "program-number",
        "spindle-limit",       "position-setting",
        "thread-lead-in-f",    "feed-mode-g98-g99",
        "feed-per-rev-g95",    "tool-with-offset",
        "subprogram-call",     "thread-cycle-g92",
        "cycle-in-two-blocks", "home-by-increment",
        "facing-past-centre",  "x-as-diameter",
        "x-as-radius",         "diameter-mode-code",
        "path-control",        "g76-with-ij",
        "cycle-on-subroutine", "tool-change-m6",
        "named-parameter",     "o-word",
        "nose-from-tool",      "spindle-limit-by-d",
        "move-from-work-zero", "retract-level",
        "modes-saved"};
    return keys[std::size_t(sign)];
}

std::string summaryJson(const Toolpath& path, const DecodedText& decoded, double rapidRate) {
    const Summary& s = path.summary;
    const double xs = path.xScale();
    std::array<std::size_t, kWarningKinds> counts{};
    for (const LineWarning& w : path.warnings) ++counts[std::size_t(w.code)];
    const bool timed = s.feedMovesWithoutRate == 0;
    const double rapidMinutes = rapidRate > 0 ? s.rapidLength / rapidRate : NAN;

    std::string j = "{\n";
    j += "  \"dialect\": \"" + std::string(dialectRow(path.dialect).key) + "\",\n";
    j += dialectChoiceJson(path.dialectChoice);
    j += "  \"xMode\": \"" + std::string(path.diameterMode ? "diameter" : "radius") + "\",\n";
    j += "  \"units\": \"" + std::string(path.inch ? "inch" : "mm") + "\",\n";
    j += "  \"encoding\": \"" + std::string(encodingName(decoded.encoding)) + "\",\n";
    j += "  \"lineEnds\": \"" + std::string(lineEndsName(decoded.lineEnds)) + "\",\n";
    j += "  \"lines\": " + std::to_string(path.lineCount) + ",\n";
    j += "  \"moves\": {\"rapid\": " + std::to_string(s.rapidMoves) +
         ", \"feed\": " + std::to_string(s.feedMoves) + ", \"arc\": " + std::to_string(s.arcMoves) +
         ", \"thread\": " + std::to_string(s.threadMoves) +
         ", \"fromCycles\": " + std::to_string(s.cycleMoves) + "},\n";
    j += "  \"length\": {\"feed\": " + num(s.feedLength) + ", \"rapid\": " + num(s.rapidLength) +
         "},\n";
    j += "  \"time\": {\"cuttingMinutes\": " + num(timed ? s.cuttingMinutes : NAN) +
         ", \"knownCuttingMinutes\": " + num(s.cuttingMinutes) +
         ", \"feedMovesWithoutTime\": " + std::to_string(s.feedMovesWithoutRate) +
         ", \"reason\": \"" + gapName(s.timeGap) + "\", \"rapidRate\": " + num(rapidRate) +
         ", \"rapidMinutes\": " + num(rapidMinutes) +
         ", \"totalMinutes\": " + num(timed ? s.cuttingMinutes + rapidMinutes : NAN) + "},\n";
    j += "  \"extent\": ";
    if (s.extent.empty) {
        j += "null,\n";
    } else {
        j += "{\"zMin\": " + num(s.extent.min.z) + ", \"zMax\": " + num(s.extent.max.z) +
             ", \"xMin\": " + num(s.extent.min.x * xs) + ", \"xMax\": " + num(s.extent.max.x * xs) +
             "},\n";
    }
    j += "  \"incompleteCycles\": " + std::to_string(s.incompleteCycles) + ",\n";
    j += toolsJson(path);
    // The nose each G41/G42 took from the tool table: which T, under which row, how large.
    j += "  \"noses\": [";
    for (std::size_t i = 0; i < path.noses.size(); ++i) {
        const NoseUsed& n = path.noses[i];
        j += std::string(i ? ", " : "") + "{\"line\": " + std::to_string(n.line + 1) +
             ", \"tool\": " + std::to_string(n.tool) + ", \"entry\": " + std::to_string(n.entry) +
             ", \"radius\": " + num(n.radius) + ", \"tip\": " + std::to_string(n.tip) + "}";
    }
    j += "],\n";
    j += "  \"warnings\": {\"total\": " + std::to_string(path.warnings.size()) + ", \"byKind\": {";
    bool first = true;
    for (std::size_t k = 0; k < kWarningKinds; ++k) {
        if (counts[k] == 0) continue;
        j += std::string(first ? "" : ", ") + "\"" + warningName(Warning(k)) +
             "\": " + std::to_string(counts[k]);
        first = false;
    }
    j += "}}\n}\n";
    return j;
}

}  // namespace zivek::gcode
