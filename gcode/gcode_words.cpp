#include "gcode/gcode_words.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "gcode/expression.h"
#include "gcode/number_reading.h"

namespace zivek::gcode {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isBlank(char c) {
    // A comma separates words in some hand-written programs ("Z-34,X24").
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == ',';
}

// "[1+2]" with nested brackets; returns the index after the closing one.
std::size_t skipBrackets(std::string_view s, std::size_t i) {
    int depth = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '[') ++depth;
        if (s[i] == ']' && --depth <= 0) return i + 1;
    }
    return s.size();
}

// A parameter or an expression: "#<_x>", "#12", "[#1+2]".
std::size_t skipExpression(std::string_view s, std::size_t i) {
    if (i < s.size() && s[i] == '[') return skipBrackets(s, i);
    if (i < s.size() && s[i] == '#') {
        ++i;
        if (i < s.size() && s[i] == '<') {
            const std::size_t close = s.find('>', i);
            return close == std::string_view::npos ? s.size() : close + 1;
        }
        if (i < s.size() && s[i] == '[') return skipBrackets(s, i);
        while (i < s.size() && isDigit(s[i])) ++i;
    }
    return i;
}
std::size_t skipSign(std::string_view s, std::size_t i) {
    return i < s.size() && (s[i] == '-' || s[i] == '+') ? i + 1 : i;
}
// "[", "#", or a sign before one of them ("X-#1").
bool startsValue(std::string_view s, std::size_t i) {
    i = skipSign(s, i);
    return i < s.size() && (s[i] == '[' || s[i] == '#');
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

std::size_t skipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && isBlank(s[i])) ++i;
    return i;
}

}  // namespace

Warning expressionWarning(ExprError e) {
    if (e == ExprError::ReadOnly) return Warning::ReadOnlyParameter;
    return e == ExprError::DivisionByZero || e == ExprError::Domain ? Warning::MathError
                                                                    : Warning::BadExpression;
}

std::string_view withoutBlanks(std::string_view line, std::string& joined) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (std::none_of(line.begin(), line.end(), blank)) return line;
    joined.clear();
    bool inComment = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '(') inComment = true;
        if (c == ')') inComment = false;
        // A blank before a letter stays: it still ends the number before it, which would
        // otherwise read an exponent ("D0.6 E0.1").
        if (!inComment && blank(c)) {
            const std::size_t next = skipBlanks(line, i);
            if (next >= line.size() || !isLetter(line[next])) continue;
        }
        joined += c;
    }
    return joined;
}

void readWords(std::string_view line, std::vector<Word>& words, std::vector<BadToken>& bad,
               Parameters* params) {
    words.clear();
    bad.clear();
    std::size_t i = skipBlanks(line, 0);
    if (i < line.size() && line[i] == '/') ++i;  // block delete: the block still shows
    while (i < line.size()) {
        const char c = line[i];
        if (isBlank(c) || c == '%') {
            ++i;
        } else if (c == ';') {
            return;
        } else if (c == '(') {
            const std::size_t close = line.find(')', i);
            if (close == std::string_view::npos) {
                bad.push_back({Warning::OpenComment, line.substr(i), 0});
                return;
            }
            i = close + 1;
        } else if (isLetter(c)) {
            const std::size_t at = skipBlanks(line, i + 1);
            double value = 0;
            bool ok = false;
            const std::size_t used = readNumber(line.substr(at), value, ok);
            if (used == 0 && params != nullptr && startsValue(line, at)) {
                ExprError error = ExprError::None;
                const std::size_t n = readValue(line.substr(at), *params, value, error);
                if (n > 0) {
                    words.push_back({upper(c), value, line.substr(i, at + n - i)});
                    i = at + n;
                    continue;
                }
                const std::size_t end = skipExpression(line, skipSign(line, at));
                bad.push_back({expressionWarning(error), line.substr(i, end - i), upper(c)});
                i = end;
                continue;
            }
            if (used == 0 && at < line.size() && (line[at] == '[' || line[at] == '#')) {
                const std::size_t end = skipExpression(line, at);
                bad.push_back({Warning::NotEvaluated, line.substr(i, end - i), upper(c)});
                i = end;
                continue;
            }
            if (used == 0) {
                // A run of letters is one unknown word ("HELLO"), not five.
                std::size_t end = i + 1;
                while (end < line.size() && isLetter(line[end])) ++end;
                bad.push_back({end > i + 1 ? Warning::UnknownWord : Warning::BadNumber,
                               line.substr(i, end - i), 0});
                i = end;
                continue;
            }
            const std::string_view text = line.substr(i, at + used - i);
            if (ok) {
                words.push_back({upper(c), value, text});
            } else {
                bad.push_back({Warning::BadNumber, text, 0});
            }
            i = at + used;
        } else if (c == '#' && params != nullptr) {
            ExprError error = ExprError::None;
            const std::size_t n = readSetting(line.substr(i), *params, error);
            if (n == 0) {
                bad.push_back({expressionWarning(error), line.substr(i), 0});
                return;
            }
            // A read-only parameter is left as it is; the rest of the line still counts.
            if (error == ExprError::ReadOnly)
                bad.push_back({Warning::ReadOnlyParameter, line.substr(i, n), 0});
            i += n;
        } else if (c == '#' || c == '[') {
            // "#1 = 5", "#<_x> = [#1 + 2]": parameter arithmetic is not computed.
            bad.push_back({Warning::NotEvaluated, line.substr(i), 0});
            return;
        } else {
            std::size_t end = i + 1;
            while (end < line.size() && !isBlank(line[end]) && !isLetter(line[end]) &&
                   line[end] != '(' && line[end] != ';')
                ++end;
            bad.push_back({Warning::UnknownWord, line.substr(i, end - i), 0});
            i = end;
        }
    }
}

}  // namespace zivek::gcode

namespace zivek::gcode {

bool readOWord(std::string_view line, OWord& out) {
    std::size_t i = skipBlanks(line, 0);
    if (i < line.size() && upper(line[i]) == 'N') {
        ++i;
        while (i < line.size() && (isDigit(line[i]) || isBlank(line[i]))) ++i;
    }
    if (i >= line.size() || upper(line[i]) != 'O') return false;
    const std::size_t from = ++i;
    if (i < line.size() && line[i] == '<') {
        const std::size_t close = line.find('>', i);
        if (close == std::string_view::npos) return false;
        i = close + 1;
    } else {
        while (i < line.size() && isDigit(line[i])) ++i;
        if (i == from) return false;
    }
    out.name = line.substr(from, i - from);
    out.keyword.clear();
    i = skipBlanks(line, i);
    while (i < line.size() && isLetter(line[i]) && out.keyword.size() < 16)
        out.keyword += char(upper(line[i++]) - 'A' + 'a');
    out.rest = line.substr(i);
    return true;
}

}  // namespace zivek::gcode
