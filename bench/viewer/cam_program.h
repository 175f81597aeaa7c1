#pragma once

// A program as a CAM system writes one for a Fanuc-style lathe: a heading with tool,
// constant surface speed and feed per revolution, then roughing passes of short
// straight moves with a fillet arc each, about 23 bytes a line.

#include <cstddef>
#include <cstdio>
#include <string>

namespace zivek::bench {

inline std::string camProgram(std::size_t lines) {
    std::string t =
        "%\r\nO0001 (ROUGH OD)\r\nG18 G21 G40 G80 G99\r\nG28 U0 W0\r\nT0101\r\n"
        "G50 S2500\r\nG96 S180 M03\r\nG0 X82. Z2. M08\r\n";
    t.reserve(lines * 24 + 256);
    char buf[64];
    std::size_t n = 8;
    for (int pass = 0; n + 40 < lines; ++pass) {
        const double x = 80 - (pass % 30) * 1.5;
        std::snprintf(buf, sizeof buf, "G0 X%.3f Z2.\r\n", x);
        t += buf;
        t += "G1 Z0.5 F0.25\r\n";
        double z = 0.5;
        for (int k = 0; k < 30; ++k) {
            z -= 1.731;
            std::snprintf(buf, sizeof buf, "G1 X%.4f Z%.4f\r\n", x - 0.0043 * k, z);
            t += buf;
        }
        std::snprintf(buf, sizeof buf, "G2 X%.3f Z%.3f R2.\r\n", x + 4, z - 2);
        t += buf;
        std::snprintf(buf, sizeof buf, "G1 X%.3f F0.3\r\n", x + 6);
        t += buf;
        t += "G0 Z2.\r\n";
        n += 35;
    }
    t += "G28 U0 W0\r\nM30\r\n%\r\n";
    return t;
}

}  // namespace zivek::bench
