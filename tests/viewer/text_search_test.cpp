// Finding text in a program's lines: the lines numbered as the list numbers them, and
// the case of Latin and Turkish letters ignored.

#include "viewer/text_search.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zivek::backplot {
namespace {

TEST(TextSearch, LinesHoldingTheTextWhateverItsCase) {
    struct Case {
        const char* name;
        std::string text;
        std::string needle;
        std::vector<std::uint32_t> lines;
    };
    const std::string program = "G0 X10 Z2\r\nG1 z-20 F0.2\r\n(DIŞ ÇAP)\r\nG1 X12\r\nM30\r\n";
    const Case cases[] = {
        {"a word in lower case", program, "g1", {1, 3}},
        {"upper case finds lower", program, "Z-20", {1}},
        {"Turkish capitals from small letters", program, "dış çap", {2}},
        {"dotless and dotted I are one letter",
         "(KESİCİ)\n(kesici)\n(KESICI)\n",
         "kesıci",
         {0, 1, 2}},
        {"once per line however often", "X1 X2 X3\nZ1\n", "x", {0}},
        {"lines split at CR alone", "G0\rG1 X5\rM30\r", "x5", {1}},
        {"a match at the very end, no line end", "G0\nM30", "m30", {1}},
        {"nothing to find", program, "G71", {}},
        {"an empty needle finds nothing", program, "", {}},
        {"longer than the line", "G1\n", "G1 X10", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(linesContaining(c.text, c.needle), c.lines) << c.name;
}

}  // namespace
}  // namespace zivek::backplot
