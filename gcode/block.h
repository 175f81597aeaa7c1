#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "gcode/internal.h"

namespace zivek::gcode {

// The words of one block by address letter. A repeated letter keeps its last value.
struct Block {
    std::array<double, 26> value{};
    std::array<std::string_view, 26> text{};
    std::uint32_t present = 0;
    std::uint32_t lost = 0;  // given as an expression that is not computed
    std::uint32_t used = 0;  // letters something on the line took
    std::vector<double> gCodes;
    std::vector<double> mCodes;

    static std::uint32_t bit(char c) { return std::uint32_t(1) << (c - 'A'); }
    bool has(char c) const { return (present & bit(c)) != 0; }
    double get(char c) const { return value[std::size_t(c - 'A')]; }
    double use(char c) {
        used |= bit(c);
        return get(c);
    }
    // Words that are lengths are taken in the path's units: a program that switches
    // between inches and millimetres draws one path.
    double lengthScale = 1;
    double increment = 1e-3;  // the least input increment of the units in force
    double length(char c) { return use(c) * lengthScale; }
    // Fanuc reads a number without a point in the least input increment: Q500 is 0.5 mm.
    double lengthInIncrements(char c) {
        const double v = use(c);
        return (hasDecimal(c) ? v : v * increment) * lengthScale;
    }
    bool hasDecimal(char c) const;  // the number was written with a point
};

}  // namespace zivek::gcode
