#pragma once

// The values of a seeded sweep of valid presses: each window's boxes typed as decimals
// of at most 4 places, in kinds that make the cycles' running sums hard.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "geometry/program_shapes.h"
#include "output/control_names.h"
#include "output/press.h"

namespace zivek::testing {

// The number a box spells, read as the machinist typed it.
inline double read(const BoxTexts& boxes, const char* box) {
    const std::string& text = boxes.at(box);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

class Values {
  public:
    explicit Values(std::uint32_t seed) : random_(seed) {}
    // A whole number from lo to hi; mt19937's raw output is the same everywhere.
    std::int64_t pick(std::int64_t lo, std::int64_t hi) {
        const std::uint64_t wide = (static_cast<std::uint64_t>(random_()) << 32) | random_();
        return lo + static_cast<std::int64_t>(wide % static_cast<std::uint64_t>(hi - lo + 1));
    }

  private:
    std::mt19937 random_;
};

// Ten-thousandths as the decimal a machinist would type: 7500 -> "0.75".
inline std::string decimal(std::int64_t tenThousandths) {
    std::string text = std::to_string(tenThousandths / 10000);
    std::string fraction = std::to_string(10000 + tenThousandths % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

// depth and plunge in ten-thousandths, in five kinds: whole pass counts, fractional
// counts, a plunge just below the depth (or equal, where the window accepts it), tiny
// plunges, and 3-place values.
inline std::pair<std::int64_t, std::int64_t> depthAndPlunge(Values& values, int kind,
                                                            bool plungeMayEqual) {
    switch (kind) {
        case 0: {
            const std::int64_t plunge = values.pick(10, 30000);
            return {plunge * values.pick(plungeMayEqual ? 1 : 2, 60), plunge};
        }
        case 1: {
            const std::int64_t depth = values.pick(20, 500000);
            return {depth, values.pick(depth / 300 + 1, depth - 1)};
        }
        case 2: {
            const std::int64_t depth = values.pick(20, 500000);
            return {depth, depth - (plungeMayEqual && values.pick(0, 1) ? 0 : 1)};
        }
        case 3: {
            const std::int64_t plunge = values.pick(1, 200);
            return {std::max<std::int64_t>(
                        20, plunge * values.pick(2, 300) + values.pick(0, plunge - 1)),
                    plunge};
        }
        default: {
            const std::int64_t depth = 10 * values.pick(2, 50000);
            return {depth, 10 * values.pick(depth / 2000 + 1, depth / 10 - 1)};
        }
    }
}

inline BoxTexts sweepBoxes(Operation operation, Values& values, int index) {
    const int kind = index % 5;
    const std::int64_t length = kind == 4 ? 10 * values.pick(1, 200000) : values.pick(10, 2000000);
    BoxTexts boxes = {{control::Text2, decimal(length)},
                      {control::Text5, decimal(values.pick(1, 5000000))},
                      {control::Text14, std::to_string(values.pick(0, 1))},
                      {control::Text12, std::to_string(values.pick(0, 1))},
                      {control::Text13, decimal(values.pick(50000, 1000000))}};
    if (isStraight(operation)) {
        const auto [depth, plunge] = depthAndPlunge(values, kind, operation == Operation::Facing);
        boxes[control::Text3] = decimal(depth);
        boxes[control::Text4] = decimal(plunge);
    } else {
        // taperDepth is half the difference of the diameters, which may be odd.
        auto [taperDepth, plunge] = depthAndPlunge(values, kind, true);
        const std::int64_t difference = 2 * taperDepth + (kind == 1 ? values.pick(0, 1) : 0);
        const std::int64_t small =
            values.pick(plunge, 2000000);  // the outside needs plunge <= small
        boxes[control::Text6] = decimal(small);
        boxes[control::Text3] = decimal(small + difference);
        // The difference of two decimals held as doubles may fall just below the
        // decimal one: a plunge equal to taperDepth then counts as larger.
        while (read(boxes, control::Text3) - read(boxes, control::Text6) <
               2 * (static_cast<double>(plunge) / 10000))
            --plunge;
        boxes[control::Text4] = decimal(plunge);
    }
    return boxes;
}

inline std::string describe(const BoxTexts& boxes) {
    std::string text;
    for (const auto& [name, value] : boxes) text += " " + name + "=" + value;
    return text;
}

}  // namespace zivek::testing
