#include "output/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zivek {
namespace {

struct Text {
    double value;
    std::string text;
};

TEST(NumberText, WritesFifteenDigitsPositionallyWithoutLeadingZero) {
    const Text cases[] = {
        {12, "12"},
        {-60, "-60"},
        {0.5, ".5"},
        {-0.5, "-.5"},
        {55.5, "55.5"},
        {0, "0"},
        {-0.0, "0"},
        {1.2 + 1.2 + 1.2, "3.6"},
        {1.0 / 3, ".333333333333333"},
        {123456789012345, "123456789012345"},
        {12.0, "12"},
        {0.1234567890123456, ".123456789012346"},
        {0.25, ".25"},
        {-0.25, "-.25"},
        {60.0004, "60.0004"},
        {25.1234, "25.1234"},
        {0.0001, ".0001"},
        {-2.0 / 3, "-.666666666666667"},
        {999999999999.999, "999999999999.999"},
        {123456789.123, "123456789.123"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(signedNumberText(value), text) << value;
}

TEST(NumberText, UsesAnExponentFormOutsideThePositionalRange) {
    const Text cases[] = {
        {1e-5, "1E-05"},
        {-0.00001234, "-1.234E-05"},
        {0.00009999999999999999, ".0001"},  // rounds up into the positional range
        {1e15, "1E+15"},
        {1.5e15, "1.5E+15"},
        {999999999999999.9, "1E+15"},
        {1e100, "1E+100"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {std::numeric_limits<double>::infinity(), "1.79769313486232E+308"},
        {-std::numeric_limits<double>::infinity(), "-1.79769313486232E+308"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(signedNumberText(value), text) << value;
}

// The shortcut for whole thousandths must agree with the general rounding to 15
// significant digits; "%.15g" without its leading "0" is the independent reference.
TEST(NumberText, AgreesWithFifteenDigitRoundingOverRandomValues) {
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        switch (i % 4) {
            case 0:
                value = static_cast<double>(random() % 1'000'000'000'000'000ULL) / 1000;
                break;
            case 1:
                value = static_cast<double>(random() % 100'000) / 1000;
                break;
            case 2:
                value = std::ldexp(static_cast<double>(random() >> 11), -40);
                break;
            case 3:
                value = static_cast<double>(random() % 10'000) * 0.001 * 3;
                break;
        }
        if (value < 0.0001 || value >= 1e15) continue;
        char buffer[40];
        auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15)
                .ptr;
        std::string expected(buffer, end);
        if (expected.rfind("0.", 0) == 0) expected.erase(0, 1);
        ASSERT_EQ(signedNumberText(value), expected) << value;
    }
}

struct Rounding {
    double x;
    double rounded;
    std::string text;
};

TEST(Round3, RoundsThousandthsHalfToEven) {
    const Rounding cases[] = {
        {2.34567, 2.346, "2.346"}, {1.0625, 1.062, "1.062"},        {-1.0625, -1.062, "-1.062"},
        {0.1875, 0.188, ".188"},   {1.2 + 1.2 + 1.2, 3.6, "3.6"},   {-0.0004, 0, "0"},
        {0.0005, 0, "0"},          {0.0015, 0.002, ".002"},         {25.1234, 25.123, "25.123"},
        {60.0004, 60, "60"},       {13.33333333, 13.333, "13.333"},
    };
    for (const auto& [x, rounded, text] : cases) {
        EXPECT_EQ(round3(x), rounded) << x;
        EXPECT_EQ(signedNumberText(round3(x)), text) << x;
    }
    EXPECT_EQ(signedNumberText(-round3(0)), "0");
}

TEST(Round3, LeavesValuesWhoseProductIsNotFiniteUnchanged) {
    constexpr double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(round3(largest), largest);
    EXPECT_EQ(round3(-largest), -largest);
    EXPECT_EQ(round3(1e300), 1e300);
}

// The text of a magnitude from 0.0001 up to 1e15 by the general rounding to 15
// significant digits: "%.15g" without its leading "0".
std::string fifteenDigits(double magnitude) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15)
            .ptr;
    std::string text(buffer, end);
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    return text;
}

// The passes write round3's text from the whole number of thousandths; it must be the
// text of round3's result, on both sides of every bound the shortcut has (eight whole
// digits, 1e12, 1e15, a product that is not finite), for every count of whole digits
// and halves.
TEST(Round3, TextFromThousandthsIsTheTextOfTheRoundedValue) {
    std::vector<double> values = {0,
                                  -0.0,
                                  0.0004,
                                  -0.0005,
                                  0.0015,
                                  1.0625,
                                  -1.0625,
                                  9.9995,
                                  99999.9995,
                                  9999999.999,
                                  99999999.999,
                                  1e8,
                                  1e8 + 0.5,
                                  123456789.0625,
                                  999999999999.999,
                                  1e12,
                                  1e15,
                                  1e16,
                                  1.5e300,
                                  -1.5e305,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::pow(10.0, static_cast<double>(random() % 17) - 4);
        const double value = std::ldexp(static_cast<double>(random() >> 11), -53) * scale;
        values.push_back(i % 2 == 0 ? value : -value);
    }
    for (const double x : values) {
        const double k = thousandthsOf(x);
        const double rounded = round3(x);
        const double magnitude = std::fabs(rounded);
        const std::string expected = magnitude >= 0.0001 && magnitude < 1e15
                                         ? fifteenDigits(magnitude)
                                         : std::string(NumberText(rounded).view());
        ASSERT_EQ(NumberText::ofRound3(x, k).view(), expected) << x;
        ASSERT_EQ(NumberText(rounded).view(), expected) << x;
        ASSERT_EQ(k < 0, rounded < 0) << x;
    }
}

}  // namespace
}  // namespace zivek
