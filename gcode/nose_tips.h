#pragma once

#include "gcode/internal.h"

// Where an insert's imaginary tip lies from its nose centre, in radii along Z and X, by
// the tip number 0-9 a control gives it; 0 and 9 are the centre itself. The controls
// number the same eight places, LinuxCNC's drawn for a front tool post and Fanuc's for
// X upwards, so one table is the other mirrored across X.

#include <array>
#include <cstdint>

namespace zivek::gcode {

struct TipShift {
    std::int8_t z = 0, x = 0;
};
using TipShifts = std::array<TipShift, 10>;

// LinuxCNC's orientations (tool table Q, G41.1/G42.1 L).
inline constexpr TipShifts kLinuxCncTips = {
    {{0, 0}, {1, -1}, {-1, -1}, {-1, 1}, {1, 1}, {1, 0}, {0, -1}, {-1, 0}, {0, 1}, {0, 0}}};
// Fanuc's imaginary tool nose numbers: 3 the outside turning tool (its tip towards -X and
// -Z), 2 the boring bar (+X, -Z).
inline constexpr TipShifts kFanucTips = {
    {{0, 0}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}, {0, 0}}};

inline TipShift tipShift(const TipShifts& tips, int tip) {
    return tip >= 0 && tip <= 9 ? tips[std::size_t(tip)] : TipShift{};
}

}  // namespace zivek::gcode
