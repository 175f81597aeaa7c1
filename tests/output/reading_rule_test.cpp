#include "output/reading_rule.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zivek {
namespace {

constexpr double largest = std::numeric_limits<double>::max();

struct Reading {
    std::string text;
    double number;
};

TEST(ReadingRule, ReadsTheLongestNumericPrefixWithBlanksSkipped) {
    const Reading cases[] = {
        {"12", 12},   {"", 0},       {" 7.5", 7.5}, {"-.5", -0.5},  {"1 2", 12}, {"1.2.3", 1.2},
        {"2e1", 20},  {"1abc", 1},   {"abc", 0},    {"\t4\n", 4},   {"- 5", -5}, {"+3", 3},
        {"1E2", 100}, {"2e-1", 0.2}, {"2e", 2},     {"2e+", 2},     {"3E-x", 3}, {"e5", 0},
        {".", 0},     {"-", 0},      {"1x", 1},     {"1 . 5", 1.5}, {"\r5", 0},  {"6.5", 6.5},
        {".e3", 0},   {"1.e1", 10},  {"00012", 12}, {"0x10", 0},    {"1d2", 1},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(readNumber(text), number) << '"' << text << '"';
}

// A comma is the decimal mark where a point would be, and the two share the one mark
// a number may have: the second of either ends it.
TEST(ReadingRule, ReadsTheDecimalCommaAsThePoint) {
    const Reading cases[] = {
        {"12,5", 12.5}, {"2,5", 2.5},       {",5", 0.5},    {"1,5", 1.5},   {"10,5", 10.5},
        {"0,5", 0.5},   {"1,5,3", 1.5},     {"1.5,3", 1.5}, {"1,5.3", 1.5}, {"1,5E2", 150},
        {"-,5", -0.5},  {"1 , 5", 1.5},     {",", 0},       {",e3", 0},     {"1,e1", 10},
        {"1,,5", 1},    {"0,0005", 0.0005}, {"6,5", 6.5},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(readNumber(text), number) << '"' << text << '"';
}

TEST(ReadingRule, NeverGivesInfinityOrNan) {
    const Reading cases[] = {
        {"1e400", largest},
        {"-1e400", -largest},
        {"1e99999999999999999999", largest},
        {std::string(400, '9'), largest},
        {"0.0001e400", largest},
        {"1e-400", 0},
        {"-1e-99999999999999999999", 0},
        {"0." + std::string(400, '0') + "1", 0},
        {"inf", 0},
        {"nan", 0},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(readNumber(text), number) << text.substr(0, 40);
}

TEST(ReadingRule, ReadsLongTextAndUtf8WithoutHarm) {
    EXPECT_EQ(readNumber("12" + std::string(100000, ' ') + "3"), 123);
    EXPECT_EQ(readNumber("1" + std::string(30, '0')), 1e30);
    EXPECT_EQ(readNumber("DALMA MİKTARI"), 0);
    EXPECT_EQ(readNumber("5\xff\xfe"), 5);
}

}  // namespace
}  // namespace zivek
