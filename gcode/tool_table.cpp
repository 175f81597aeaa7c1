#include "zivek/gcode/tool_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>

#include "gcode/number_reading.h"

namespace zivek::gcode {

namespace {

constexpr double kMillimetresPerInch = 25.4;

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

std::optional<double> numberOf(std::string_view text) {
    double value = 0;
    bool ok = true;
    if (text.empty() || readNumber(text, value, ok) != text.size() || !ok) return std::nullopt;
    return value;
}

// The ISO shape letters of turning inserts and the angle at their cutting corner.
struct Shape {
    char letter;
    double angle;
};
constexpr std::array kShapes{
    Shape{'A', 85}, Shape{'B', 82},  Shape{'C', 80},  Shape{'D', 55},
    Shape{'E', 75}, Shape{'H', 120}, Shape{'K', 55},  Shape{'L', 90},
    Shape{'M', 86}, Shape{'O', 135}, Shape{'P', 108}, Shape{'R', 0},
    Shape{'S', 90}, Shape{'T', 60},  Shape{'V', 35},  Shape{'W', 80},
};

// The edge length an insert of this shape has around a circle of this size: the
// number the ISO code's size digits round.
double edgeLength(char shape, double angle, double inscribed) {
    switch (shape) {
        case 'R':
            return inscribed;
        case 'S':
        case 'L':
            return inscribed;
        case 'T':
            return inscribed * std::numbers::sqrt3;
        // A trigon's edge is the short side of its 80/160 degree corners.
        case 'W':
            return inscribed * 0.685;
        case 'H':
            return inscribed / std::numbers::sqrt3;
        case 'O':
            return inscribed * std::tan(std::numbers::pi / 8);
        case 'P':
            return inscribed * std::tan(std::numbers::pi / 5);
        default:
            return inscribed / std::sin(angle * std::numbers::pi / 180);
    }
}

// The standard inscribed circles, in millimetres: the code names one of them.
constexpr std::array kInscribedCircles{3.97, 4.76,   5.56,  6.35, 7.94, 9.525,
                                       12.7, 15.875, 19.05, 25.4, 31.75};

double inscribedFromEdge(char shape, double angle, int sizeDigits) {
    if (shape == 'R') return sizeDigits;
    double best = kInscribedCircles.front();
    double bestGap = INFINITY;
    for (const double ic : kInscribedCircles) {
        const double gap = std::abs(edgeLength(shape, angle, ic) - sizeDigits);
        if (gap < bestGap) {
            best = ic;
            bestGap = gap;
        }
    }
    return best;
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), number_reading::isDigit);
}

