#include "output/line_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/disk.h"

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

// A file that keeps what it is sent.
class KeptFile final : public WritableFile {
  public:
    void write(std::string_view bytes) override { text.append(bytes); }
    void close() override {}
    std::string text;
};

// Whatever room the caller guessed, the writer makes more as the lines outgrow it, and
// prepared pieces of every length near the copy's block come out whole. The text is
// built alongside by plain appending; the sanitizer build sees any byte read or written
// past the room.
TEST(LineWriter, OutgrowsAnyGuessAndCopiesPiecesWhole) {
    std::vector<Piece> pieces;
    std::vector<std::string> texts;
    for (std::size_t length = 0; length <= 3 * Piece::block + 1; ++length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += char('a' + i % 26);
        pieces.emplace_back(text);
        texts.push_back(text);
        EXPECT_EQ(pieces.back().view(), text);
        EXPECT_EQ(pieces.back().paddedSize() % Piece::block, 0u) << length;
        EXPECT_GE(pieces.back().paddedSize(), length) << length;
    }
    for (const std::size_t guess : {std::size_t{0}, std::size_t{1}, std::size_t{300},
                                    std::size_t{70000}, std::size_t{1} << 20}) {
        KeptFile file;
        LineWriter lines(file, guess);
        std::string want;
        for (int line = 0; line < 4000; ++line) {
            const std::size_t i = std::size_t(line) % pieces.size();
            lines.word("N").number(line).piece(pieces[i]).endLine();
            want += "N " + std::to_string(line) + " " + texts[i] + "\r\n";
            if (line % 1000 == 999) lines.flush();
        }
        lines.flush();
        EXPECT_EQ(file.text, want) << guess;
        EXPECT_EQ(lines.written(), want.size()) << guess;
        EXPECT_EQ(lines.release(), want) << guess;
    }
}

}  // namespace
}  // namespace zivek
