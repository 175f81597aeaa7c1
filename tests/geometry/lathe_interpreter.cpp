#include "geometry/lathe_interpreter.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace zivek::geometry {

Run interpret(const std::vector<std::string>& lines) {
    Run run;
    Position at;
    int motion = -1;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        Position to = at;
        bool moves = false;
        for (std::size_t i = 0; i < line.size();) {
            const char letter = line[i++];
            std::size_t end = i;
            while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) ||
                                         line[end] == '.' || line[end] == '-' || line[end] == 'E' ||
                                         (line[end] == '+' && line[end - 1] == 'E')))
                ++end;
            double value = 0;
            if (end > i &&
                std::from_chars(line.data() + i, line.data() + end, value).ec != std::errc{}) {
                run.fault = "unreadable number in \"" + line + "\"";
                return run;
            }
            i = end;
            switch (letter) {
                case 'G':
                    if (value == 0 || value == 1) motion = static_cast<int>(value);
                    break;
                case 'X':
                    to.x = value, moves = true;
                    break;
                case 'Z':
                    to.z = value, moves = true;
                    break;
                case 'U':
                    to.x += value, moves = true;
                    break;
                case 'W':
                    to.z += value, moves = true;
                    break;
                default:
                    break;  // M, S, F, Y, %: no motion
            }
        }
        if (moves) {
            if (motion < 0) {
                run.fault = "a move before any G0 or G1: \"" + line + "\"";
                return run;
            }
            run.moves.push_back({at, to, motion == 1, index});
            at = to;
        }
        run.after.push_back(at);
    }
    return run;
}

}  // namespace zivek::geometry
