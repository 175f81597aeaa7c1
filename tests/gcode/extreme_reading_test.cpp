// The largest double as the wizard writes it is read as the largest double; a number
// truly beyond the range is still a fault of its line.

#include <gtest/gtest.h>

#include <limits>

#include "zivek/gcode/toolpath.h"

namespace zivek::gcode {
namespace {

TEST(ExtremeReading, TheWrittenLargestDoubleIsTheLargestDouble) {
    constexpr double largest = std::numeric_limits<double>::max();
    const Toolpath path = interpret(
        "G0X0Y0\nG0U1.79769313486232E+308\nG0U-1.79769313486232E+308W-1.79769313486232E+308\n"
        "G0U1E309\n");
    ASSERT_EQ(path.moves.size(), 3u);
    EXPECT_EQ(path.moves[1].to.x, largest);
    EXPECT_EQ(path.moves[2].to.x, largest - largest);
    EXPECT_EQ(path.moves[2].to.z, -largest);
    ASSERT_FALSE(path.warnings.empty());
    EXPECT_EQ(path.warnings.back().line, 3u);
    EXPECT_EQ(path.warnings.back().code, Warning::BadNumber);
}

}  // namespace
}  // namespace zivek::gcode
