#pragma once

// The shapes of the lines a program may hold: the number texts, each line as a shape
// with number slots, and the order of the passes per operation. The sweep and the
// fuzzer both read programs through it. It is a strict grammar of what the generator
// may write, not a reader of G-code in general: the viewer's interpreter is built to
// show hand-edited programs too, so it accepts far more and could not tell a malformed
// line from a sound one.

#include <array>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cycles/cycles.h"

namespace zivek::testing {

enum class Operation { ExternalDiameter, InternalDiameter, Facing, ExternalTaper, InternalTaper };

inline constexpr std::array<Operation, 5> allOperations = {
    Operation::ExternalDiameter, Operation::InternalDiameter, Operation::Facing,
    Operation::ExternalTaper, Operation::InternalTaper};

// The cycle that writes an operation's programs.
inline const Cycle& cycleOf(Operation operation) {
    switch (operation) {
        case Operation::ExternalDiameter:
            return externalDiameterCycle();
        case Operation::InternalDiameter:
            return internalDiameterCycle();
        case Operation::Facing:
            return facingCycle();
        case Operation::ExternalTaper:
            return externalTaperCycle();
        case Operation::InternalTaper:
            return internalTaperCycle();
    }
    std::abort();
}

inline bool isStraight(Operation operation) {
    return operation != Operation::ExternalTaper && operation != Operation::InternalTaper;
}

namespace shapes_detail {

inline bool allDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// "0"; or positional between .0001 and 10^15 with at most 15 significant digits, no
// zero before the point, no trailing zero after it, no point without a fraction.
inline bool isPositional(std::string_view text) {
    if (text == "0") return true;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!allDigits(whole) || !allDigits(fraction)) return false;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))
        return false;
    if (whole.empty()) {
        const std::size_t firstDigit = fraction.find_first_not_of('0');
        if (firstDigit == std::string_view::npos || firstDigit > 3) return false;  // below .0001
        return fraction.size() - firstDigit <= 15;
    }
    return whole.front() != '0' && whole.size() <= 15 && whole.size() + fraction.size() <= 15;
}

// Outside that range: d[.ddd]E±xx with 15 significant digits at most.
inline bool isExponential(std::string_view text) {
    const std::size_t mark = text.find('E');
    if (mark == std::string_view::npos || mark + 2 > text.size()) return false;
    const std::string_view mantissa = text.substr(0, mark);
    const char sign = text[mark + 1];
    const std::string_view exponent = text.substr(mark + 2);
    if (mantissa.empty() || mantissa.front() < '1' || mantissa.front() > '9') return false;
    if (mantissa.size() > 1) {
        if (mantissa.size() < 3 || mantissa[1] != '.' || !allDigits(mantissa.substr(2)) ||
            mantissa.back() == '0' || mantissa.size() - 1 > 15)
            return false;
    }
    if ((sign != '+' && sign != '-') || !allDigits(exponent)) return false;
    if (exponent.size() != 2 && !(exponent.size() == 3 && exponent.front() != '0')) return false;
    const int power = std::stoi(std::string(exponent));
    return sign == '+' ? power >= 15 && power <= 308 : power >= 5 && power <= 324;
}

}  // namespace shapes_detail

// The text of a number's magnitude.
inline bool isMagnitudeText(std::string_view text) {
    return shapes_detail::isPositional(text) || shapes_detail::isExponential(text);
}

// A line shape is literal text with number slots: 'n' any number, 'p' a number without
// sign, 'm' zero or a negative number ("-0" is never a number). The lines hold upper-case
// words only, so the lower-case slot letters cannot clash with them. On a match, slots
// receives each slot's text in order.
inline bool matchShape(std::string_view line, std::string_view shape,
                       std::vector<std::string_view>* slots = nullptr) {
    if (slots) slots->clear();
    std::size_t at = 0;
    for (char part : shape) {
        if (part != 'n' && part != 'p' && part != 'm') {
            if (at >= line.size() || line[at] != part) return false;
            ++at;
            continue;
        }
        const std::size_t start = at;
        const bool negative = at < line.size() && line[at] == '-';
        if (negative) ++at;
        const std::size_t body = at;
        auto digitsOrPoint = [&] {
            while (at < line.size() && ((line[at] >= '0' && line[at] <= '9') || line[at] == '.'))
                ++at;
        };
        digitsOrPoint();
        if (at < line.size() && line[at] == 'E') {
            ++at;
            if (at < line.size() && (line[at] == '+' || line[at] == '-')) ++at;
            digitsOrPoint();
        }
        const std::string_view magnitude = line.substr(body, at - body);
        if (!isMagnitudeText(magnitude) || (negative && magnitude == "0")) return false;
        if ((part == 'p' && negative) || (part == 'm' && !negative && magnitude != "0"))
            return false;
        if (slots) slots->push_back(line.substr(start, at - start));
    }
    return at == line.size();
}

