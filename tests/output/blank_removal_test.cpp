#include "output/blank_removal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zivek {
namespace {

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// Both ways, into another buffer and in place, against the plain erase.
void expectRemoved(const std::string& text) {
    for (const auto copy : {copyWithoutBlanks, copyWithoutBlanksBytewise}) {
        std::string apart(text.size(), '#');
        apart.resize(copy(text, apart.data()));
        ASSERT_EQ(apart, withoutBlanks(text)) << '"' << text << '"';
        std::string inPlace = text;
        inPlace.resize(copy(inPlace, inPlace.data()));
        ASSERT_EQ(inPlace, withoutBlanks(text)) << '"' << text << '"';
    }
}

// Only the blank goes: tabs, line ends and bytes above 127 stay. The lengths straddle
// the 16 and the 64 bytes taken at a time.
TEST(BlankRemoval, RemovesOnlyTheBlank) {
    const std::string cases[] = {
        "",
        " ",
        "G0U 1 \r\n",
        "G1W-60 F 111 \r\nG0U-1 W 60 \r\n",
        std::string(15, ' '),
        std::string(16, ' '),
        std::string(17, ' ') + "x",
        "no-blanks-in-these-thirty-three!",
        "\t\r\n \xa0\xff \x7f  x",
        "               x                y               z",
        std::string(63, ' ') + "x",
        std::string(64, ' ') + "x",
        std::string(65, 'x') + " " + std::string(64, 'y') + std::string(17, ' '),
    };
    for (const std::string& text : cases) expectRemoved(text);
}

TEST(BlankRemoval, AgreesWithEraseOverRandomTexts) {
    std::mt19937 random(20261211);
    const std::string letters = " \r\n-.0123456789GUWFXYZ";
    for (int i = 0; i < 3000; ++i) {
        std::string text(random() % 200, 'x');
        const auto blankShare = random() % 100;  // in percent
        for (char& c : text)
            c = random() % 100 < blankShare ? ' ' : letters[1 + random() % (letters.size() - 1)];
        expectRemoved(text);
    }
}

}  // namespace
}  // namespace zivek
