#include "gcode/tool_descriptions.h"

#include <cctype>
#include <optional>
#include <string>

#include "gcode/line_comments.h"

namespace zivek::gcode {
namespace {

constexpr std::size_t kLongest = 80;  // a list's cell, not a paragraph

struct NamedTool {
    std::uint32_t number = 0;  // as written: 2, 02 or 0202
    bool withOffset = false;   // T0202: tool and offset
    std::string_view rest;     // what follows, separators dropped
};

// "T2 - FINISH", "T0202 DIS KABA", "TOOL 2: ...", "TOOL NO. 2 ...".
std::optional<NamedTool> namedTool(std::string_view c) {
    std::size_t i = 0;
    auto word = [&](std::string_view w) {
        if (c.size() - i < w.size()) return false;
        for (std::size_t k = 0; k < w.size(); ++k)
            if (upper(c[i + k]) != w[k]) return false;
        i += w.size();
        return true;
    };
    auto blanks = [&] {
        while (i < c.size() && isSpace(c[i])) ++i;
    };
    const bool toolWord = word("TOOL");
    if (toolWord) {
        blanks();
        if (word("NO")) word(".");
        blanks();
        word("#");
        word(":");
        blanks();
    } else if (!word("T")) {
        return std::nullopt;
    }
    const std::size_t digits = i;
    std::uint32_t n = 0;
    while (i < c.size() && std::isdigit(static_cast<unsigned char>(c[i])) && i - digits < 8)
        n = n * 10 + std::uint32_t(c[i++] - '0');
    if (i == digits || (i < c.size() && std::isalnum(static_cast<unsigned char>(c[i]))))
        return std::nullopt;
    // Three digits or more after a bare T are tool and offset, as the T word writes them.
    NamedTool t{n, !toolWord && i - digits >= 3, {}};
    while (i < c.size() && (isSpace(c[i]) || c[i] == '-' || c[i] == ':' || c[i] == '=' ||
                            c[i] == ',' || c[i] == '.'))
        ++i;
    t.rest = c.substr(i);
    return t;
}

bool names(const NamedTool& t, std::uint32_t tool) {
    return (t.withOffset ? t.number / 100 : t.number) == tool;
}

std::string shortened(std::string_view s) {
    s = trimmed(s);
    return std::string(s.substr(0, kLongest));
}

// The comment's description of `tool`; none when it names another tool.
std::optional<std::string> describing(const std::string& comment, std::uint32_t tool) {
    if (comment.empty()) return std::nullopt;
    const auto named = namedTool(comment);
    if (!named) return shortened(comment);
    if (!names(*named, tool) || trimmed(named->rest).empty()) return std::nullopt;
    return shortened(named->rest);
}

}  // namespace

void describeTools(std::vector<ToolChange>& tools, std::string_view text,
                   const std::vector<std::uint32_t>& starts) {
    const std::size_t lines = starts.size();
    std::vector<LineComments> listed;  // every line's, read once when a list is needed
    for (ToolChange& t : tools) {
        if (t.line >= lines) continue;
        if (auto d = describing(commentsOf(lineAt(text, starts, t.line)).text, t.tool)) {
            t.description = *d;
            continue;
        }
        if (t.line > 0) {
            const LineComments before = commentsOf(lineAt(text, starts, t.line - 1));
            if (!before.hasCode) {
                if (auto d = describing(before.text, t.tool)) {
                    t.description = *d;
                    continue;
                }
            }
        }
        if (listed.empty()) {
            listed.reserve(lines);
            for (std::size_t i = 0; i < lines; ++i)
                listed.push_back(commentsOf(lineAt(text, starts, i)));
        }
        for (const LineComments& l : listed) {
            const auto named = namedTool(l.text);
            if (named && names(*named, t.tool) && !trimmed(named->rest).empty()) {
                t.description = shortened(named->rest);
                break;
            }
        }
    }
}

}  // namespace zivek::gcode
