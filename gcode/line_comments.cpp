#include "gcode/line_comments.h"

#include <cctype>

namespace zivek::gcode {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

char upper(char c) {
    return char(std::toupper(static_cast<unsigned char>(c)));
}

LineComments commentsOf(std::string_view line, bool withCode) {
    LineComments out;
    std::size_t i = 0;
    auto add = [&](std::string_view c) {
        c = trimmed(c);
        if (c.empty()) return;
        if (!out.text.empty()) out.text += ' ';
        out.text += c;
    };
    while (i < line.size()) {
        const char c = line[i];
        if (c == '(') {
            const std::size_t close = line.find(')', i);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            add(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == ';') {
            add(line.substr(i + 1));
            break;
        } else if (upper(c) == 'N') {
            ++i;
            while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
        } else {
            if (!isSpace(c) && c != '%' && c != '/') {
                out.hasCode = true;
                if (withCode) out.code += upper(c);
            }
            ++i;
        }
    }
    return out;
}

}  // namespace zivek::gcode
