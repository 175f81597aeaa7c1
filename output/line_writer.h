#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "output/number_text.h"

namespace zivek {

class WritableFile;

// Builds program lines item by item in their raw text: a fixed word as it stands, a
// number as its sign position ("-" or a blank), its number text and one blank. Each
// line ends with CR LF. Lines go to the output file in large blocks, or stay in
// memory when there is no file (tests, the pass bound).
class LineWriter {
  public:
    LineWriter() = default;
    explicit LineWriter(WritableFile& file);
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    LineWriter& word(std::string_view fixedWord) {
        buffer_.append(fixedWord);
        return *this;
    }
    LineWriter& number(double value);
    // The number value whose magnitude's text is already at hand.
    LineWriter& number(double value, const NumberText& magnitude) {
        buffer_.push_back(value < 0 ? '-' : ' ');
        buffer_.append(magnitude.view());
        buffer_.push_back(' ');
        return *this;
    }
    // The integer 0 of G0X0Y0 and G0X0Z0: written as the number 0.
    LineWriter& zero() {
        buffer_.append(" 0 ");
        return *this;
    }
    LineWriter& text(std::string_view wholeText);
    void endLine();
    // A whole line prepared once in its raw text, line end included, for lines that
    // repeat unchanged pass after pass.
    void line(std::string_view rawLine);

    // Sends what is still buffered to the file.
    void flush();
    // Bytes sent to the file so far.
    std::uint64_t written() const { return written_; }
    // The raw text of the lines written so far (without a file, all of them).
    const std::string& buffered() const { return buffer_; }

  private:
    std::string buffer_;
    WritableFile* file_ = nullptr;
    std::uint64_t written_ = 0;
};

}  // namespace zivek