int digitsValue(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string numberText(double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

// A line's words, upper case, the comment split off.
struct LineWords {
    std::vector<std::string> words;
    std::string comment;
};

LineWords splitLine(std::string_view line) {
    LineWords out;
    const auto semicolon = line.find(';');
    if (semicolon != std::string_view::npos) {
        auto comment = line.substr(semicolon + 1);
        while (!comment.empty() && (comment.front() == ' ' || comment.front() == '\t'))
            comment.remove_prefix(1);
        while (!comment.empty() &&
               (comment.back() == ' ' || comment.back() == '\t' || comment.back() == '\r'))
            comment.remove_suffix(1);
        out.comment = std::string(comment);
        line = line.substr(0, semicolon);
    }
    std::string current;
    int depth = 0;  // inside HOLDER(...), spaces separate pairs, not words
    for (const char raw : line) {
        const char c = upper(raw);
        if ((c == ' ' || c == '\t' || c == '\r') && depth == 0) {
            if (!current.empty()) out.words.push_back(std::move(current));
            current.clear();
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
        current += (c == '\t' || c == '\r') ? ' ' : c;
    }
    if (!current.empty()) out.words.push_back(std::move(current));
    return out;
}

std::optional<std::vector<Point>> readHolder(std::string_view inside) {
    std::vector<Point> points;
    std::size_t i = 0;
    while (i < inside.size()) {
        while (i < inside.size() && inside[i] == ' ') ++i;
        if (i == inside.size()) break;
        const auto end = std::min(inside.find(' ', i), inside.size());
        const auto pair = inside.substr(i, end - i);
        const auto comma = pair.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        const auto z = numberOf(pair.substr(0, comma));
        const auto x = numberOf(pair.substr(comma + 1));
        if (!z || !x) return std::nullopt;
        points.push_back({*z, *x});
        i = end;
    }
    if (points.size() < 3) return std::nullopt;
    return points;
}

// What one line says, before it is known whether the line is kept.
struct LineReading {
    std::optional<int> number;
    ToolEntry entry;
    std::optional<double> radius;    // R
    std::optional<double> diameter;  // D
    std::optional<double> width;     // W
    std::optional<InsertCode> code;
};

bool isWholeIn(double value, double low, double high) {
    return value == std::floor(value) && value >= low && value <= high;
}

}  // namespace

const ToolEntry* ToolTable::find(int number) const {
    const auto it = std::lower_bound(tools.begin(), tools.end(), number,
                                     [](const ToolEntry& e, int n) { return e.number < n; });
    return it != tools.end() && it->number == number ? &*it : nullptr;
}

std::optional<InsertCode> readInsertCode(std::string_view code) {
    const std::string text = upperCase(code);
    if (text.size() < 7) return std::nullopt;
    const auto shape = std::find_if(kShapes.begin(), kShapes.end(),
                                    [&](const Shape& s) { return s.letter == text[0]; });
    if (shape == kShapes.end()) return std::nullopt;
    if (!std::all_of(text.begin(), text.begin() + 4, isLetter)) return std::nullopt;
    // Makers add a chip breaker after a dash or letters: "CNMG120408-PM", "CNMG120408MF".
    std::string_view rest = std::string_view(text).substr(4);
    auto digitsEnd = rest.find_first_not_of("0123456789");
    if (digitsEnd == std::string_view::npos) digitsEnd = rest.size();
    const auto digits = rest.substr(0, digitsEnd);
    auto after = rest.substr(digitsEnd);

    InsertCode out;
    out.insert.kind = InsertKind::Turning;
    out.insert.shape = shape->letter;
    out.insert.includedAngle = shape->angle;
    out.insert.code = std::string(code);
    if (digits.size() == 3) {
        // ANSI: inscribed circle in eighths of an inch, thickness in sixteenths, nose
        // radius in sixty-fourths.
        out.inch = true;
        out.insert.inscribedCircle = (digits[0] - '0') / 8.0;
        out.noseRadius = (digits[2] - '0') / 64.0;
    } else if (digits.size() == 6 || (digits.size() == 4 && after.starts_with("M0"))) {
        out.insert.inscribedCircle =
            inscribedFromEdge(shape->letter, shape->angle, digitsValue(digits.substr(0, 2)));
        if (digits.size() == 6) {
            out.noseRadius = digitsValue(digits.substr(4, 2)) / 10.0;
        } else {
            out.noseRadius = out.insert.inscribedCircle / 2;  // a round insert is all nose
            after.remove_prefix(2);
        }
    } else {
        return std::nullopt;
    }
    if (!after.empty() && after.front() != '-' &&
        !std::all_of(after.begin(), after.end(), isLetter))
        return std::nullopt;
    if (shape->letter == 'R' && out.noseRadius == 0)
        out.noseRadius = out.insert.inscribedCircle / 2;
    return out;
}

ToolTableReading readToolTable(std::string_view text) {
    ToolTableReading out;
    std::size_t lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        auto end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const auto line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;

        auto [words, comment] = splitLine(line);
        if (words.empty()) continue;
        if (words.size() == 1 && (words[0] == "G20" || words[0] == "G21")) {
            out.table.inch = words[0] == "G20";
            continue;
        }
        auto fault = [&](ToolTableFaultKind kind, std::string_view word) {
            out.faults.push_back({lineNumber, kind, std::string(word)});
        };

        LineReading r;
        r.entry.description = comment;
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::string& word = words[i];
            if (word == "GROOVE" || word == "KANAL") {
                r.entry.insert.kind = InsertKind::Grooving;
                r.entry.insert.code = "GROOVE";
                continue;
            }
            if (word == "DRILL" || word == "MATKAP") {
                r.entry.insert.kind = InsertKind::Drill;
                r.entry.insert.code = "DRILL";
                continue;
            }
            if (word.starts_with("HOLDER(") && word.ends_with(")")) {
                const auto holder = readHolder(std::string_view(word).substr(7, word.size() - 8));
                if (holder)
                    r.entry.holder = *holder;
                else
                    fault(ToolTableFaultKind::BadHolder, word);
                continue;
            }
            // "CNMG 120408": the code and its digits written apart.
            std::string code = word;
            if (code.size() == 4 && i + 1 < words.size() && allDigits(words[i + 1].substr(0, 3)))
                code += words[i + 1];
            if (code.size() >= 7 && isLetter(code[1])) {
                if (auto insert = readInsertCode(code)) {
                    r.code = insert;
                    if (code.size() != word.size()) ++i;
                    continue;
                }
                fault(ToolTableFaultKind::UnknownWord, word);
                continue;
            }
            const auto value = numberOf(std::string_view(word).substr(1));
            if (!value) {
                const bool letterThenNumber =
                    isLetter(word[0]) && (word.size() == 1 || !isLetter(word[1]));
                fault(letterThenNumber ? ToolTableFaultKind::BadNumber
                                       : ToolTableFaultKind::UnknownWord,
                      word);
                continue;
            }
            switch (word[0]) {
                case 'T':
                    if (isWholeIn(*value, 0, 99999))
                        r.number = int(*value);
                    else
                        fault(ToolTableFaultKind::BadNumber, word);
                    break;
                case 'P':
                    if (isWholeIn(*value, 0, 99999))
                        r.entry.pocket = int(*value);
                    else
                        fault(ToolTableFaultKind::BadNumber, word);
                    break;
                case 'Q':
                    if (isWholeIn(*value, 0, 9))
                        r.entry.tip = int(*value);
                    else
                        fault(ToolTableFaultKind::BadNumber, word);
                    break;
                case 'Z':
                    r.entry.zOffset = *value;
                    break;
                case 'X':
                    r.entry.xOffset = *value;
                    break;
                case 'R':
                case 'D':
                case 'W':
                    if (*value < 0) {
                        fault(ToolTableFaultKind::BadNumber, word);
                        break;
                    }
                    (word[0] == 'R' ? r.radius : word[0] == 'D' ? r.diameter : r.width) = *value;
                    break;
                // LinuxCNC's other axes' offsets (W too, unless the tool is a blade) and its
                // front and back angles: of no use to a two-axis lathe's drawing.
                case 'Y':
                case 'A':
                case 'B':
                case 'C':
                case 'U':
                case 'V':
                case 'I':
                case 'J':
                    break;
                default:
                    fault(ToolTableFaultKind::UnknownWord, word);
            }
        }
        if (!r.number) {
            fault(ToolTableFaultKind::NoToolNumber, words[0]);
            continue;
        }

        ToolEntry entry = std::move(r.entry);
        entry.number = *r.number;
        if (r.code) {
            entry.insert = r.code->insert;
            const double scale = r.code->inch == out.table.inch ? 1.0
                                 : out.table.inch               ? 1 / kMillimetresPerInch
                                                                : kMillimetresPerInch;
            entry.insert.inscribedCircle *= scale;
            entry.noseRadius = r.code->noseRadius * scale;
        }
        switch (entry.insert.kind) {
            case InsertKind::Drill:
                // A drill's D is its size; it cuts with its point, not a nose.
                entry.insert.width = r.diameter.value_or(0);
                entry.noseRadius = r.radius.value_or(0);
                break;
            case InsertKind::Grooving:
                entry.insert.width = r.width.value_or(0);
                if (r.diameter) entry.noseRadius = *r.diameter / 2;
                if (r.radius) entry.noseRadius = *r.radius;
                break;
            default:
                if (r.diameter) entry.noseRadius = *r.diameter / 2;
                if (r.radius) entry.noseRadius = *r.radius;
        }

        const auto place =
            std::lower_bound(out.table.tools.begin(), out.table.tools.end(), entry.number,
                             [](const ToolEntry& e, int n) { return e.number < n; });
        if (place != out.table.tools.end() && place->number == entry.number)
            *place = std::move(entry);
        else
            out.table.tools.insert(place, std::move(entry));
    }
    return out;
}

