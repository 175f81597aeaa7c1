#include "zivek/gcode/program_header.h"

#include <algorithm>
#include <cctype>

#include "gcode/line_comments.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

// A header, not the whole program's commentary.
constexpr std::size_t kMostComments = 12;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "O1234" opening a line's code; LinuxCNC's o-words ("O100 SUB", "O<X>") are no number.
std::string programNumber(std::string_view code) {
    if (code.size() < 2 || code[0] != 'O' || !isDigit(code[1])) return {};
    std::size_t end = 1;
    while (end < code.size() && isDigit(code[end])) ++end;
    if (end < code.size() && std::isalpha(static_cast<unsigned char>(code[end]))) {
        // A word follows: "O1234G0" is still a number, "O100SUB" an o-word.
        const std::string_view rest = code.substr(end);
        for (std::string_view flow :
             {"SUB", "ENDSUB", "CALL", "IF", "ELSE", "ENDIF", "WHILE", "ENDWHILE", "DO", "REPEAT",
              "ENDREPEAT", "RETURN", "BREAK", "CONTINUE"})
            if (rest.starts_with(flow)) return {};
    }
    return std::string(code.substr(0, end));
}

// The work offsets in the line's code, as G54 ... G59 and LinuxCNC's G59.1 ... G59.3.
void addWorkOffsets(std::string_view code, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] != 'G') continue;
        std::size_t end = i + 1;
        while (end < code.size() && (isDigit(code[end]) || code[end] == '.')) ++end;
        std::string_view value = code.substr(i + 1, end - i - 1);
        while (value.size() > 1 && value.front() == '0' && isDigit(value[1]))
            value.remove_prefix(1);
        const bool plain =
            value.size() == 2 && value[0] == '5' && value[1] >= '4' && value[1] <= '9';
        const bool extra = value == "59.1" || value == "59.2" || value == "59.3";
        if (plain || extra) {
            std::string name("G");
            name.append(value);  // not "G" + string: GCC 12 at -O3 warns of overlap in it
            if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
        }
        i = end - 1;
    }
}

}  // namespace

ProgramHeader readProgramHeader(std::string_view text) {
    ProgramHeader header;
    bool atTop = true;  // no code seen yet but the program's number
    for (const std::string_view line : splitLines(text)) {
        const LineComments parts = commentsOf(line, true);
        if (atTop && !parts.hasCode) {
            if (!parts.text.empty() && header.comments.size() < kMostComments)
                header.comments.push_back(parts.text);
            continue;
        }
        if (atTop && header.number.empty()) {
            header.number = programNumber(parts.code);
            if (!header.number.empty()) {
                header.name = parts.text;
                addWorkOffsets(std::string_view(parts.code).substr(header.number.size()),
                               header.workOffsets);
                continue;
            }
        }
        atTop = false;
        // Only a line with a G can select an offset; most lines have none.
        if (parts.code.find('G') != std::string::npos)
            addWorkOffsets(parts.code, header.workOffsets);
    }
    return header;
}

}  // namespace zivek::gcode
