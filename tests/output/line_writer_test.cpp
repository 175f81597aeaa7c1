#include "output/line_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zivek {
namespace {

struct Line {
    std::function<void(LineWriter&)> items;
    std::string raw;
};

TEST(LineWriter, WritesItemsRunTogetherWithNumbersInTheirRawText) {
    const Line cases[] = {
        {[](LineWriter& l) { l.word("M05"); }, "M05"},
        {[](LineWriter& l) { l.word("S").number(6); }, "S 6 "},
        {[](LineWriter& l) { l.word("G0").word("X").zero().word("Y").zero(); }, "G0X 0 Y 0 "},
        {[](LineWriter& l) { l.word("G0").word("U").number(1); }, "G0U 1 "},
        {[](LineWriter& l) { l.word("G1").word("W").number(-60).word("F").number(111); },
         "G1W-60 F 111 "},
        {[](LineWriter& l) { l.word("G0").word("U").number(-1).word("W").number(60); },
         "G0U-1 W 60 "},
        {[](LineWriter& l) { l.word("U").number(-12).word("F").number(55.5); }, "U-12 F 55.5 "},
        {[](LineWriter& l) { l.word("G1").word("W").number(-0.0); }, "G1W 0 "},
        {[](LineWriter& l) { l.word("cd Program Files"); }, "cd Program Files"},
    };
    for (const auto& [items, raw] : cases) {
        LineWriter lines;
        items(lines);
        lines.endLine();
        EXPECT_EQ(lines.buffered(), raw + "\r\n");
    }
}

}  // namespace
}  // namespace zivek