ToolTableReading readToolTableFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ToolTableReading out;
        out.faults.push_back({0, ToolTableFaultKind::Unreadable, path.string()});
        return out;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return readToolTable(text);
}

std::string writeToolTable(const ToolTable& table) {
    std::string out;
    if (table.inch) out += "G20\n";
    for (const ToolEntry& t : table.tools) {
        out += 'T' + std::to_string(t.number);
        if (t.pocket != 0) out += " P" + std::to_string(t.pocket);
        if (t.zOffset != 0) out += " Z" + numberText(t.zOffset);
        if (t.xOffset != 0) out += " X" + numberText(t.xOffset);
        double impliedRadius = 0;
        switch (t.insert.kind) {
            case InsertKind::Grooving:
                out += " GROOVE W" + numberText(t.insert.width);
                break;
            case InsertKind::Drill:
                out += " DRILL D" + numberText(t.insert.width);
                break;
            case InsertKind::Turning:
                if (const auto code = readInsertCode(t.insert.code)) {
                    out += ' ' + t.insert.code;
                    const double scale = code->inch == table.inch ? 1.0
                                         : table.inch             ? 1 / kMillimetresPerInch
                                                                  : kMillimetresPerInch;
                    impliedRadius = code->noseRadius * scale;
                }
                break;
            case InsertKind::Unknown:
                break;
        }
        // R, not D: a drill's D is its size, and R says the radius exactly.
        if (t.noseRadius != impliedRadius) out += " R" + numberText(t.noseRadius);
        if (t.tip != 0) out += " Q" + std::to_string(t.tip);
        if (!t.holder.empty()) {
            out += " HOLDER(";
            for (std::size_t i = 0; i < t.holder.size(); ++i) {
                if (i > 0) out += ' ';
                out += numberText(t.holder[i].z) + ',' + numberText(t.holder[i].x);
            }
            out += ')';
        }
        if (!t.description.empty()) out += " ;" + t.description;
        out += '\n';
    }
    return out;
}

ToolEntry toolInUnits(const ToolEntry& entry, bool tableInch, bool programInch) {
    if (tableInch == programInch) return entry;
    const double scale = programInch ? 1 / kMillimetresPerInch : kMillimetresPerInch;
    ToolEntry out = entry;
    out.noseRadius *= scale;
    out.zOffset *= scale;
    out.xOffset *= scale;
    out.insert.inscribedCircle *= scale;
    out.insert.width *= scale;
    for (Point& p : out.holder) p = {p.z * scale, p.x * scale};
    return out;
}

}  // namespace zivek::gcode
