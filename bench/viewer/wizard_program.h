#pragma once

// The largest program the wizard writes: 100,000 internal diameter passes, about
// 300,000 short lines, as the press writes them.

#include <charconv>
#include <cstddef>
#include <string>

namespace zivek::bench {

inline constexpr int kWizardPasses = 100000;

// ".00012" style: no leading zero, as the program writes numbers below 1.
inline std::string depthText(double d) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, 5).ptr;
    std::string s(buf, end);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    return s;
}

inline std::string wizardProgram() {
    std::string t = "M08\r\nM03\r\nS6\r\nG54\r\nG0X0Y0\r\n";
    t.reserve(std::size_t(kWizardPasses) * 36);
    for (int k = 1; k < kWizardPasses; ++k) {
        const std::string d = depthText(k * 12.0 / kWizardPasses);
        t += "G0U" + d + "\r\nG1W-60F111\r\nG0U-" + d + "W60\r\n";
    }
    t += "G0U12\r\nG1W-60F111\r\nU-12F55.5\r\nG0W60\r\nM05\r\nM30\r\n%\r\n\r\n";
    return t;
}

}  // namespace zivek::bench
