#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zivek::windows {

// How wide a line is drawn, in 1/64 pixel so that the sum of many advances stays
// true: a cached advance per ASCII character, and a slower measure for the rare line
// that holds other characters.
struct LineMeasure {
    std::array<int, 128> ascii{};
    std::function<int(std::string_view)> other;
};

// Turns CR LF and a lone CR into LF, in place, in one pass.
void normaliseLineEnds(std::string& text);

// The text of a multi-line box as its UTF-8 bytes and the byte offset at which each
// line starts; lines are separated by LF. A program of 300,000 lines costs its bytes
// plus four bytes a line, and an edit touches only the lines it changes.
class OutputText {
  public:
    OutputText();

    // Takes the bytes over; line ends may be CR LF or LF.
    void assign(std::string text);
    // Replaces the bytes [from, to) with `with`, whose line ends must be LF.
    void replace(std::size_t from, std::size_t to, std::string_view with);
    // Measures every line anew, as after a change of font.
    void setMeasure(LineMeasure measure);

    const std::string& bytes() const { return text_; }
    std::size_t size() const { return text_.size(); }
    int lineCount() const { return static_cast<int>(starts_.size()); }
    int lineOf(std::size_t pos) const;
    std::size_t lineStart(int line) const { return starts_[static_cast<std::size_t>(line)]; }
    std::size_t lineEnd(int line) const;  // before its LF
    std::string_view line(int line) const;
    int widestLine() const { return (widest_ + 63) / 64; }  // whole pixels

    // Caret steps: whole UTF-8 characters, and words as a text box moves by them.
    std::size_t nextChar(std::size_t pos) const;
    std::size_t previousChar(std::size_t pos) const;
    std::size_t nextWord(std::size_t pos) const;
    std::size_t previousWord(std::size_t pos) const;
    std::pair<std::size_t, std::size_t> wordAround(std::size_t pos) const;

    // Offsets in UTF-16 units, as QString and the accessibility layer count them. While
    // the text is ASCII, as a program always is, they are the byte offsets themselves;
    // otherwise a table of each line's first unit is built when first asked for.
    int utf16Offset(std::size_t pos) const;
    std::size_t positionOfUtf16(int offset) const;
    int utf16Size() const { return utf16Offset(size()); }

  private:
    int measure(std::string_view line) const;
    void measureAll(bool findStarts);
    void measureOtherLines();
    void countWidth(int width, int sign);

    std::string text_;
    std::vector<std::uint32_t> starts_;
    LineMeasure measure_;
    int widest_ = 0;
    std::size_t widestCount_ = 0;  // lines as wide as widest_
    std::size_t nonAsciiLines_ = 0;
    std::vector<std::uint32_t> otherLines_;           // lines to measure once the text is read
    mutable std::vector<std::uint32_t> utf16Starts_;  // empty until asked for
};

// UTF-16 units in UTF-8 bytes, and the byte offset of a UTF-16 index, for moving
// between the stored bytes and the QString of one line.
int utf16Length(std::string_view bytes);
std::size_t byteOffsetOfUtf16(std::string_view bytes, int units);

}  // namespace zivek::windows