// The line shapes of one operation's passes. The straight cycles write one or more
// roughing passes and one finishing pass; the tapers one or more passes of one shape.
struct PassShapes {
    std::vector<std::string_view> repeated;
    std::vector<std::string_view> last;  // empty for the tapers
};

inline PassShapes passShapes(Operation operation) {
    switch (operation) {
        case Operation::ExternalDiameter:
            return {{"G0Um", "G1WmFn", "G0UpWp"}, {"G0Um", "G1WmFn", "UpFn", "G0Wp"}};
        case Operation::InternalDiameter:
            return {{"G0Up", "G1WmFn", "G0UmWp"}, {"G0Up", "G1WmFn", "UmFn", "G0Wp"}};
        case Operation::Facing:
            return {{"G0Wm", "G1UmFn", "G0WpUp"}, {"G0Wm", "G1UmFn", "WpFn", "G0Up"}};
        case Operation::ExternalTaper:
            return {{"G0Um", "G1UpWmFn", "G0X0Z0"}, {}};
        case Operation::InternalTaper:
            return {{"G0Up", "G1UmWmFn", "G0X0Z0"}, {}};
    }
    return {};
}

inline const std::vector<std::vector<std::string_view>> openingShapes = {
    {"M08", "M09"}, {"M03", "M04"}, {"Sp"}, {"G54"}, {"G0X0Y0"}};
inline const std::vector<std::string_view> closingShapes = {"M05", "M30", "%"};

// One pass: where it stands, whether it is the finishing pass, and its lines' slots.
struct ParsedPass {
    std::size_t firstLine = 0;
    bool finishing = false;
    std::vector<std::vector<std::string_view>> slots;
    std::size_t lineCount() const { return slots.size(); }
};

struct ParsedProgram {
    bool ok = false;
    std::string fault;  // why not, naming the line
    std::vector<ParsedPass> passes;
};

// Reads a program's lines (without their line ends) against the operation's grammar:
// the opening lines, the passes, the closing lines.
inline ParsedProgram parseProgram(Operation operation, const std::vector<std::string>& lines) {
    ParsedProgram parsed;
    auto fail = [&](std::size_t line, std::string why) {
        parsed.fault = "line " + std::to_string(line + 1) + " \"" +
                       (line < lines.size() ? lines[line] : std::string("<none>")) + "\": " + why;
        return parsed;
    };
    const std::size_t closing = closingShapes.size();
    if (lines.size() < openingShapes.size() + closing) return fail(lines.size(), "too short");
    for (std::size_t i = 0; i < openingShapes.size(); ++i) {
        bool any = false;
        for (std::string_view shape : openingShapes[i]) any = any || matchShape(lines[i], shape);
        if (!any) return fail(i, "not an opening line");
    }
    const std::size_t passesEnd = lines.size() - closing;
    for (std::size_t i = 0; i < closing; ++i)
        if (lines[passesEnd + i] != closingShapes[i])
            return fail(passesEnd + i, "not a closing line");

    const PassShapes shapes = passShapes(operation);
    auto matchPass = [&](std::size_t first, const std::vector<std::string_view>& pass,
                         bool finishing) {
        if (pass.empty() || first + pass.size() > passesEnd) return false;
        ParsedPass parsedPass{first, finishing, {}};
        std::vector<std::string_view> slots;
        for (std::size_t i = 0; i < pass.size(); ++i) {
            if (!matchShape(lines[first + i], pass[i], &slots)) return false;
            parsedPass.slots.push_back(slots);
        }
        parsed.passes.push_back(std::move(parsedPass));
        return true;
    };
    std::size_t at = openingShapes.size();
    bool finished = shapes.last.empty();
    while (at < passesEnd) {
        if (matchPass(at, shapes.repeated, false)) {
            at += shapes.repeated.size();
        } else if (!finished && !parsed.passes.empty() && matchPass(at, shapes.last, true)) {
            at += shapes.last.size();
            finished = true;
            if (at != passesEnd) return fail(at, "a line after the finishing pass");
        } else {
            return fail(at, "not a line of this operation's passes here");
        }
    }
    if (parsed.passes.empty() || !finished) return fail(passesEnd, "the passes are incomplete");
    parsed.ok = true;
    return parsed;
}

}  // namespace zivek::testing
