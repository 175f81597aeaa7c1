#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "output/control_names.h"
#include "output/press.h"

namespace zivek::testing {

// The lines of a program text, each given without its CR LF.
inline std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A whole program: the opening lines with the default shared values, the given
// pass lines, the closing lines.
inline std::vector<std::string> program(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> lines = {"M08", "M03", "S6", "G54", "G0X0Y0"};
    for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    lines.insert(lines.end(), {"M05", "M30", "%"});
    return lines;
}

// The box texts of a window: its defaults with some boxes changed.
inline BoxTexts withBoxes(BoxTexts defaults, std::initializer_list<BoxTexts::value_type> changes) {
    for (const auto& [name, text] : changes) defaults[name] = text;
    return defaults;
}

inline const BoxTexts straightDefaults = {
    {control::Text3, "12"}, {control::Text2, "60"}, {control::Text4, "1"}, {control::Text5, "111"},
    {control::Text14, "1"}, {control::Text12, "0"}, {control::Text13, "6"}};
inline const BoxTexts taperDefaults = {{control::Text3, "100"}, {control::Text6, "50"},
                                       {control::Text2, "30"},  {control::Text4, "1"},
                                       {control::Text5, "111"}, {control::Text14, "1"},
                                       {control::Text12, "0"},  {control::Text13, "6"}};

}  // namespace zivek::testing
