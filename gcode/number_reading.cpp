#include "gcode/number_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace zivek::gcode {
namespace {

// The wizard writes the largest double with 15 digits, 1.79769313486232E+308, which is a
// little above it: such a number still means the largest double, not a fault. Read a
// tenth of it (the exponent one lower) to see, in doubles alone.
double largestWritten(const char* from, const char* to, std::errc& ec) {
    const std::string_view text(from, std::size_t(to - from));
    const std::size_t mark = text.find_first_of("Ee");
    int exponent = 0;
    if (mark == std::string_view::npos ||
        std::from_chars(text.data() + mark + 1 + (text[mark + 1] == '+'), to, exponent).ec !=
            std::errc() ||
        exponent < 300)
        return 0;
    const std::string tenth =
        std::string(text.substr(0, mark)) + "E" + std::to_string(exponent - 1);
    double value = 0;
    if (std::from_chars(tenth.data(), tenth.data() + tenth.size(), value).ec != std::errc() ||
        std::abs(value) > 1.79769313486232e307)
        return 0;
    ec = std::errc();
    return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
}

}  // namespace

namespace number_reading {

std::size_t readLongNumber(std::string_view s, std::size_t numberEnd, double& value, bool& ok) {
    const std::size_t i = numberEnd;
    // from_chars takes no leading "+"; it is locale-free, unlike strtod.
    const std::size_t from = (s[0] == '+') ? 1 : 0;
    auto [end, ec] = std::from_chars(s.data() + from, s.data() + i, value);
    if (ec == std::errc::result_out_of_range)
        value = largestWritten(s.data() + from, s.data() + i, ec);
    ok = ec == std::errc() && end == s.data() + i && std::isfinite(value);
    return i;
}

}  // namespace number_reading
}  // namespace zivek::gcode
